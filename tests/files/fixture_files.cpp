#include "files/fixture_files.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>

#include "platform/paths.h"

#if defined(_WIN32)
#include <process.h>
#define QL_TEST_PID _getpid()
#else
#include <unistd.h>
#define QL_TEST_PID getpid()
#endif

namespace ql::test {
namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("quillon-files-" + std::to_string(QL_TEST_PID) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  // Read-only files would keep Windows from removing the folder.
  for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

std::string ScratchFolder::operator/(const std::string& name) const { return (path_ / name).string(); }

void WriteFixture(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  ASSERT_TRUE(out) << path;
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFixture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SetReadOnly(const std::string& path, bool readOnly) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

String Text(const std::string& bytes) {
  return NewStringFromBytes(bytes.data(), static_cast<int32_t>(bytes.size()), QL_ENCODING_UTF8);
}

std::string Bytes(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

std::string ExecutableFolderText() { return Bytes(platform::ExecutableFolder()); }

std::string Separator() {
#if defined(_WIN32)
  return "\\";
#else
  return "/";
#endif
}

}  // namespace ql::test
