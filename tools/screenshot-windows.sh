#!/bin/bash
# Makes docs/screenshot-windows.png: the Windows dialog under Wine and Xvfb with an NW-7
# barcode drawn from the example lists and its verdict in. Needs the windows preset built.
# Usage: tools/screenshot-windows.sh [output.png]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
output="$(realpath -m "${1:-$root/docs/screenshot-windows.png}")"
build="$root/build-win"
wine=$(sed -n 's/^DIDUZOZOZ_WINE64:FILEPATH=//p' "$build/CMakeCache.txt")
if [ -z "${DISPLAY_READY:-}" ]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 800x700x24 -dpi 96" "$0" "$output"
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$root/examples/DiDuzozoz.ini" "$root/examples/ViVederuvida.ini" "$work/"
# The driver test's prefix, with its font replacements.
export WINEPREFIX="$build/tests/wineprefix-dialog"
. "$root/tests/win32/wine_prefix.sh"
trap 'rm -rf "$work"; "$wineserver" -k 2>/dev/null || true' EXIT
coproc driver { "$wine" "$build/tests/dialog_driver.exe" \
    "$(windows_path "$build/win32/diduzozoz.exe")" \
    "$(windows_path "$build/cli/diduzozoz-cli.exe")" --pose "$(windows_path "$work")"; }
read -r line <&"${driver[0]}"
[ "${line%$'\r'}" = ready ] || { echo "the driver said: $line" >&2; exit 1; }
import -window root -crop 540x610+0+0 +repage "$output"
echo >&"${driver[1]}"
wait "$driver_PID" || true
echo "wrote $output"
