// Fuzz entry: any bytes as a text file, read line by line until the end the
// way the calculator reads elements.txt and prefs.txt. The first byte picks
// how many bytes each read of the file returns, so line endings fall across
// buffer fills. Must never crash or hang, and the lines together can never
// hold more bytes than the file.
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <string>

#include "files/memory_file.h"
#include "files/text_input_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  const int32_t chunk = 1 + bytes[0];
  std::string contents(reinterpret_cast<const char*>(bytes) + 1, size - 1);
  ql::TextInputStreamObject stream{};
  stream.file = new ql::test::MemoryFile(contents, chunk);
  size_t lines = 0, taken = 0;
  while (!ql::StreamAtEnd(stream)) {
    ql::String line = ql::ReadLine(stream, QL_ENCODING_UTF8);
    taken += static_cast<size_t>(line.length());
    // Every line but the last consumes at least its ending.
    if (++lines > contents.size() + 1 || taken > contents.size()) abort();
  }
  ql::CloseInputStream(stream);
  return 0;
}
