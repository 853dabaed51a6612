#!/usr/bin/env bash
# Builds titrix.exe for both machines and makes the release archives
#   dist/titrix-<version>-win64.zip and dist/titrix-<version>-win32.zip,
# each holding titrix.exe, elements.txt and README.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

version=
for preset in win64 win32; do
  cmake --preset "$preset" -Wno-dev >/dev/null
  cmake --build --preset "$preset" --target titrix
  v=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
  [ -n "$version" ] && [ "$v" != "$version" ] && { echo "package: versions differ: $version, $v" >&2; exit 1; }
  version=$v
done

mkdir -p dist
for preset in win64 win32; do
  stage=$(mktemp -d)
  trap 'rm -rf "$stage"' EXIT
  cp "build/$preset/app/titrix.exe" "build/$preset/app/elements.txt" "$stage/"
  sed "s/@VERSION@/$version/" app/README.txt.in > "$stage/README.txt"
  archive="dist/titrix-$version-$preset.zip"
  rm -f "$archive"
  (cd "$stage" && zip -q -X "$OLDPWD/$archive" titrix.exe elements.txt README.txt)
  rm -rf "$stage"
  trap - EXIT
  echo "package: $archive"
done
