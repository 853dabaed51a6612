#!/usr/bin/env bash
# Sets up the machine, builds every target and shows what was built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
for preset in linux win64 win32; do
  cmake --preset "$preset" -Wno-dev >/dev/null
  cmake --build --preset "$preset"
done
echo
echo "Built:"
find build/linux build/win64 build/win32 -maxdepth 3 -type f \( -name '*.exe' -o -perm -u+x \) \
  ! -path '*/CMakeFiles/*' ! -path '*/googletest/*' -printf '  %p\n' | sort
