# Sourced by the Windows dialog's tests: a Wine prefix of their own at $WINEPREFIX, made or
# brought up to date, whose font replacements map "ＭＳ Ｐゴシック" to IPAPGothic and link
# Japanese into the fonts Wine draws captions and menus with, and whose windows are not
# managed (with no window manager, Wine would wait two seconds for every window it hides).
# Needs $wine (the wine64 loader) and $WINEPREFIX; sets $wineserver and an EXIT trap that
# ends the prefix's server.
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
windows_path() { "$wine" winepath -w "$1" 2>/dev/null; }
