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
. scripts/wine-session.sh

step ctest --preset win64 -j2

if [ $status -eq 0 ]; then echo "ALL TESTS PASSED"; else echo "SOME BUILDS OR TESTS FAILED"; fi
exit $status
