#!/bin/bash
# Times the Windows dialog under Wine and Xvfb (bench_win32_dialog.cpp), in the prefix of the
# dialog's driver test. Builds the windows preset with the benchmark first.
# Usage: bench/win32_dialog.sh [N]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ -z "${BENCH_IN_X:-}" ]; then
    cmake --preset windows -DDIDUZOZOZ_BENCH=ON >/dev/null
    cmake --build "$root/build-win" >/dev/null
    exec env BENCH_IN_X=1 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$0" "$@"
fi
build="$root/build-win"
wine=$(sed -n 's/^DIDUZOZOZ_WINE64:FILEPATH=//p' "$build/CMakeCache.txt")
export WINEPREFIX="$build/tests/wineprefix-dialog"
. "$root/tests/win32/wine_prefix.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"; "$wineserver" -k 2>/dev/null || true' EXIT
cp "$root/examples/DiDuzozoz.ini" "$root/examples/ViVederuvida.ini" "$work/"
"$wine" "$build/bench/bench_win32_dialog.exe" "$(windows_path "$build/win32/diduzozoz.exe")" \
    "$(windows_path "$work")" "${1:-20}"
