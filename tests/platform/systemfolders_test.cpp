#include "platform/systemfolders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/paths.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <stdlib.h>
#include <unistd.h>
#endif

namespace ql::platform {
namespace {
namespace fs = std::filesystem;

std::string Bytes(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

TEST(SpecialFolders, AreExistingAbsoluteFolders) {
  for (SpecialFolder folder : {SpecialFolder::Preferences, SpecialFolder::Temporary}) {
    const std::string path = Bytes(SpecialFolderPath(folder));
    SCOPED_TRACE(path);
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(IsAbsolutePath(path.c_str()));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_FALSE(path.size() > 1 && (path.back() == '/' || path.back() == '\\'));
  }
}

TEST(SpecialFolders, TheRootIsAVolumeRootThatExists) {
  const std::string root = Bytes(SpecialFolderPath(SpecialFolder::Root));
  SCOPED_TRACE(root);
#if defined(_WIN32)
  ASSERT_EQ(root.size(), 2u);
  EXPECT_EQ(root[1], ':');
#else
  EXPECT_EQ(root, "/");
#endif
  EXPECT_TRUE(IsVolumeRoot(root.c_str()));
  EXPECT_TRUE(PathExists(root.c_str(), true));
}

#if defined(_WIN32)
// Sets APPDATA for one test and puts the old value back.
class AppData {
 public:
  explicit AppData(const std::wstring& value) {
    wchar_t old[MAX_PATH + 1];
    const DWORD n = GetEnvironmentVariableW(L"APPDATA", old, MAX_PATH + 1);
    had_ = n > 0 && n <= MAX_PATH;
    if (had_) old_ = old;
    SetEnvironmentVariableW(L"APPDATA", value.c_str());
  }
  ~AppData() { SetEnvironmentVariableW(L"APPDATA", had_ ? old_.c_str() : nullptr); }
  const std::wstring& old() const { return old_; }

 private:
  std::wstring old_;
  bool had_ = false;
};

TEST(SpecialFolders, PreferencesAreTheFolderAppDataNamesWhenItExists) {
  const fs::path scratch = fs::temp_directory_path() / ("quillon-appdata-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(scratch);
  // The session's own: APPDATA and the shell's folder service agree on it.
  const std::string usual = Bytes(SpecialFolderPath(SpecialFolder::Preferences));
  {
    AppData named(scratch.wstring());
    EXPECT_EQ(Bytes(SpecialFolderPath(SpecialFolder::Preferences)), scratch.string());
  }
  // A relative name (of a folder that exists here) or a missing folder: the
  // shell's folder service.
  const fs::path relative = "quillon-relative-appdata";
  fs::create_directories(relative);
  for (const std::wstring& value : {relative.wstring(), (scratch / "missing").wstring()}) {
    AppData named(value);
    EXPECT_EQ(Bytes(SpecialFolderPath(SpecialFolder::Preferences)), usual);
  }
  fs::remove_all(relative);
  fs::remove_all(scratch);
}
#else
// Sets an environment variable for one test and puts the old value back.
class Variable {
 public:
  Variable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old, had_ = true;
    setenv(name, value.c_str(), 1);
  }
  ~Variable() {
    if (had_)
      setenv(name_, old_.c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

class XdgFolders : public testing::Test {
 protected:
  XdgFolders() : root_(fs::temp_directory_path() / ("quillon-xdg-" + std::to_string(getpid()))) {
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~XdgFolders() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(XdgFolders, PreferencesFollowXdgConfigHomeAndAreCreated) {
  const fs::path config = root_ / "config" / "deeper";
  Variable xdg("XDG_CONFIG_HOME", config.string() + "/");
  EXPECT_EQ(Bytes(SpecialFolderPath(SpecialFolder::Preferences)), config.string());
  EXPECT_TRUE(fs::is_directory(config));
}

TEST_F(XdgFolders, PreferencesFallBackToDotConfigInHome) {
  Variable xdg("XDG_CONFIG_HOME", "relative/is/ignored");
  Variable home("HOME", root_.string());
  EXPECT_EQ(Bytes(SpecialFolderPath(SpecialFolder::Preferences)), (root_ / ".config").string());
}

TEST_F(XdgFolders, TemporaryFollowsTmpdirWhenItIsAFolder) {
  {
    Variable tmpdir("TMPDIR", root_.string());
    EXPECT_EQ(Bytes(SpecialFolderPath(SpecialFolder::Temporary)), root_.string());
  }
  Variable tmpdir("TMPDIR", (root_ / "missing").string());
  EXPECT_EQ(Bytes(SpecialFolderPath(SpecialFolder::Temporary)), "/tmp");
}
#endif

}  // namespace
}  // namespace ql::platform
