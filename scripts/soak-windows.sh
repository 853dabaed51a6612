#!/usr/bin/env bash
# Opens and closes a window with six controls 1,000 times (or $1 times)
# under wine and prints the live-object, window, font, GDI and USER counts
# after the first cycle and after the last; fails when they differ. Needs
# the win64 build (cmake --build --preset win64).
set -euo pipefail
cd "$(dirname "$0")/.."
cycles=${1:-1000}
. scripts/wine-session.sh
QL_WINDOW_CYCLES=$cycles scripts/wine-run.sh build/win64/tests/ui_tests.exe \
  --gtest_filter='WindowMessages.OpeningAndClosingAWindowAgainAndAgainLeaksNothing'
