#!/bin/bash
# How long the dialog stays on screen after a click on "終了" with a barcode on the clipboard,
# without and with a clipboard manager (parcellite) running, under Xvfb: the time until xev
# sees the window unmapped, and until the dialog's process has ended (by then the clipboard
# holder owns the clipboard). Qt acts on the button's release, the last thing xdotool sends
# before it returns; times are given from its return and, as an upper bound that includes
# xdotool's own start-up, from its start. Times come from bash's clock, not from new processes.
# Usage: bench/close_time.sh path/to/diduzozoz [ROUNDS]
set -euo pipefail
program="$(realpath "$1")"
rounds="${2:-10}"

if [ -z "${BENCH_IN_XVFB:-}" ]; then
    exec env BENCH_IN_XVFB=1 xvfb-run -a -s "-screen 0 800x700x24" "$0" "$@"
fi

work="$(mktemp -d)"
pids=()
cleanup() {
    # A holder still running ends with the X server.
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
printf '%s\n' 1234567 > DiDuzozoz.ini
printf '%s\n' 12 > ViVederuvida.ini

# Milliseconds with one decimal since an $EPOCHREALTIME reading.
ms_since() {
    local us=$((${EPOCHREALTIME/./} - ${1/./}))
    printf '%d.%d' $((us / 1000)) $((us % 1000 / 100))
}
holders() {
    local p
    for p in $(pgrep -f -- "^$program --keep-clipboard"); do
        tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qxF "DISPLAY=$DISPLAY" && return 0
    done
    return 1
}

one_round() {
    QT_QPA_PLATFORM=xcb "$program" &
    local pid=$!
    pids+=("$pid")
    local win
    win="$(timeout 60 xdotool search --sync --onlyvisible --name 'DiDuzozoz' | head -n 1)"
    timeout 20 xdotool windowfocus --sync "$win"
    timeout 20 xdotool key --delay 50 Tab Tab Tab space Tab space shift+Tab shift+Tab shift+Tab space
    for _ in $(seq 300); do
        timeout 5 xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx image/png && break
        sleep 0.1
    done
    # "終了" sits at (289, 238) of the dialog's 304 x 358 dialog units.
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove --window "$win" $((WIDTH * 289 / 304)) $((HEIGHT * 238 / 358))
    coproc XEV { exec stdbuf -oL xev -id "$win" -event structure -event property; }
    pids+=("$XEV_PID")
    # xev listens once it reports a property set after its start.
    local line
    for _ in $(seq 100); do
        xprop -id "$win" -f BENCH_PING 8s -set BENCH_PING 1
        read -r -t 0.2 -u "${XEV[0]}" line && break
    done
    while read -r -t 0.2 -u "${XEV[0]}" line; do :; done
    local start clicked gone
    start=$EPOCHREALTIME
    xdotool click 1
    clicked=$EPOCHREALTIME
    while read -r -t 20 -u "${XEV[0]}" line; do
        case "$line" in UnmapNotify* | DestroyNotify*) break ;; esac
    done
    gone="$(ms_since "$clicked") ms ($(ms_since "$start") ms from xdotool's start)"
    for _ in $(seq 2000); do kill -0 "$pid" 2>/dev/null || break; sleep 0.005; done
    echo "$1 window gone $gone, process ended $(ms_since "$clicked") ms"
    wait "$pid" || true
    kill "$XEV_PID" 2>/dev/null || true
    # End the holder, as the next copy anywhere would.
    printf x | xclip -selection clipboard
    for _ in $(seq 50); do holders >/dev/null || break; sleep 0.1; done
}

for _ in $(seq "$rounds"); do one_round "no manager:"; done
if command -v parcellite >/dev/null; then
    HOME="$work" parcellite >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do xdotool search --name parcellite >/dev/null 2>&1 && break; sleep 0.1; done
    for _ in $(seq "$rounds"); do one_round "parcellite:"; done
fi
