#include "files/text_output_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "files/fixture_files.h"
#include "files/memory_file.h"

namespace ql {
namespace {

// Owns the stream's file and delimiter the way the stream object does.
struct OutputStream {
  explicit OutputStream(std::unique_ptr<File> file) { object.file = file.release(); }
  ~OutputStream() {
    CloseOutputStream(object);
    ReleaseString(object.delimiter);
  }
  void SetDelimiter(const std::string& bytes) { AssignString(&object.delimiter, test::Text(bytes).get()); }
  TextOutputStreamObject object{};
};

struct WriteCase {
  const char* name;
  std::string delimiter;
  std::string text;
  std::string written;
};

const WriteCase kWriteCases[] = {
    {"empty text writes only the ending", "", "", "\r\n"},
    {"text then cr lf", "", "abc", "abc\r\n"},
    {"delimiter lf", "\n", "abc", "abc\n"},
    {"delimiter lf after empty text", "\n", "", "\n"},
    {"longer delimiter", "<|>", "x", "x<|>"},
    {"nul bytes written as they are", "", std::string("a\0b", 3), std::string("a\0b\r\n", 5)},
};

TEST(TextOutputStream, WritesTheTextThenTheDelimiterIntoTheFile) {
  test::ScratchFolder scratch;
  for (const WriteCase& c : kWriteCases) {
    SCOPED_TRACE(c.name);
    const std::string path = scratch / "out.txt";
    {
      int32_t error = 0;
      OutputStream stream(OpenSystemFile(path.c_str(), platform::OpenDisposition::CreateEmpty, &error));
      ASSERT_NE(stream.object.file, nullptr);
      if (!c.delimiter.empty()) stream.SetDelimiter(c.delimiter);
      WriteLine(stream.object, test::Text(c.text).get());
      WriteLine(stream.object, test::Text(c.text).get());
    }
    EXPECT_EQ(test::ReadFixture(path), c.written + c.written);
  }
}

TEST(TextOutputStream, HandsEachLineStraightToTheFile) {
  auto file = std::make_unique<test::MemoryFile>("");
  test::MemoryFile* memory = file.get();
  OutputStream stream(std::move(file));
  WriteLine(stream.object, test::Text("first").get());
  EXPECT_EQ(memory->bytes(), "first\r\n");
  EXPECT_EQ(memory->writes(), 2);  // the text, then the delimiter
}

TEST(TextOutputStream, ClosedStreamWritesNothing) {
  test::ScratchFolder scratch;
  const std::string path = scratch / "closed.txt";
  int32_t error = 0;
  OutputStream stream(OpenSystemFile(path.c_str(), platform::OpenDisposition::CreateEmpty, &error));
  WriteLine(stream.object, test::Text("kept").get());
  CloseOutputStream(stream.object);
  CloseOutputStream(stream.object);
  WriteLine(stream.object, test::Text("lost").get());
  EXPECT_EQ(test::ReadFixture(path), "kept\r\n");
}

}  // namespace
}  // namespace ql
