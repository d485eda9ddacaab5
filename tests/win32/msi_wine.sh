#!/bin/bash
# The Windows installer under Wine, in a fresh prefix: msiexec installs both programs, the
# installed command line draws a barcode and the installed dialog starts (the driver's start
# scenario), and msiexec takes everything away again.
# Usage: msi_wine.sh WINE64 DRIVER.exe PACKAGE.msi
set -euo pipefail
wine=$1 driver=$2 msi=$3
if [ -z "${DRIVER_IN_X:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "skipped: xvfb-run is not installed"; exit 77; }
    exec env DRIVER_IN_X=1 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
        timeout -k 10 800 "$0" "$wine" "$driver" "$msi"
fi
export WINEPREFIX="$(cd "$(dirname "$driver")" && pwd)/wineprefix-msi"
rm -rf "$WINEPREFIX"
. "$(dirname "$0")/wine_prefix.sh"
drive_c="$WINEPREFIX/drive_c"
fail() { echo "FAILED: $*" >&2; exit 1; }
traces() {  # what of DiDuzozoz stands in the prefix
    find "$drive_c" -iname '*diduzozoz*' 2>/dev/null
    "$wine" reg query 'HKLM\Software\DiDuzozoz' </dev/null >/dev/null 2>&1 && echo "HKLM\\Software\\DiDuzozoz"
    return 0
}
[ -z "$(traces)" ] || fail "a fresh prefix holds DiDuzozoz already"

"$wine" msiexec /i "$(windows_path "$msi")" /qn </dev/null || fail "msiexec /i"
installed="$drive_c/Program Files/DiDuzozoz"
for f in diduzozoz.exe diduzozoz-cli.exe README.txt DiDuzozoz.ini ViVederuvida.ini; do
    [ -f "$installed/$f" ] || fail "$f is not installed"
done
find "$drive_c" -iname 'DiDuzozoz.lnk' | grep -q . || fail "no Start-menu shortcut"

work="$drive_c/users/msi-check"
mkdir -p "$work"
(cd "$work" && "$wine" "$installed/diduzozoz-cli.exe" --type nw7 --code 12 --cd -o a.png \
    </dev/null >stdout) || fail "the installed command line drew nothing"
grep -q 'データ\[　A125A　\]の形で作成しました' "$work/stdout" || fail "the command line said: $(cat "$work/stdout")"
[ -s "$work/a.png" ] || fail "no image"
rm -rf "$work"
"$wine" "$driver" "$(windows_path "$installed/diduzozoz.exe")" \
    "$(windows_path "$installed/diduzozoz-cli.exe")" "start state" </dev/null ||
    fail "the installed dialog did not start as it should"

"$wine" msiexec /x "$(windows_path "$msi")" /qn </dev/null || fail "msiexec /x"
left=$(traces | grep -v -i 'windows/Installer' || true)
[ -z "$left" ] || fail "left behind: $left"
echo "installed, drew, started and removed: nothing left"
