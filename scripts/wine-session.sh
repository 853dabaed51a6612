# Sourced by every script that runs Windows programs: a private X display and
# a private wine prefix, both removed when the script ends. Exports DISPLAY,
# WINEPREFIX and QL_WINEPREFIX (which scripts/wine-run.sh uses).
#   QL_DISPLAYS="FIRST LAST"   the display numbers to choose from (default 91 180)
#   QL_KEEP_SESSION=1          the session's folder stays when it ends
session=$(mktemp -d /tmp/quillon-wine.XXXXXX)
xvfb_pid=
end_session() {
  WINEPREFIX="$session/prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
  wait >/dev/null 2>&1 || true
  [ -n "${QL_KEEP_SESSION:-}" ] || rm -rf "$session"
}
trap end_session EXIT

display=
for n in $(seq ${QL_DISPLAYS:-91 180}); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display among ${QL_DISPLAYS:-91 180}" >&2; exit 1; }
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$session/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QL_WINEPREFIX="$session/prefix" WINEPREFIX="$session/prefix"
deadline=$((SECONDS + 10))
until xdpyinfo >/dev/null 2>&1; do
  [ $SECONDS -lt $deadline ] || { echo "Xvfb did not start on $DISPLAY" >&2; exit 1; }
  sleep 0.1
done
# Made once, before tests start wine in parallel.
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
# Unmanaged windows drawn by wine itself: without a window manager the
# default makes hiding or destroying a visible window wait two seconds.
for key in Managed Decorated; do
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v "$key" /t REG_SZ /d N /f >/dev/null 2>&1
done
# The fonts a Windows user sees (Tahoma, Marlett for the caption buttons).
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
/usr/lib/wine/wineserver -w
