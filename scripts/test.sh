#!/usr/bin/env bash
# Sets up the machine, builds every target and runs every test that can run
# here: linux (plain and sanitized) natively, linux32 under qemu-i386, win64
# under wine64 on a private X display and wine prefix. win32 is built, not
# run. Exits non-zero when any build or test fails.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh || exit 1

status=0
step() {
  echo "== $*"
  if ! "$@"; then
    echo "FAILED: $*"
    status=1
  fi
}

for preset in linux linux-asan linux32 win64 win32; do
  step cmake --preset "$preset" -Wno-dev >/dev/null
  step cmake --build --preset "$preset"
done

step ctest --preset linux -j2
step ctest --preset linux-asan -j2
step ctest --preset linux32 -j2

# A display and a wine prefix of our own, removed again however the tests end.
work=$(mktemp -d /tmp/quillon-test.XXXXXX)
xvfb_pid=
cleanup() {
  WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1
  wait >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

display=
for n in $(seq 91 180); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
export QL_WINEPREFIX="$work/prefix"
# Create the prefix once, before tests start wine in parallel.
WINEPREFIX="$QL_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
# Unmanaged windows drawn by wine itself: without a window manager the
# default makes hiding or destroying a visible window wait two seconds.
for key in Managed Decorated; do
  WINEPREFIX="$QL_WINEPREFIX" WINEDEBUG=-all /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' \
    /v "$key" /t REG_SZ /d N /f >/dev/null 2>&1
done
# The fonts a Windows user sees (Tahoma, Marlett for the caption buttons).
mkdir -p "$QL_WINEPREFIX/drive_c/windows/Fonts"
cp /usr/share/wine/fonts/* "$QL_WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
WINEPREFIX="$QL_WINEPREFIX" /usr/lib/wine/wineserver -w

step ctest --preset win64 -j2

if [ $status -eq 0 ]; then echo "ALL TESTS PASSED"; else echo "SOME BUILDS OR TESTS FAILED"; fi
exit $status
