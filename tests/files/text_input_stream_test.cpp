#include "files/text_input_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/allocator.h"
#include "core/compiled_code.h"
#include "files/file_classes.h"
#include "files/fixture_files.h"
#include "files/memory_file.h"
#include "quillon/entrypoints/files.h"
#include "support/allocation_failure.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::MemoryFile;

// Owns the stream's file the way the stream object does.
struct InputStream {
  explicit InputStream(std::unique_ptr<File> file) { object.file = file.release(); }
  ~InputStream() { CloseInputStream(object); }
  TextInputStreamObject object{};
};

// Reads until the end as the calculator does. The limit turns a stream that
// never ends into a failure instead of a hang.
std::vector<std::string> ReadUntilEnd(TextInputStreamObject& stream, size_t limit) {
  std::vector<std::string> lines;
  while (!StreamAtEnd(stream) && lines.size() <= limit) lines.push_back(test::Bytes(ReadLine(stream, QL_ENCODING_UTF8)));
  return lines;
}

const std::string kFullBuffer(1023, 'x');  // with one more byte, a whole buffer

struct LineCase {
  const char* name;
  std::string contents;
  std::vector<std::string> lines;
};

const LineCase kLineCases[] = {
    {"crlf between", "A\r\nB", {"A", "B"}},
    {"crlf at the end", "A\r\n", {"A"}},
    {"two lf", "A\n\nB", {"A", "", "B"}},
    {"empty file", "", {}},
    {"lone cr", "A\rB", {"A", "B"}},
    {"lf then cr is two endings", "A\n\rB", {"A", "", "B"}},
    {"cr cr lf", "A\r\r\nB", {"A", "", "B"}},
    {"only an ending", "\r\n", {""}},
    {"crlf split across fills", kFullBuffer + "\r\nnext", {kFullBuffer, "next"}},
    {"cr ends a fill, text follows", kFullBuffer + "\rB", {kFullBuffer, "B"}},
    {"cr ends the file at a fill", kFullBuffer + "\r", {kFullBuffer}},
    {"lf ends a fill, cr follows", kFullBuffer + "\n\rB", {kFullBuffer, "", "B"}},
    {"line of exactly one fill", kFullBuffer + "y\nB", {kFullBuffer + "y", "B"}},
    {"line across three fills", std::string(3000, 'z') + "\r\n" + std::string(5, 'w'),
     {std::string(3000, 'z'), "wwwww"}},
    {"nul bytes kept", std::string("A\0B\nC\0", 6), {std::string("A\0B", 3), std::string("C\0", 2)}},
};

// Every case is read from a real file and from files that hand out few
// bytes per read, so that every ending also falls across fills.
enum class Source { SystemFile, OneByteReads, SevenByteReads };

class StreamLines : public testing::TestWithParam<Source> {
 protected:
  std::unique_ptr<File> Open(const std::string& contents) {
    switch (GetParam()) {
      case Source::SystemFile: {
        const std::string path = scratch_ / "lines.txt";
        test::WriteFixture(path, contents);
        int32_t error = 0;
        return OpenSystemFile(path.c_str(), platform::OpenDisposition::ReadExisting, &error);
      }
      case Source::OneByteReads:
        return std::make_unique<MemoryFile>(contents, 1);
      case Source::SevenByteReads:
        return std::make_unique<MemoryFile>(contents, 7);
    }
    return nullptr;
  }
  test::ScratchFolder scratch_;
};

TEST_P(StreamLines, ReadsEachLineOnceAndEndsAfterTheLast) {
  for (const LineCase& c : kLineCases) {
    SCOPED_TRACE(c.name);
    InputStream stream(Open(c.contents));
    ASSERT_NE(stream.object.file, nullptr);
    EXPECT_EQ(ReadUntilEnd(stream.object, c.lines.size() + 2), c.lines);
    EXPECT_TRUE(StreamAtEnd(stream.object));
    EXPECT_TRUE(ReadLine(stream.object, QL_ENCODING_UTF8).empty());
  }
}

