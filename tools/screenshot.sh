#!/bin/bash
# Makes docs/screenshot.png: the dialog under Xvfb with an NW-7 barcode drawn from the
# example lists. Needs xvfb-run, xdotool and ImageMagick's import.
# Usage: tools/screenshot.sh [path/to/diduzozoz] [output.png]
# QT_SCALE_FACTOR=2 SCREEN=1200x1200 tools/screenshot.sh ... shows it at twice the density.
# CONTEXT_MENU=1 tools/screenshot.sh ... shows the context menu opened on the preview.
# LABEL_SHEET=1 tools/screenshot.sh ... shows the label dialog opened from that menu, with the
# first sheet of the example code list (docs/label-sheet.png).
# ADDRESS=1 tools/screenshot.sh ... shows the customer barcode drawn in the form 住所から from
# an address (docs/address-form.png).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
program="$(realpath "${1:-$root/build/qt/diduzozoz}")"
output="$(realpath -m "${2:-$root/docs/screenshot.png}")"
mkdir -p "$(dirname "$output")"

if [ -z "${DISPLAY_READY:-}" ]; then
    # Re-run inside a fresh X server of our own.
    exec env DISPLAY_READY=1 CONTEXT_MENU="${CONTEXT_MENU:-}" LABEL_SHEET="${LABEL_SHEET:-}" ADDRESS="${ADDRESS:-}" xvfb-run -a -s "-screen 0 ${SCREEN:-640x600}x24 -dpi 96" "$0" "$program" "$output"
fi

work="$(mktemp -d)"
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
wait_for() {  # polls a command for at most $1 seconds
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
    return 1
}
cp "$root/examples/DiDuzozoz.ini" "$root/examples/ViVederuvida.ini" "$work/"
cd "$work"
if [ -n "${ADDRESS:-}" ]; then
    printf '263-0023\n' >DiDuzozoz.ini
    printf '3丁目30-8 郵便ビル403号\n' >ViVederuvida.ini
fi
QT_QPA_PLATFORM=xcb "$program" &
pid=$!
win="$(timeout 60 xdotool search --sync --onlyvisible --name 'DiDuzozoz' | head -n 1)"
xdotool windowmove --sync "$win" 0 0
xdotool windowfocus --sync "$win"
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ]; }
wait_for 20 focused
# Focus starts in the code box: Tab to "作成", the reference box, then the NW-7 radio button.
xdotool key --delay 100 Tab Tab Tab space
if [ -n "${ADDRESS:-}" ]; then
    # Down the radio buttons to 〒, on to its check box (ticked), past its pattern to its form
    # list, two items down to 住所から; back to the radio button.
    xdotool key --delay 100 Down Down Down Down Down Tab space Tab Tab Down Down
    xdotool key --delay 100 shift+Tab shift+Tab shift+Tab
fi
# Back to "作成" and press it.
xdotool key --delay 100 shift+Tab shift+Tab space
# Drawn when the barcode is on the clipboard; then one more round trip for the paint.
drawn() { timeout 5 xclip -selection clipboard -t image/png -o >clip.png 2>/dev/null && [ -s clip.png ]; }
wait_for 30 drawn
xdotool getwindowgeometry "$win" >/dev/null
eval "$(xdotool getwindowgeometry --shell "$win")"  # WIDTH, HEIGHT
if [ -n "${CONTEXT_MENU:-}" ] || [ -n "${LABEL_SHEET:-}" ]; then
    # A right click on the preview; the menu is one more visible window of the program.
    windows() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
    before="$(windows)"
    xdotool mousemove --window "$win" 150 $((HEIGHT - 150)) click 3
    menu_shown() { [ "$(windows)" -gt "$before" ]; }
    wait_for 20 menu_shown
    xdotool getwindowgeometry "$win" >/dev/null  # one more round trip for the menu's paint
fi
X=0 Y=0
if [ -n "${LABEL_SHEET:-}" ]; then
    # The menu's fourth item, ラベル印刷..., with the pointer off the menu so that the first
    # Down starts from its top; the dialog is the window of that title.
    xdotool mousemove --window "$win" 5 5
    xdotool key --delay 100 Down Down Down Down Return
    label_shown() { xdotool search --onlyvisible --name 'ラベル印刷' >/dev/null 2>&1; }
    wait_for 20 label_shown
    win="$(xdotool search --onlyvisible --name 'ラベル印刷' | head -n 1)"
    xdotool windowmove --sync "$win" 0 0
    eval "$(xdotool getwindowgeometry --shell "$win")"
    # The first sheet is drawn before the dialog shows; one more round trip for its paint.
    xdotool getwindowgeometry "$win" >/dev/null
fi
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output (${WIDTH}x${HEIGHT})"
