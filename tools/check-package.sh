#!/usr/bin/env bash
# Builds the Debian package and checks it the way a user meets it: lintian, installation
# with apt-get, the installed programs, manual pages and completion, then removal leaving
# no file behind. It installs into this machine, so it runs as root (or through sudo) and
# is not part of tools/run-tests.sh; CI runs it after the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

# The tags lintian may report, each explained in the README.
ACCEPTED_TAGS=embedded-library,statically-linked-binary
PACKAGE=diduzozoz

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "check-package.sh installs the package into this system for the check and needs" >&2
        echo "root: run it as root, or install sudo." >&2
        exit 2
    fi
    SUDO=(sudo)
fi
apt() {
    "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -q -o DPkg::Lock::Timeout=600 "$@"
}
installed() { dpkg-query -W -f='${Status}' "$PACKAGE" 2>/dev/null | grep -q ' installed$'; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if installed; then
    echo "$PACKAGE is installed on this machine already; remove it before the check:" >&2
    echo "  apt-get remove $PACKAGE" >&2
    exit 2
fi

bash tools/install-deps.sh
cmake --preset default -DDIDUZOZOZ_WERROR=ON >/dev/null
cmake --build build
rm -f build/"$PACKAGE"_*.deb
(cd build && cpack -G DEB >/dev/null)
debs=(build/"$PACKAGE"_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package in build/, found ${debs[*]}"
deb=$(realpath "${debs[0]}")
version=$(dpkg-deb -f "$deb" Version)

echo "== $(basename "$deb"): $(stat -c %s "$deb") bytes, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
echo "Recommends: $(dpkg-deb -f "$deb" Recommends)"
[ "$(dpkg-parsechangelog -l packaging/changelog -S Version)" = "$version" ] ||
    fail "packaging/changelog has no entry for $version"

tmp=$(mktemp -d)
cleanup() {
    rm -rf "$tmp"
    if installed; then apt remove -y "$PACKAGE" >/dev/null || true; fi
}
trap cleanup EXIT

echo "== lintian"
lintian_rc=0
lintian --fail-on error,warning --suppress-tags "$ACCEPTED_TAGS" "$deb" >"$tmp/lintian" 2>&1 ||
    lintian_rc=$?
grep -v "running with root privileges" "$tmp/lintian" || echo "no tags beyond $ACCEPTED_TAGS"
[ $lintian_rc -eq 0 ] || fail "lintian reports tags beyond $ACCEPTED_TAGS"

# What the package holds, and which of those paths this machine had before.
mapfile -t paths < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^$')
existed=()
for p in "${paths[@]}"; do
    if [ -e "$p" ] || [ -L "$p" ]; then
        [ -d "$p" ] || fail "$p exists before the installation"
        existed+=("$p")
    fi
done

# Images that leave manual pages out (docker's path-exclude) take ours in for the check.
dpkg_options=()
if cat /etc/dpkg/dpkg.cfg /etc/dpkg/dpkg.cfg.d/* 2>/dev/null |
    grep -qE '^[[:space:]]*path-exclude[[:space:]=]+/usr/share/man'; then
    echo "note: dpkg here excludes /usr/share/man; this check includes the package's pages"
    dpkg_options=(-o "DPkg::Options::=--path-include=/usr/share/man/man1/$PACKAGE*")
fi


echo "== apt-get install $deb"
apt install -y "${dpkg_options[@]}" "$deb"

echo "== the installed package"
[ "$(command -v diduzozoz-cli)" = /usr/bin/diduzozoz-cli ] ||
    fail "the PATH finds $(command -v diduzozoz-cli || echo nothing), not /usr/bin/diduzozoz-cli"
[ "$(diduzozoz-cli --version)" = "diduzozoz-cli $version" ] || fail "diduzozoz-cli --version"
status=$(cd "$tmp" && diduzozoz-cli --type nw7 --code 12 --cd --text below -o a125a.png) ||
    fail "diduzozoz-cli drew no barcode"
[ "$status" = "データ[　A125A　]の形で作成しました" ] || fail "status line: $status"
# A PNG of 73 x 80 pixels: the signature, then IHDR's width and height.
header=$(od -An -tx1 -N24 "$tmp/a125a.png" | tr -d ' \n')
[ "$header" = 89504e470d0a1a0a0000000d494844520000004900000050 ] || fail "a125a.png: $header"
# --verify reads with our reader in-process; --verify=both hands the run to the private
# program with ZXing-C++: the installed one must be found.
verdict=$(cd "$tmp" && diduzozoz-cli --type nw7 --code 12 --cd --verify -o v.png | tail -n 1) ||
    fail "diduzozoz-cli --verify"
[ "$verdict" = "$(printf 'verify\tok\tCODABAR\tA125A\t-\town')" ] || fail "verify line: $verdict"
verdict=$(cd "$tmp" && diduzozoz-cli --type nw7 --code 12 --cd --verify=both -o v.png | tail -n 1) ||
    fail "diduzozoz-cli --verify=both"
[ "$verdict" = "$(printf 'verify\tok\tCODABAR\tA125A\t-\tboth')" ] || fail "verify line: $verdict"
echo "read back: $verdict"
if ldd /usr/bin/diduzozoz | grep -q 'not found'; then fail "diduzozoz misses libraries"; fi
for page in diduzozoz-cli diduzozoz; do
    man -w "$page" >/dev/null || fail "man -w $page"
    echo "man -w $page: $(man -w "$page")"
done
types=$(bash tests/package/complete.sh --type "")
[ "$types" = "$(printf '%s\n' code128 code39 itf jan none nw7 postal)" ] ||
    fail "completion of --type: $types"
echo "completion of --type: $(echo $types)"
desktop-file-validate /usr/share/applications/io.github.diduzozoz.DiDuzozoz.desktop
appstreamcli validate --no-net /usr/share/metainfo/io.github.diduzozoz.DiDuzozoz.metainfo.xml

echo "== apt-get remove $PACKAGE"
apt remove -y "$PACKAGE"
! installed || fail "$PACKAGE is still installed"
left=()
for p in "${paths[@]}"; do
    if [ -e "$p" ] || [ -L "$p" ]; then
        printf '%s\n' "${existed[@]}" | grep -qxF -- "$p" || left+=("$p")
    fi
done
[ ${#left[@]} -eq 0 ] || fail "left behind: ${left[*]}"
echo "removed: none of the package's ${#paths[@]} paths is left"
