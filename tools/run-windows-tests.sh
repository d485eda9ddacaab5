#!/usr/bin/env bash
# The Windows build: cross-builds the `windows` preset with mingw-w64 (both programs, the zip
# and the installer), runs its tests under Wine — among them the dialog driven from outside and
# the installer installed and removed, each in an X server and a Wine prefix of its own — and
# runs the same command lines through the Linux build and through Wine, requiring the same
# images, stdout, stderr and exit codes byte for byte.
#
# Usage: tools/run-windows-tests.sh [LINUX_CLI]   (default build/cli/diduzozoz-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
linux_cli=$(realpath "${1:-build/cli/diduzozoz-cli}")
[ -x "$linux_cli" ] || { echo "no Linux build of diduzozoz-cli at $linux_cli" >&2; exit 1; }

cmake --preset windows -DDIDUZOZOZ_WERROR=ON >/dev/null
cmake --build build-win

wine=$(sed -n 's/^DIDUZOZOZ_WINE64:FILEPATH=//p' build-win/CMakeCache.txt)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
# The build's own prefix, as the test programs use it (see cmake/mingw-w64-x86_64.cmake).
export WINEPREFIX=$root/build-win/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
# Wine turns the Unix arguments into UTF-16 by the locale.
export LC_ALL=C.UTF-8
windows_cli=$root/build-win/cli/diduzozoz-cli.exe

work=$(mktemp -d)
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  timeout 60 "$wineserver" -w || true
  rm -rf "$work"
}
trap cleanup EXIT
# One wineserver for the whole run, once the build's has gone (it lingers for 3 seconds).
# Wine's services are started here, their output going nowhere: started by the first test,
# they would hold ctest's output pipe open for as long as they run.
timeout 60 "$wineserver" -w
"$wineserver" -p
"$wine" wineboot </dev/null >/dev/null 2>&1

start=$SECONDS
(cd build-win && ctest -j2 --timeout 300 --output-on-failure)
# The one test that needs a console: ctest gives none, script(1) does.
(cd "$work" && timeout 300 script -qec "'$wine' '$root/build-win/tests/cli_tests.exe' \
  --gtest_filter=Cli.ConsoleShowsTheText --gtest_output=xml:console.xml" /dev/null >/dev/null) ||
  true
if ! grep -q 'result="completed"' "$work/console.xml" || ! grep -q 'failures="0"' "$work/console.xml"; then
  echo "FAILED: Cli.ConsoleShowsTheText on a console" >&2
  cat "$work/console.xml" >&2
  exit 1
fi
echo "Windows tests under Wine: $((SECONDS - start)) s"

# --- The same command lines on both platforms -------------------------------------------------
# run PLATFORM NAME MODE ARGS...: runs in $work/PLATFORM/NAME, recording stdout, stderr and the
# exit code. MODE says where the streams go: both into files, or one of them through a pipe.
run() {
  local platform=$1 name=$2 mode=$3
  shift 3
  local dir=$work/$platform/$name
  mkdir -p "$dir"
  local -a program=("$linux_cli")
  [ "$platform" = windows ] && program=("$wine" "$windows_cli")
  local rc
  pushd "$dir" >/dev/null
  set +e
  case $mode in
    file) "${program[@]}" "$@" >stdout 2>stderr; rc=$? ;;
    outpipe) "${program[@]}" "$@" 2>stderr | cat >stdout; rc=${PIPESTATUS[0]} ;;
    errpipe) "${program[@]}" "$@" 2>&1 >stdout | cat >stderr; rc=${PIPESTATUS[0]} ;;
  esac
  set -e
  echo "$rc" >rc
  popd >/dev/null
}

both() {
  run linux "$@"
  run windows "$@"
}

# Single runs of every type: drawn, refused, with captions, every check digit, both formats.
both nw7 file --type nw7 --code 12 --cd --text below -o a.png
both nw7-svg outpipe --type nw7 --code 0123-45 --start B --stop D --cd --pattern 7 --unit 3 \
  --text above -o a.svg
