#!/bin/bash
# The Windows dialog's driver under Wine: an X server of its own and a Wine prefix of its own
# (beside the driver), whose font replacements map "ＭＳ Ｐゴシック" to IPAPGothic and link
# Japanese into the fonts Wine draws captions and menus with, and whose windows are not
# managed (with no window manager, Wine would wait two seconds for every window it hides).
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
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=wineserver
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" wineboot -u </dev/null >/dev/null 2>&1
reg() { "$wine" reg add "$@" /f </dev/null >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif'; do
    reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic'
done
windows() { "$wine" winepath -w "$1" 2>/dev/null; }
status=0
"$wine" "$driver" "$(windows "$dialog")" "$(windows "$cli")" "$@" || status=$?
exit "$status"
