// Fuzz entry: any bytes as an executable carrying an image, and as an
// appended block on its own; both are dumped. Must never crash or hang.
#include <stddef.h>
#include <stdint.h>

#include "image_dump.h"
#include "image_output.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qlimage::ByteView bytes(data, size);
  for (qlimage::Machine machine : {qlimage::Machine::I386, qlimage::Machine::Amd64}) {
    qlimage::Diagnostics diagnostics;
    qlimage::Image image;
    image.machine = machine;
    if (qlimage::SplitBlock("input", bytes, 0, image, diagnostics)) qlimage::DumpImage(image, diagnostics);
  }
  qlimage::Diagnostics diagnostics;
  qlimage::Image image;
  if (qlimage::ReadImageBytes("input.exe", bytes, image, diagnostics)) qlimage::DumpImage(image, diagnostics);
  return 0;
}