TEST_P(StreamLines, EndIsReachedOnlyWithTheLastLine) {
  InputStream stream(Open("A\r\nB\r\n"));
  EXPECT_FALSE(StreamAtEnd(stream.object));
  EXPECT_EQ(test::Bytes(ReadLine(stream.object, QL_ENCODING_UTF8)), "A");
  EXPECT_FALSE(StreamAtEnd(stream.object));
  EXPECT_EQ(test::Bytes(ReadLine(stream.object, QL_ENCODING_UTF8)), "B");
  EXPECT_TRUE(StreamAtEnd(stream.object));
}

INSTANTIATE_TEST_SUITE_P(Sources, StreamLines,
                         testing::Values(Source::SystemFile, Source::OneByteReads, Source::SevenByteReads));

TEST(TextInputStream, TagsLinesWithTheEncodingGivenAndLeavesEmptyLinesNil) {
  InputStream stream(std::make_unique<MemoryFile>("abc\n\nd"));
  EXPECT_EQ(ReadLine(stream.object, QL_ENCODING_WINLATIN1).encoding(), QL_ENCODING_WINLATIN1);
  EXPECT_EQ(ReadLine(stream.object, QL_ENCODING_WINLATIN1).get(), nullptr);
  EXPECT_EQ(ReadLine(stream.object, QL_ENCODING_ASCII).encoding(), QL_ENCODING_ASCII);
}

TEST(TextInputStream, ClosedStreamReadsNothingAndIsAtItsEnd) {
  InputStream stream(std::make_unique<MemoryFile>("A\nB\n"));
  EXPECT_EQ(test::Bytes(ReadLine(stream.object, QL_ENCODING_UTF8)), "A");
  CloseInputStream(stream.object);
  CloseInputStream(stream.object);
  EXPECT_EQ(stream.object.file, nullptr);
  EXPECT_TRUE(ReadLine(stream.object, QL_ENCODING_UTF8).empty());
  EXPECT_TRUE(StreamAtEnd(stream.object));
}

TEST(TextInputStream, FailingReadEndsTheStreamInsteadOfSpinning) {
  // Reads fail from byte 6 on, before the file's end.
  InputStream stream(std::make_unique<MemoryFile>("one\ntwo\nthree\n", INT32_MAX, 6));
  EXPECT_EQ(ReadUntilEnd(stream.object, 5), (std::vector<std::string>{"one", "tw"}));
  EXPECT_TRUE(StreamAtEnd(stream.object));
  EXPECT_EQ(stream.object.file, nullptr);
}

TEST(TextInputStream, FillsTheBufferAWholeKilobyteAtATime) {
  auto file = std::make_unique<MemoryFile>(std::string(10 * 1024, 'q'));
  MemoryFile* memory = file.get();
  InputStream stream(std::move(file));
  EXPECT_EQ(ReadLine(stream.object, QL_ENCODING_UTF8).length(), 10 * 1024);
  EXPECT_EQ(memory->reads(), 11);  // ten full fills, one that finds the end
}

class StreamBadInput : public testing::Test {
 protected:
  std::vector<std::string> ReadFixtureLines(const std::string& contents, size_t limit) {
    const std::string path = scratch_ / "bad.txt";
    test::WriteFixture(path, contents);
    int32_t error = 0;
    InputStream stream(OpenSystemFile(path.c_str(), platform::OpenDisposition::ReadExisting, &error));
    EXPECT_NE(stream.object.file, nullptr);
    return ReadUntilEnd(stream.object, limit);
  }
  test::ScratchFolder scratch_;
};

TEST_F(StreamBadInput, TenMegabytesWithoutALineEndAreOneLine) {
  std::string contents(10 * 1024 * 1024, 'm');
  for (size_t i = 0; i < contents.size(); i += 4099) contents[i] = static_cast<char>('a' + i % 26);
  const std::vector<std::string> lines = ReadFixtureLines(contents, 2);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(lines[0] == contents);
}

