# Sourced by the window scripts: a private X display (from :111 to :120) and
# a private wine prefix made as scripts/test.sh makes its own, both removed
# when the script ends.
session=$(mktemp -d /tmp/quillon-windows.XXXXXX)
xvfb_pid=
end_session() {
  WINEPREFIX="$session/prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
  wait >/dev/null 2>&1
  rm -rf "$session"
}
trap end_session EXIT
for n in $(seq 111 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "${display:-}" ] || { echo "no free display between :111 and :120" >&2; exit 1; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$session/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QL_WINEPREFIX="$session/prefix" WINEPREFIX="$session/prefix"
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
for key in Managed Decorated; do
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v "$key" /t REG_SZ /d N /f >/dev/null 2>&1
done
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
/usr/lib/wine/wineserver -w
