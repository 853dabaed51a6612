// Fuzz entry: any bytes as a text file, read line by line until the end
// through the TextInputStream entry points, the way the calculator reads
// elements.txt and prefs.txt. The first byte picks how many bytes each read
// of the file returns, so line endings fall across buffer fills. Must never
// crash or hang, and the lines must be those of the file: split at CR LF, a
// lone CR or a lone LF, the last one needing no ending, each tagged UTF-8.
// The lines are then written back through a TextOutputStream, which must
// give them each followed by CR LF, and that file must read back alike.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "core/intrinsic_classes.h"
#include "core/object_definition.h"
#include "files/file_classes.h"
#include "files/memory_file.h"
#include "quillon/entrypoints/files.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

const bool kReady = [] {
  ql::fuzz::QuietReports();
  ql::RegisterIntrinsicClasses();
  ql::ClassOf(ql::intrinsic::TextInputStream);
  ql::ClassOf(ql::intrinsic::TextOutputStream);
  // A stream's Encoding object is made once and shared.
  TextInputStreamClose(ql::NewTextInputStreamObject(std::make_unique<ql::test::MemoryFile>("")).get());
  return true;
}();

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

// Reads `contents` to the end and checks each line against `expected`.
void ReadAndCheck(const std::string& contents, int32_t chunk, const std::vector<std::string>& expected) {
  const ql::ObjectRef stream = ql::NewTextInputStreamObject(std::make_unique<ql::test::MemoryFile>(contents, chunk));
  Require(static_cast<bool>(stream), "a stream is made");
  size_t lines = 0;
  while (!TextInputStreamEOF(stream.get(), 0)) {
    Require(lines < expected.size(), "no more lines than the file holds");
    const ql::String line = ql::String::Adopt(TextInputStreamReadLine(stream.get(), nullptr));
    const std::string& want = expected[lines++];
    Require(static_cast<size_t>(line.length()) == want.size() && memcmp(line.text(), want.data(), want.size()) == 0,
            "each line is the file's next line");
    Require(line.empty() || line.encoding() == QL_ENCODING_UTF8, "a line carries the stream's encoding");
  }
  Require(lines == expected.size(), "every line of the file is read");
  TextInputStreamClose(stream.get());
  Require(ql::String::Adopt(TextInputStreamReadLine(stream.get(), nullptr)).empty(), "a closed stream reads nothing");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  const ql::fuzz::AllocationBalance balance;
  {
    const int32_t chunk = 1 + bytes[0];
    const std::string contents(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    const std::vector<std::string> lines = LinesOf(contents);
    ReadAndCheck(contents, chunk, lines);

    auto owned = std::make_unique<ql::test::MemoryFile>("");
    ql::test::MemoryFile* file = owned.get();
    const ql::ObjectRef out = ql::NewTextOutputStreamObject(std::move(owned));
    std::string written;
    for (const std::string& line : lines) {
      const ql::String text = ql::NewStringFromBytes(line.data(), static_cast<int32_t>(line.size()), QL_ENCODING_UTF8);
      TextOutputStreamWriteLine(out.get(), text.get());
      written += line + "\r\n";
    }
    Require(file->bytes() == written, "each line is written with CR LF after it");
    TextOutputStreamClose(out.get());
    ReadAndCheck(written, chunk, lines);
  }
  balance.Check("the streams and every line are released");
  return 0;
}
