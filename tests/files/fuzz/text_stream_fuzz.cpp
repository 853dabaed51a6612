// Fuzz entry: any bytes as a text file, read line by line until the end the
// way the calculator reads elements.txt and prefs.txt. The first byte picks
// how many bytes each read of the file returns, so line endings fall across
// buffer fills. Must never crash or hang, and the lines must be those of
// the file: split at CR LF, a lone CR or a lone LF, the last one needing no
// ending, each tagged with the encoding asked for.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "files/memory_file.h"
#include "files/text_input_stream.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

std::vector<std::string> LinesOf(const std::string& contents) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < contents.size(); ++i) {
    if (contents[i] != '\r' && contents[i] != '\n') continue;
    lines.push_back(contents.substr(start, i - start));
    if (contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < contents.size()) lines.push_back(contents.substr(start));
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  const ql::fuzz::AllocationBalance balance;
  const int32_t chunk = 1 + bytes[0];
  const std::string contents(reinterpret_cast<const char*>(bytes) + 1, size - 1);
  const std::vector<std::string> expected = LinesOf(contents);
  ql::TextInputStreamObject stream{};
  stream.file = new ql::test::MemoryFile(contents, chunk);
  size_t lines = 0;
  while (!ql::StreamAtEnd(stream)) {
    Require(lines < expected.size(), "no more lines than the file holds");
    const ql::String line = ql::ReadLine(stream, QL_ENCODING_UTF8);
    const std::string& want = expected[lines++];
    Require(static_cast<size_t>(line.length()) == want.size() && memcmp(line.text(), want.data(), want.size()) == 0,
            "each line is the file's next line");
    Require(line.empty() || line.encoding() == QL_ENCODING_UTF8, "a line carries the encoding asked for");
  }
  Require(lines == expected.size(), "every line of the file is read");
  ql::CloseInputStream(stream);
  balance.Check("every line is released");
  return 0;
}
