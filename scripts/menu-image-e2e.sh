#!/usr/bin/env bash
# Drives the menu test image as a user would: under wine64 on the test
# display (DISPLAY, QL_WINEPREFIX as scripts/test.sh sets them), with
# xdotool. Alt+V G twice toggles Grid on and off, Alt+V R Rulers on, Alt+H A
# chooses About, Ctrl+Q quits; each step waits for the image's report line.
# Exits non-zero, saying why, when a step does not happen.
set -uo pipefail
image=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/menu-e2e.XXXXXX)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1

fail() {
  echo "FAILED: $*"
  echo "--- report.txt"
  cat report.txt 2>/dev/null
  exit 1
}

# Waits (at most 20 s) until report.txt holds the line.
expect_line() {
  for _ in $(seq 200); do
    grep -qxF "$1" <(tr -d '\r' < report.txt 2>/dev/null) && return 0
    sleep 0.1
  done
  fail "no line \"$1\""
}

"$here/wine-run.sh" "$image" &
pid=$!

window=
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name '^Menu test$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the window \"Menu test\" did not appear"
expect_line "Open"

press() {
  xdotool windowfocus --sync "$window" >/dev/null 2>&1
  xdotool key --delay 80 "$@"
}

press alt+v g
expect_line "Grid checked mark index -1"
press alt+v g
expect_line "Grid unchecked no mark index -1"
press alt+v r
expect_line "Rulers checked mark index -1"
press alt+h a
expect_line "About"
press ctrl+q

status=
for _ in $(seq 200); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    status=$?
    pid=
    break
  fi
  sleep 0.1
done
[ -n "$status" ] || fail "Ctrl+Q did not end the process"
[ "$status" -eq 0 ] || fail "exit code $status"
expected=$'Open\nGrid checked mark index -1\nGrid unchecked no mark index -1\nRulers checked mark index -1\nAbout\nClose\nrun returned'
[ "$(tr -d '\r' < report.txt)" = "$expected" ] || fail "the report differs"
echo "menu image: 1 passed, 0 failed"
