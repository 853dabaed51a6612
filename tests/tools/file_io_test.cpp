#include "file_io.h"

#include <gtest/gtest.h>

#include <string>

namespace qlimage {
namespace {

// Sections and development files are often empty (no resources, no
// options): they must be written as empty files, not skipped or refused.
TEST(FileIo, WritesAndReadsBackWholeFilesIncludingEmptyOnes) {
  const std::string dir = testing::TempDir();
  const Bytes cases[] = {Bytes{}, Bytes{0}, Bytes(70000, 0xA5)};
  for (const Bytes& bytes : cases) {
    Diagnostics diagnostics;
    const std::string path = dir + "/file_io_" + std::to_string(bytes.size()) + ".bin";
    ASSERT_TRUE(WriteWholeFile(path, bytes, diagnostics)) << bytes.size();
    Bytes read = {1, 2, 3};
    ASSERT_TRUE(ReadWholeFile(path, read, diagnostics)) << bytes.size();
    EXPECT_EQ(read, bytes);
    EXPECT_TRUE(diagnostics.Errors().empty());
  }
}

TEST(FileIo, AFileThatCannotBeCreatedIsReported) {
  Diagnostics diagnostics;
  EXPECT_FALSE(WriteWholeFile(testing::TempDir() + "/no-such-folder/x.bin", Bytes{1}, diagnostics));
  ASSERT_EQ(diagnostics.Errors().size(), 1u);
  EXPECT_NE(diagnostics.Errors()[0].find("cannot create"), std::string::npos);
}

}  // namespace
}  // namespace qlimage
