#!/usr/bin/env bash
# Process start to the first WM_PAINT under wine, median of 10 runs (or $1):
# an image's window with 30 controls on the runtime against a plain user32
# program with the same 30 buttons. Needs the win64 build.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-10}
. scripts/wine-session.sh
bench=build/win64/bench/windows
scripts/wine-run.sh "$bench/paint_launcher.exe" "Z:$PWD/$bench/paint_image.exe" "Z:$PWD/$bench/plain_window.exe" "$runs"