TEST_F(StreamBadInput, RandomBytesComeBackAsTheyAreBetweenTheirLineEnds) {
  std::mt19937 random(20240511);
  std::string contents(300 * 1024, '\0');
  for (char& c : contents) c = static_cast<char>(random());
  const std::vector<std::string> lines = ReadFixtureLines(contents, contents.size());

  std::string withoutEndings, joined;
  for (char c : contents)
    if (c != '\r' && c != '\n') withoutEndings += c;
  for (const std::string& line : lines) {
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    joined += line;
  }
  EXPECT_TRUE(joined == withoutEndings);

  // One line per CR, per LF not after a CR, and one for text after the last ending.
  size_t endings = 0;
  for (size_t i = 0; i < contents.size(); ++i)
    if (contents[i] == '\r' || (contents[i] == '\n' && (i == 0 || contents[i - 1] != '\r'))) ++endings;
  const bool textAfterLastEnding = contents.back() != '\r' && contents.back() != '\n';
  EXPECT_EQ(lines.size(), endings + (textAfterLastEnding ? 1 : 0));
}

// Whether `read` is `lines` with at most one of them cut in two (where
// memory ran out while a line spanning several buffer fills grew) or
// coming back empty (where its string could not be made).
bool OneLineAtMostCutOrLost(const std::vector<std::string>& read, const std::vector<std::string>& lines) {
  size_t r = 0, l = 0;
  bool deviated = false;
  while (r < read.size() && l < lines.size()) {
    if (read[r] == lines[l]) {
      ++r, ++l;
      continue;
    }
    if (deviated) return false;
    deviated = true;
    // A cut may come before the line's first byte, when its growth fails at once.
    if (r + 1 < read.size() && read[r] + read[r + 1] == lines[l]) {
      r += 2, ++l;
    } else if (read[r].empty()) {
      ++r, ++l;
    } else {
      return false;
    }
  }
  return r == read.size() && l == lines.size();
}

// Memory running out at any request while streams are made, read to the
// end and written: a stream that cannot be made is nil (NilObjectException),
// reading still ends, a line at most is cut or lost, and nothing is left
// behind once the streams are released.
TEST(TextStreams, MemoryRunningOutAtAnyRequestEndsReadingAndLeavesNothingBehind) {
  const std::string spanning(3000, 's');  // grows past two buffer fills
  const std::vector<std::string> lines = {"H\t1.008\tHydrogen", spanning, "", "He\t4.0026\tHelium", "last"};
  const std::string contents = "H\t1.008\tHydrogen\r\n" + spanning + "\n\r\nHe\t4.0026\tHelium\rlast";
  // What the first streams set up for the process (their classes) stays.
  NewTextInputStreamObject(std::make_unique<MemoryFile>(""));
  NewTextOutputStreamObject(std::make_unique<MemoryFile>(""));
  size_t n = 1;
  for (;; ++n) {
    const size_t before = AllocatedBytes();
    bool happened;
    std::vector<std::string> read;
    bool madeInput, madeOutput;
    {
      test::AssertionRecorder recorder;  // an exception of a failed creation finds no frame
      test::CatchScope scope;
      test::AllocationFailure failure(test::Requests::Refusable, n);
      const ObjectRef in = NewTextInputStreamObject(std::make_unique<MemoryFile>(contents, 700));
      madeInput = static_cast<bool>(in);
      while (in && !TextInputStreamEOF(in.get(), 0) && read.size() <= lines.size() + 1)
        read.push_back(test::Bytes(String::Adopt(TextInputStreamReadLine(in.get(), nullptr))));
      const ObjectRef out = NewTextOutputStreamObject(std::make_unique<MemoryFile>(""));
      madeOutput = static_cast<bool>(out);
      for (const std::string& line : read) {
        const String text = NewStringFromBytes(line.data(), static_cast<int32_t>(line.size()), QL_ENCODING_UTF8);
        if (out) TextOutputStreamWriteLine(out.get(), text.get());
      }
      happened = failure.happened();
      if (!madeInput || !madeOutput) {
        EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException") << "request " << n;
      }
    }
    if (!happened) {
      EXPECT_EQ(read, lines) << "with every request served";
      break;
    }
    if (madeInput) {
      EXPECT_TRUE(OneLineAtMostCutOrLost(read, lines)) << "request " << n;
    }
    EXPECT_EQ(AllocatedBytes(), before) << "request " << n << " left blocks behind";
  }
  EXPECT_GE(n, 4u) << "the streams, the lines and the spanning line's growth";
}

}  // namespace
}  // namespace ql