both nw7-refused errpipe --type nw7 --code 12X
both code39 outpipe --type code39 --code 'CODE 39$' --cd --text below --unit 2 -o a.png
both code39-refused file --type code39 --code abc
both jan file --type jan --code 490123456789 --cd --text below -o a.png
both jan-refused outpipe --type jan --code 4901234 --cd
both itf errpipe --type itf --code 1234567 --cd --text above --height 90 -o a.png
both code128 file --type code128 --code 'Hello, "World" \ 1' --start B --cd --text below -o a.png
both code128-c outpipe --type code128 --code 0123456789 --start C --cd --text above -o a.svg
both code128-full-width file --type code128 --code １２ --cd
both postal file --type postal --code 1234567 --ref 1203 --cd --text below -o a.png
both postal-refused errpipe --type postal --code 123456 --ref 12
# The forms: the short JAN, interleaved ITF read back, ITF-14 in its frame, a wrong check digit.
both jan8 file --type jan --form jan8 --cd --code 4901234 --text below -o a.png
both itf-interleaved outpipe --type itf --form interleaved --code 12345 --cd --verify -o a.png
both itf14 file --type itf --form itf14 --cd --code 1490123456789 --unit 2 --text above -o a.png
both jan8-refused errpipe --type jan --form jan8 --code 49012340
both unicode-name outpipe --type code39 --code ABC -o 日本.png
both usage errpipe --type qr
both help outpipe --help
both replace file --type nw7 --code 1 -o a.png
for platform in linux windows; do
  run "$platform" replace file --type nw7 --code 12345 -o a.png  # onto the file written before
done

# Batches of 320 items a type: a byte-order mark, CR LF lines, refused items, a blank line, a
# line too long and a last line without a line feed.
make_list() {  # make_list TYPE FILE
  local type=$1 i code
  {
    printf '\xEF\xBB\xBF'
    for ((i = 1; i <= 320; i++)); do
      case $type in
        nw7) code=$((i * 7919 % 1000000)) ;;
        code39) code="ITEM-$i" ;;
        jan) code=$(printf '49%010d' $((i * 104729))) ;;
        itf) code=$(printf '%0*d' $((2 + i % 9)) $((i * 31))) ;;
        code128) code="Item $i/320" ;;
        postal) code=$(printf '%07d' $((i * 7057 % 10000000))) ;;
      esac
      if ((i % 23 == 5)); then code="${code}ｘ"; fi  # a full-width letter: refused
      if ((i == 100)); then code=""; fi
      if ((i == 200)); then code=$(printf '%0121d' 0); fi
      printf '%s\r\n' "$code"
    done
    printf 'no-line-feed'
  } >"$2"
}
for ((i = 1; i <= 320; i++)); do printf '%d\r\n' $((i % 40 * 10 + i % 7)); done >"$work/refs.ini"
for type in nw7 code39 jan itf code128 postal; do
  make_list "$type" "$work/$type.ini"
  for platform in linux windows; do
    for jobs in 1 4; do
      name=batch-$type-$jobs
      mkdir -p "$work/$platform/$name/out"
      mode=errpipe
      [ "$jobs" = 4 ] && mode=outpipe
      start=A
      [ "$type" = code128 ] && start=B
      # Relative names: Wine would take /tmp/... for a folder on drive C:.
      run "$platform" "$name" "$mode" --type "$type" --cd --text below --start "$start" \
        --batch "../../$type.ini" --batch-refs ../../refs.ini --out-dir out --jobs "$jobs"
    done
  done
done

# Every file on both sides, byte for byte; and the same batch output for 1 and 4 threads.
failed=0
if ! diff -r "$work/linux" "$work/windows"; then
  echo "FAILED: the Windows build's output differs from the Linux build's" >&2
  failed=1
fi
for type in nw7 code39 jan itf code128 postal; do
  if ! diff -r "$work/windows/batch-$type-1" "$work/windows/batch-$type-4" >/dev/null; then
    echo "FAILED: --jobs 1 and --jobs 4 differ for $type" >&2
    failed=1
  fi
done
images=$(find "$work/windows" -name '*.png' -o -name '*.svg' | wc -l)
runs=$(find "$work/windows" -name rc | wc -l)
refused=$(cat "$work"/windows/batch-*-1/stdout | grep -cP '^\d{6}\t$' || true)
echo "Linux and Windows compared: $runs runs, $images images, $refused refused batch items"
[ "$(cat "$work/windows/replace/rc")" = 0 ] || failed=1
[ -e "$work/windows/unicode-name/日本.png" ] || failed=1
exit $failed
