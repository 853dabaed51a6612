#!/usr/bin/env bash
# Sets up the machine, builds Titrix (win64) and starts it under wine64:
# on your display when there is one; otherwise on a private Xvfb display,
# where it saves a screenshot of the main window, prints its path and ends
# the program.
#
#   scripts/run.sh                      as above
#   scripts/run.sh --screenshot FILE    always on a private display; the screenshot goes to FILE
#                                       (docs/images/titrix.png is made this way)
set -euo pipefail
cd "$(dirname "$0")/.."
shot=
if [ "${1:-}" = "--screenshot" ]; then
  shot=$(realpath -m "${2:?--screenshot needs a file}")
  unset DISPLAY
fi

scripts/setup.sh
cmake --preset win64 -Wno-dev >/dev/null
cmake --build --preset win64 --target titrix

folder=$PWD/build/titrix-run
mkdir -p "$folder"
cp build/win64/app/titrix.exe build/win64/app/elements.txt "$folder/"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "run: starting Titrix on $DISPLAY (in $folder)"
  cd "$folder" && exec "$OLDPWD/scripts/wine-run.sh" titrix.exe
fi

source scripts/e2e/lib.sh
trap e2e_stop_session EXIT
e2e_start_session
e2e_launch "$folder"
main=$(e2e_wait_window Titrix) || { echo "run: the main window did not appear" >&2; exit 1; }
sleep 1  # its first paint
shot=${shot:-$folder/titrix.png}
mkdir -p "$(dirname "$shot")"
e2e_screenshot "$main" "$shot"
echo "run: screenshot of the main window: $shot"
e2e_keys "$main" ctrl+q
e2e_wait_exit >/dev/null || true
