#include "platform/installed_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/process.h"
#include "platform/systemfolders.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace ql::platform {
namespace {

std::string TemporaryFile(const char* name) {
  const String folder = SpecialFolderPath(SpecialFolder::Temporary);
  const std::string unique = std::string(name) + "-" + std::to_string(TickCount());
  const String path = ChildPath(folder.text(), unique.c_str());
  return std::string(path.text(), static_cast<size_t>(path.length()));
}

std::vector<uint8_t> Contents(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* f = fopen(path.c_str(), "rb")) {
    int c;
    while ((c = fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    fclose(f);
  }
  return bytes;
}

TEST(InstalledFiles, AreCreatedNewWithAllTheirBytesAndDeleted) {
  const std::string path = TemporaryFile("quillon-installed");
  const std::vector<uint8_t> bytes = {'M', 'Z', 0, 1, 2, 0xFF};
  ASSERT_TRUE(CreateHiddenFile(path.c_str(), bytes.data(), bytes.size()));
  EXPECT_EQ(Contents(path), bytes);
  EXPECT_FALSE(CreateHiddenFile(path.c_str(), bytes.data(), 1)) << "only a new file is created";
  EXPECT_EQ(Contents(path), bytes) << "and the existing one is left alone";
#if defined(_WIN32)
  const DWORD attributes = GetFileAttributesA(path.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
#endif
  EXPECT_TRUE(DeleteFileAt(path.c_str()));
  EXPECT_FALSE(PathExists(path.c_str(), false));
  EXPECT_FALSE(DeleteFileAt(path.c_str())) << "nothing left to delete";
}

TEST(InstalledFiles, AnEmptyFileIsAFile) {
  const std::string path = TemporaryFile("quillon-installed-empty");
  ASSERT_TRUE(CreateHiddenFile(path.c_str(), nullptr, 0));
  EXPECT_TRUE(PathExists(path.c_str(), false));
  EXPECT_TRUE(Contents(path).empty());
  EXPECT_TRUE(DeleteFileAt(path.c_str()));
}

TEST(InstalledFiles, AFolderThatIsNotThereTakesNoFile) {
  const std::string path = TemporaryFile("quillon-no-such-folder") + "/x.dll";
  const uint8_t byte = 1;
  EXPECT_FALSE(CreateHiddenFile(path.c_str(), &byte, 1));
  EXPECT_FALSE(CreateHiddenFile("", &byte, 1));
  EXPECT_FALSE(DeleteFileAt(""));
}

}  // namespace
}  // namespace ql::platform
