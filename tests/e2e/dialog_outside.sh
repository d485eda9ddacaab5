#!/bin/bash
# The real dialog driven from outside (dialog_outside.py): under an X server of its own and a
# private D-Bus session with the accessibility bus, so that AT-SPI reaches the program.
# Usage: dialog_outside.sh path/to/diduzozoz path/to/diduzozoz-cli [--seed N] [--steps N]
# Exit 77 (skipped) when the tools are not installed.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"

if [ -z "${OUTSIDE_IN_SESSION:-}" ]; then
    for tool in xvfb-run dbus-run-session xdotool xclip import timeout; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool not installed"; exit 77; }
    done
    [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skipped: at-spi2-core not installed"; exit 77; }
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        { echo "skipped: python3-pyatspi not installed"; exit 77; }
    # The session's sockets (the accessibility bus among them) in a folder of its own.
    runtime="$(mktemp -d)"
    inner=""
    cleanup() {
        # timeout passes the signal on to everything it started: X server, buses, driver.
        if [ -n "$inner" ]; then kill -TERM "$inner" 2>/dev/null || true; wait "$inner" || true; fi
        rm -rf "$runtime"
    }
    trap cleanup EXIT
    trap 'exit 143' TERM INT
    # Bounded as a whole; the driver bounds each wait and ends each program it starts.
    env OUTSIDE_IN_SESSION=1 XDG_RUNTIME_DIR="$runtime" timeout -k 10 480 \
        xvfb-run -a -s "-screen 0 800x700x24" dbus-run-session -- "$0" "$@" &
    inner=$!
    status=0
    wait "$inner" || status=$?
    inner=""
    exit "$status"
fi

export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec /usr/bin/python3 "$here/dialog_outside.py" "$@"
