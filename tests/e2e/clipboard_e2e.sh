#!/bin/bash
# End to end: the real program under Xvfb, a Create made through the window with the
# keyboard, the clipboard read by another process, compared pixel for pixel with what
# diduzozoz-cli exports for the same settings: the bitmap, and the same barcode as SVG.
# Usage: clipboard_e2e.sh path/to/diduzozoz path/to/diduzozoz-cli
# Exit 77 (skipped) when the X tools are not installed.
set -euo pipefail
program="$(realpath "$1")"
cli="$(realpath "$2")"

if [ -z "${E2E_IN_XVFB:-}" ]; then
    for tool in xvfb-run xdotool xclip compare rsvg-convert; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool not installed"; exit 77; }
    done
    exec env E2E_IN_XVFB=1 xvfb-run -a -s "-screen 0 800x700x24" "$0" "$@"
fi

work="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        # Bounded: a program that ignores TERM is killed for good.
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
    local seconds="$1"
    shift
    local tries=$((seconds * 10))
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
cd "$work"
printf '%s\n' 1234567 7654321 > DiDuzozoz.ini
printf '%s\n' 12 > ViVederuvida.ini

QT_QPA_PLATFORM=xcb "$program" &
pid=$!
win="$(timeout 60 xdotool search --sync --onlyvisible --name 'DiDuzozoz' | head -n 1)"
[ -n "$win" ] || { echo "FAIL: the dialog did not appear"; exit 1; }
timeout 20 xdotool windowfocus --sync "$win"
# Keys go where the focus is; X delivers them after the focus change, in order.
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$win" ]; }
wait_for 20 focused || { echo "FAIL: the dialog did not take the focus"; exit 1; }

# Focus starts in the code box. Tab order: code, 作成, reference number, the radio group
# (one stop), the CD box of NW-7.
# Select NW-7 (space), go back to 作成 and press it; ticking the CD box of NW-7 on the way
# makes the drawing differ from the start settings: check character by pattern 1.
timeout 20 xdotool key --delay 100 Tab Tab Tab space Tab space
timeout 20 xdotool key --delay 100 shift+Tab shift+Tab shift+Tab space

# xclip waits for the owner's answer; a stuck owner must not stall the test.
clipboard_png() { timeout 5 xclip -selection clipboard -t image/png -o > clip.png 2>/dev/null && [ -s clip.png ]; }
wait_for 30 clipboard_png || { echo "FAIL: no image/png on the clipboard"; exit 1; }

"$cli" --type nw7 --code 1234567 --cd --pattern 1 -o expected.png > cli_status.txt
echo "clipboard: $(identify -format '%wx%h' clip.png), cli: $(identify -format '%wx%h' expected.png)"
diff_pixels="$(compare -metric AE clip.png expected.png null: 2>&1 || true)"
if [ "$diff_pixels" != "0" ]; then
    echo "FAIL: images differ: $diff_pixels"
    exit 1
fi
# 96 dpi, as every image the program hands out.
dpi="$(identify -units PixelsPerInch -format '%x' clip.png)"
[ "${dpi%.*}" = "96" ] || { echo "FAIL: the clipboard's PNG is at $dpi dpi"; exit 1; }
# The clipboard holds two colours only.
colours="$(convert clip.png -format '%k' info:)"
[ "$colours" -le 2 ] || { echo "FAIL: $colours colours on the clipboard"; exit 1; }

# Beside the bitmap, the same barcode for programs that paste vectors.
timeout 5 xclip -selection clipboard -t TARGETS -o > targets.txt
grep -qx 'image/svg+xml' targets.txt || { echo "FAIL: no image/svg+xml among: $(tr '\n' ' ' < targets.txt)"; exit 1; }
timeout 5 xclip -selection clipboard -t image/svg+xml -o > clip.svg
grep -q 'width="[0-9.]*mm"' clip.svg || { echo "FAIL: the SVG has no size in millimetres"; exit 1; }
size="$(identify -format '%w %h' expected.png)"
timeout 20 rsvg-convert -w "${size% *}" -h "${size#* }" -b white clip.svg -o svg.png
diff_pixels="$(compare -metric AE svg.png expected.png null: 2>&1 || true)"
if [ "$diff_pixels" != "0" ]; then
    echo "FAIL: the SVG on the clipboard draws differently: $diff_pixels pixels"
    exit 1
fi
echo "PASS: the clipboard's bitmap and SVG equal the CLI's export pixel for pixel"
