#!/usr/bin/env bash
# The Titrix benchmark under wine64, all figures in one run, medians of 10
# runs (or $1): start to the main window drawn and the working set of
# titrix.exe against a plain user32 program with the same controls, a
# 30-character formula and "C1000000" computed (the window's answers
# meanwhile). Needs the win64 build; a private Xvfb display and prefix.
# Not a test: nothing is asserted, the figures go to docs/titrix.md.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
source scripts/e2e/lib.sh
trap e2e_stop_session EXIT
e2e_start_session
bench=build/win64/bench/windows
folder=$(e2e_folder bench)
cp "$bench/plain_titrix.exe" "$bench/titrix_bench.exe" "$folder/"
cd "$folder"
w() { echo "Z:$(pwd)/$1" | tr / '\\'; }
"$E2E_WINE" titrix_bench.exe "$(w titrix.exe)" "$(w plain_titrix.exe)" "$(w .)" "$runs"
