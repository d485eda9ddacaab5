#!/bin/bash
# The Windows dialog's driver under Wine, in an X server and a Wine prefix of its own (beside
# the driver; see wine_prefix.sh).
# Usage: dialog_wine.sh WINE64 DRIVER.exe DIALOG.exe CLI.exe [SCENARIO]
# Exit 77 (skipped) when there is no X server to start.
set -euo pipefail
wine=$1 driver=$2 dialog=$3 cli=$4
shift 4
if [ -z "${DRIVER_IN_X:-}" ]; then
    command -v xvfb-run >/dev/null || { echo "skipped: xvfb-run is not installed"; exit 77; }
    exec env DRIVER_IN_X=1 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
        timeout -k 10 800 "$0" "$wine" "$driver" "$dialog" "$cli" "$@"
fi
export WINEPREFIX="$(cd "$(dirname "$driver")" && pwd)/wineprefix-dialog"
. "$(dirname "$0")/wine_prefix.sh"
status=0
"$wine" "$driver" "$(windows_path "$dialog")" "$(windows_path "$cli")" "$@" || status=$?
exit "$status"
