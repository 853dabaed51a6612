#include "startup/auxblock.h"

#include <gtest/gtest.h>

#include <vector>

#include "startup/fake_image_files.h"
#include "startup/synthetic_image.h"

namespace ql {
namespace {

using test::Bytes;

void AppendBigEndian(Bytes& b, uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// `lead` bytes, then a block of records at the given offsets and `tail` bytes after the table.
Bytes Block(size_t lead, const std::vector<uint32_t>& offsets, size_t tail) {
  Bytes b(lead, 0xEE);
  AppendBigEndian(b, static_cast<uint32_t>(offsets.size()));
  for (uint32_t offset : offsets) AppendBigEndian(b, offset);
  b.resize(b.size() + tail, 0x11);
  return b;
}

TEST(AuxiliaryBlock, FindsNumberedRecordsAndRejectsWhatIsNotThere) {
  struct Case {
    const char* what;
    Bytes file;
    uint64_t start;
    int64_t number;
    bool found;
    uint64_t position;
  };
  Bytes hugeCount;
  AppendBigEndian(hugeCount, 0x40000000);
  AppendBigEndian(hugeCount, 0);
  const Case cases[] = {
      {"first record", Block(10, {0, 68}, 136), 10, 1, true, 10 + 4 + 8},
      {"second record", Block(10, {0, 68}, 136), 10, 2, true, 10 + 4 + 8 + 68},
      {"number 0", Block(0, {0}, 68), 0, 0, false, 0},
      {"negative number", Block(0, {0}, 68), 0, -1, false, 0},
      {"number above N", Block(0, {0, 68}, 136), 0, 3, false, 0},
      {"record starts past the end", Block(0, {0, 500}, 136), 0, 2, false, 0},
      {"table outside the file", hugeCount, 0, 1, false, 0},
      {"block start beyond the file", Block(0, {0}, 68), 1000, 1, false, 0},
      {"file shorter than the count", Bytes{0, 0}, 0, 1, false, 0},
  };
  for (const Case& c : cases) {
    MemoryByteSource source(ByteView{c.file.data(), c.file.size()});
    uint64_t position = 0;
    EXPECT_EQ(FindAuxiliaryRecord(source, c.start, c.number, &position), c.found) << c.what;
    if (c.found) {
      EXPECT_EQ(position, c.position) << c.what;
    }
  }
}

TEST(AuxiliaryBlock, OpensItsFileOnceAndOnlyWhenOneExists) {
  ImageLocator development;  // "data3.dat"
  test::FakeImageFiles files;
  files.folder["data3.dat"] = Block(0, {0}, 68);
  AuxiliaryBlock block(&files, development);
  ByteSource* file = nullptr;
  uint64_t position = 0;
  EXPECT_TRUE(block.Find(1, &file, &position));
  EXPECT_EQ(position, 8u);
  EXPECT_FALSE(block.Find(2, &file, &position));
  EXPECT_TRUE(block.Find(1, &file, &position));
  EXPECT_EQ(files.opened, (std::vector<std::string>{"data3.dat"}));

  ImageLocator none;
  none.auxiliary = ImageLocator::Auxiliary::None;
  test::FakeImageFiles other;
  AuxiliaryBlock empty(&other, none);
  EXPECT_FALSE(empty.Find(1, &file, &position));
  EXPECT_TRUE(other.opened.empty());

  ImageLocator appended;
  appended.auxiliary = ImageLocator::Auxiliary::Executable;
  appended.auxiliaryOffset = 20;
  test::FakeImageFiles executable;
  executable.executable = Block(20, {4}, 80);
  AuxiliaryBlock inExecutable(&executable, appended);
  EXPECT_TRUE(inExecutable.Find(1, &file, &position));
  EXPECT_EQ(position, 20u + 8 + 4);
}

}  // namespace
}  // namespace ql
