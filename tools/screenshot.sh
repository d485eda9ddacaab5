#!/bin/bash
# Makes docs/screenshot.png: the dialog under Xvfb with an NW-7 barcode drawn from the
# example lists. Needs xvfb-run, xdotool and ImageMagick's import.
# Usage: tools/screenshot.sh [path/to/diduzozoz] [output.png]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$root/build/app/diduzozoz}")"
output="$(realpath -m "${2:-$root/docs/screenshot.png}")"
mkdir -p "$(dirname "$output")"

if [ -z "${DISPLAY_READY:-}" ]; then
    # Re-run inside a fresh X server of our own.
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 640x600x24 -dpi 96" "$0" "$program" "$output"
fi

work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$root/examples/DiDuzozoz.ini" "$root/examples/ViVederuvida.ini" "$work/"
cd "$work"
QT_QPA_PLATFORM=xcb "$program" &
pid=$!
win="$(xdotool search --sync --onlyvisible --name 'DiDuzozoz' | head -n 1)"
xdotool windowmove --sync "$win" 0 0
xdotool windowfocus --sync "$win"
sleep 0.5
# Focus starts in the code box: Tab to "作成", the reference box, then the NW-7 radio button.
xdotool key --delay 100 Tab Tab Tab space
# Back to "作成" and press it.
xdotool key --delay 100 shift+Tab shift+Tab space
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"  # WIDTH, HEIGHT
import -window root -crop "${WIDTH}x${HEIGHT}+0+0" +repage "$output"
echo "wrote $output (${WIDTH}x${HEIGHT})"
