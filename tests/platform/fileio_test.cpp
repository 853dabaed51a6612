#include "platform/fileio.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#if defined(_WIN32)
#include <windows.h>
#else
#include <errno.h>
#include <sys/stat.h>
#endif

namespace ql::platform {
namespace {
namespace fs = std::filesystem;

struct ErrorRow {
  uint32_t systemError;
  int32_t code;
};

#if defined(_WIN32)
const ErrorRow kErrorRows[] = {
    {2, 101},   {3, 101},   {15, 101},                                                   // not found
    {5, 102},   {16, 102},  {19, 102},  {29, 102}, {30, 102}, {65, 102}, {108, 102},   // access, devices
    {148, 102}, {266, 102},                                                              //
    {8, 103},   {14, 103},  {39, 103},                                                   // memory, disk full
    {26, 104},  {32, 104},  {33, 104},                                                   // sharing, locks
    {123, 105}, {161, 105}, {267, 105}, {1006, 105},                                     // bad names
    {87, 87},   {21, 21},   {0, 0},                                                      // others unchanged
};
#else
const ErrorRow kErrorRows[] = {
    {ENOENT, 101}, {ENOTDIR, 101},                                           // not found
    {EACCES, 102}, {EPERM, 102},   {EROFS, 102},   {EISDIR, 102},            // access denied
    {ENOSPC, 103}, {ENOMEM, 103},  {EDQUOT, 103},                            // memory, space
    {EBUSY, 104},  {ETXTBSY, 104},                                           // busy
    {ENAMETOOLONG, 105}, {EINVAL, 105}, {ELOOP, 105},                        // bad names
    {EEXIST, EEXIST}, {0, 0},                                                // others unchanged
};
#endif

TEST(FileErrorCode, MapsSystemErrorsToLastErrorCodes) {
  for (const ErrorRow& row : kErrorRows) EXPECT_EQ(FileErrorCode(row.systemError), row.code) << row.systemError;
}

class FileIO : public testing::Test {
 protected:
  FileIO() : folder_(fs::temp_directory_path() / ("quillon-fileio-" + std::to_string(counter_++))) {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~FileIO() override { fs::remove_all(folder_); }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }

  fs::path folder_;
  static inline int counter_ = 0;
};

TEST_F(FileIO, WritesReadsAndReportsPositionAndLength) {
  const std::string path = PathOf("f.bin");
  OpenedFile created = OpenFileAt(path.c_str(), OpenDisposition::CreateEmpty);
  ASSERT_NE(created.handle, kNoFile);
  EXPECT_EQ(WriteToFile(created.handle, "hello world", 11), 11);
  EXPECT_EQ(FilePosition(created.handle), 11);
  EXPECT_EQ(FileLength(created.handle), 11);
  ASSERT_TRUE(SetFilePosition(created.handle, 6));
  char buffer[16] = {};
  EXPECT_EQ(ReadFromFile(created.handle, buffer, sizeof buffer), 5);
  EXPECT_STREQ(buffer, "world");
  EXPECT_EQ(ReadFromFile(created.handle, buffer, sizeof buffer), 0);
  CloseFileHandle(created.handle);

  OpenedFile again = OpenFileAt(path.c_str(), OpenDisposition::CreateEmpty);
  ASSERT_NE(again.handle, kNoFile);
  EXPECT_EQ(FileLength(again.handle), 0);  // emptied
  CloseFileHandle(again.handle);
}

TEST_F(FileIO, ReadingKeepsTheFileOpenForOtherReadersAndWriters) {
  const std::string path = PathOf("shared.txt");
  std::ofstream(path) << "abc";
  OpenedFile reader = OpenFileAt(path.c_str(), OpenDisposition::ReadExisting);
  ASSERT_NE(reader.handle, kNoFile);
  OpenedFile writer = OpenFileAt(path.c_str(), OpenDisposition::CreateEmpty);
  EXPECT_NE(writer.handle, kNoFile);
  CloseFileHandle(writer.handle);
  CloseFileHandle(reader.handle);
}

TEST_F(FileIO, RefusesMissingFilesAndFolders) {
  const std::string missing = PathOf("missing.txt");
  const OpenedFile none = OpenFileAt(missing.c_str(), OpenDisposition::ReadExisting);
  EXPECT_EQ(none.handle, kNoFile);
  EXPECT_EQ(FileErrorCode(none.systemError), 101);

  const std::string folder = folder_.string();
  for (OpenDisposition d : {OpenDisposition::ReadExisting, OpenDisposition::CreateEmpty}) {
    const OpenedFile opened = OpenFileAt(folder.c_str(), d);
    EXPECT_EQ(opened.handle, kNoFile);
    EXPECT_EQ(FileErrorCode(opened.systemError), 102);
  }
}

#if defined(_WIN32)
TEST_F(FileIO, WritingLetsOthersReadButNotWrite) {
  const std::string path = PathOf("exclusive.txt");
  OpenedFile writer = OpenFileAt(path.c_str(), OpenDisposition::CreateEmpty);
  ASSERT_NE(writer.handle, kNoFile);
  OpenedFile reader = OpenFileAt(path.c_str(), OpenDisposition::ReadExisting);
  EXPECT_NE(reader.handle, kNoFile);
  CloseFileHandle(reader.handle);
  OpenedFile second = OpenFileAt(path.c_str(), OpenDisposition::CreateEmpty);
  EXPECT_EQ(second.handle, kNoFile);
  EXPECT_EQ(FileErrorCode(second.systemError), 104);
  CloseFileHandle(writer.handle);
}
#else
TEST_F(FileIO, FifoIsRefusedWithoutWaitingForAWriter) {
  const std::string fifo = PathOf("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const OpenedFile opened = OpenFileAt(fifo.c_str(), OpenDisposition::ReadExisting);
  EXPECT_EQ(opened.handle, kNoFile);
  EXPECT_EQ(FileErrorCode(opened.systemError), 102);
}
#endif

}  // namespace
}  // namespace ql::platform
