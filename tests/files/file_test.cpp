#include "files/file.h"

#include <gtest/gtest.h>

#include <string>

#include "files/fixture_files.h"

namespace ql {
namespace {

class SystemFileTest : public testing::Test {
 protected:
  std::unique_ptr<File> Open(const std::string& contents, platform::OpenDisposition disposition) {
    test::WriteFixture(path_, contents);
    int32_t error = -1;
    std::unique_ptr<File> file = OpenSystemFile(path_.c_str(), disposition, &error);
    EXPECT_EQ(error, 0);
    return file;
  }
  test::ScratchFolder scratch_;
  const std::string path_ = scratch_ / "file.bin";
};

TEST_F(SystemFileTest, PositionCountsOnlyTheBytesHandedOut) {
  const std::string contents(3 * SystemFile::kReadAhead / 2, 'r');
  std::unique_ptr<File> file = Open(contents, platform::OpenDisposition::ReadExisting);
  char buffer[1024];
  int64_t read = 0;
  while (const int32_t n = file->Read(buffer, sizeof buffer)) {
    read += n;
    ASSERT_EQ(file->Position(), read);
    ASSERT_EQ(file->AtEnd(), read == static_cast<int64_t>(contents.size()));
  }
  EXPECT_EQ(read, static_cast<int64_t>(contents.size()));
  EXPECT_EQ(file->Length(), read);
}

TEST_F(SystemFileTest, WriteAfterReadLandsWhereReadingStopped) {
  std::unique_ptr<File> file = Open("", platform::OpenDisposition::CreateEmpty);
  ASSERT_EQ(file->Write("0123456789", 10), 10);
  ASSERT_TRUE(file->SetPosition(2));
  char buffer[3];
  ASSERT_EQ(file->Read(buffer, 3), 3);
  EXPECT_EQ(std::string(buffer, 3), "234");
  ASSERT_EQ(file->Write("ab", 2), 2);
  EXPECT_EQ(file->Position(), 7);
  file->Close();
  EXPECT_EQ(test::ReadFixture(path_), "01234ab789");
}

TEST_F(SystemFileTest, ClosedFileReadsAndWritesNothing) {
  std::unique_ptr<File> file = Open("abc", platform::OpenDisposition::ReadExisting);
  char buffer[4];
  ASSERT_EQ(file->Read(buffer, 1), 1);
  file->Close();
  file->Close();
  EXPECT_EQ(file->Read(buffer, sizeof buffer), 0);
  EXPECT_EQ(file->Write("x", 1), 0);
  EXPECT_TRUE(file->AtEnd());
}

}  // namespace
}  // namespace ql
