#!/usr/bin/env bash
# The window with one control of every kind, run under wine64 on a private X
# display and wine prefix from an existing win64 build:
#   scripts/controls-window.sh picture [OUT.png]  draws it and saves it
#                                                 (default docs/images/controls.png)
#   scripts/controls-window.sh soak [CYCLES]      opens and closes it CYCLES
#                                                 times (default 200) and checks
#                                                 that nothing is left behind
set -euo pipefail
cd "$(dirname "$0")/.."

tests=build/win64/tests/ui_tests.exe
[ -f "$tests" ] || { echo "build the win64 ui_tests first (cmake --build --preset win64 --target ui_tests)" >&2; exit 1; }
mode=${1:-picture}

. scripts/wine-session.sh
work=$session

case "$mode" in
  picture)
    out=${2:-docs/images/controls.png}
    QL_CONTROLS_PICTURE="Z:${work//\//\\}\\controls.bmp" \
      scripts/wine-run.sh "$tests" --gtest_filter=NativeControls.EveryKindDrawsInItsRectangle
    mkdir -p "$(dirname "$out")"
    # A 24-bit bottom-up BMP to an RGB PNG, with the standard library only.
    python3 - "$work/controls.bmp" "$out" <<'EOF'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
offset, = struct.unpack_from('<I', data, 10)
width, height = struct.unpack_from('<ii', data, 18)
stride = (width * 3 + 3) & ~3
rows = []
for y in range(height):
    row = data[offset + (height - 1 - y) * stride:][:width * 3]
    rows.append(b'\0' + bytes(row[i + c] for i in range(0, width * 3, 3) for c in (2, 1, 0)))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
EOF
    echo "wrote $out"
    ;;
  soak)
    QL_CONTROL_CYCLES=${2:-200} \
      scripts/wine-run.sh "$tests" --gtest_filter=NativeControls.OpeningAndClosingEveryKindLeavesNoObjectBehind
    ;;
  *)
    echo "usage: $0 picture [OUT.png] | soak [CYCLES]" >&2
    exit 2
    ;;
esac
