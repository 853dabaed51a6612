#include "files/folder_item.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "files/disk_folder_item.h"
#include "files/fixture_files.h"
#include "files/text_input_stream.h"

#if defined(_WIN32)
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#endif

namespace ql {
namespace {
namespace fs = std::filesystem;

std::unique_ptr<FolderItemImp> ItemFor(const std::string& path) { return NewFolderItemImp(test::Text(path).get()); }

std::string FirstLine(std::unique_ptr<File> file) {
  if (!file) return "<no file>";
  TextInputStreamObject stream{};
  stream.file = file.release();
  const std::string line = test::Bytes(ReadLine(stream, QL_ENCODING_UTF8));
  CloseInputStream(stream);
  return line;
}

// Runs in another working directory and comes back.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const fs::path& path) : previous_(fs::current_path()) { fs::current_path(path); }
  ~WorkingDirectory() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

TEST(GetFolderItem, RelativeNameIsBesideTheExecutableWhateverTheWorkingDirectory) {
  const std::string exeFolder = test::ExecutableFolderText();
  ASSERT_TRUE(fs::exists(fs::path(exeFolder) / "files_tests") || fs::exists(fs::path(exeFolder) / "files_tests.exe"))
      << exeFolder;
  const std::string beside = exeFolder + test::Separator() + "elements.txt";
  test::WriteFixture(beside, "beside the program\n");
  test::ScratchFolder elsewhere;
  test::WriteFixture(elsewhere / "elements.txt", "in the working directory\n");
  {
    WorkingDirectory cd(elsewhere.path());
    const std::unique_ptr<FolderItemImp> item = ItemFor("elements.txt");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(test::Bytes(item->Path()), beside);
    EXPECT_TRUE(item->Exists());
    EXPECT_EQ(FirstLine(OpenTextFileOf(*item)), "beside the program");
  }
  fs::remove(beside);
}

TEST(GetFolderItem, AbsolutePathIsKeptWithoutItsTrailingSeparator) {
  test::ScratchFolder scratch;
  const std::string file = scratch / "a.txt";
  EXPECT_EQ(test::Bytes(ItemFor(file)->Path()), file);
  const std::string folder = scratch.path().string();
  EXPECT_EQ(test::Bytes(ItemFor(folder + test::Separator())->Path()), folder);
}

TEST(GetFolderItem, RefusesZeroBytesAndVirtualVolumePaths) {
  const struct {
    const char* name;
    std::string path;
  } refused[] = {
      {"zero byte inside", std::string("elem\0ents.txt", 13)},
      {"zero byte at the end", std::string("elements.txt\0", 13)},
      {"virtual volume marker", std::string("\x00\xF1\xD1\x73volume", 10)},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ItemFor(r.path), nullptr);
  }
}

TEST(GetFolderItem, TextInAnyEncodingNamesTheSameFile) {
  test::ScratchFolder scratch;
  const fs::path file = scratch.path() / fs::path(std::u8string(u8"caf\u00e9 table.txt"));
  std::ofstream(file) << "x";
  const std::string folder = scratch.path().string() + test::Separator();

  const String utf8 = test::Text(folder + "caf\xC3\xA9 table.txt");
  const String latin1 = NewStringFromBytes((folder + "caf\xE9 table.txt").data(),
                                           static_cast<int32_t>(folder.size() + 14), QL_ENCODING_WINLATIN1);
  const std::u16string units = fs::path(folder).u16string() + u"caf\u00e9 table.txt";
  const String utf16 = NewStringFromWide(units.data(), static_cast<int32_t>(units.size()));
  for (const String* path : {&utf8, &latin1, &utf16}) {
    SCOPED_TRACE(path->encoding());
    const std::unique_ptr<FolderItemImp> item = NewFolderItemImp(path->get());
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(item->Exists());
  }
}

TEST(FolderItem, ExistsAndLockedFollowTheFileSystem) {
  test::ScratchFolder scratch;
  test::WriteFixture(scratch / "plain.txt", "x");
  test::WriteFixture(scratch / "readonly.txt", "x");
  test::SetReadOnly(scratch / "readonly.txt", true);
  fs::create_directory(scratch.path() / "folder");
  const struct {
    const char* name;
    std::string path;
    bool exists;
    bool locked;
  } cases[] = {
      {"missing file", scratch / "missing.txt", false, false},
      {"missing folder on the way", scratch / "none" + test::Separator() + "x.txt", false, false},
      {"plain file", scratch / "plain.txt", true, false},
      {"read-only file", scratch / "readonly.txt", true, true},
      {"folder", scratch / "folder", true, false},
#if defined(_WIN32)
      {"bare drive", "C:", true, false},
      {"drive root", "C:\\", true, false},
      {"wildcard is no file", scratch / "*.txt", false, false},
#else
      {"root", "/", true, false},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<FolderItemImp> item = ItemFor(c.path);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Exists(), c.exists);
    EXPECT_EQ(item->Locked(), c.locked);
  }
}

TEST(FolderItem, OpensOnlyExistingFiles) {
  test::ScratchFolder scratch;
  fs::create_directory(scratch.path() / "folder");
  EXPECT_EQ(OpenTextFileOf(*ItemFor(scratch / "missing.txt")), nullptr);
  EXPECT_EQ(OpenTextFileOf(*ItemFor(scratch / "folder")), nullptr);
}

TEST(FolderItem, CreateTextFileEmptiesAWritableFile) {
  test::ScratchFolder scratch;
  const std::string path = scratch / "prefs.txt";
  test::WriteFixture(path, "old contents\r\n");
  const std::unique_ptr<FolderItemImp> item = ItemFor(path);
  {
    std::unique_ptr<File> file = CreateTextFileOf(*item);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(test::ReadFixture(path), "");
    file->Write("new", 3);
  }
  EXPECT_EQ(test::ReadFixture(path), "new");
  EXPECT_EQ(item->LastErrorCode(), 0);
}

TEST(FolderItem, CreateTextFileLeavesAReadOnlyFileAlone) {
  test::ScratchFolder scratch;
  const std::string path = scratch / "prefs.txt";
  test::WriteFixture(path, "keep me");
  test::SetReadOnly(path, true);
  const std::unique_ptr<FolderItemImp> item = ItemFor(path);
  EXPECT_EQ(CreateTextFileOf(*item), nullptr);
  EXPECT_EQ(item->LastErrorCode(), 102);
  EXPECT_EQ(test::ReadFixture(path), "keep me");
}

TEST(FolderItem, FailedCreateLeavesItsCauseInLastErrorCode) {
  test::ScratchFolder scratch;
  fs::create_directory(scratch.path() / "folder");
  const struct {
    const char* name;
    std::string path;
    int32_t code;
  } cases[] = {
      {"missing folder", scratch / "none" + test::Separator() + "x.txt", 101},
      {"a folder, not a file", scratch / "folder", 102},
#if defined(_WIN32)
      {"bad name", scratch / "bad<name>.txt", 105},
      {"no such drive", "Q:\\none\\x.txt", 101},
#else
      {"name too long", scratch / std::string(300, 'n'), 105},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<FolderItemImp> item = ItemFor(c.path);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(CreateTextFileOf(*item), nullptr);
    EXPECT_EQ(item->LastErrorCode(), c.code);
  }
}

TEST(FolderItem, NotCreatableItemRefusesToCreate) {
  test::ScratchFolder scratch;
  DiskFolderItem item(test::Text(scratch / "x.txt"), Creatable::No);
  EXPECT_EQ(CreateTextFileOf(item), nullptr);
  EXPECT_EQ(item.LastErrorCode(), 102);
  EXPECT_FALSE(fs::exists(scratch / "x.txt"));
}

#if defined(_WIN32)
// Saves a shell link to `target` at `linkPath`, as the shell's "Create shortcut" does.
bool SaveShortcut(const std::wstring& target, const std::wstring& linkPath) {
  const HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool saved = false;
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->SetPath(target.c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved = SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(apartment)) CoUninitialize();
  return saved;
}

TEST(GetFolderItem, ShortNameComponentsAreExpanded) {
  test::ScratchFolder scratch;
  const fs::path longName = scratch.path() / "a rather long file name.txt";
  std::ofstream(longName) << "x";
  wchar_t shortName[MAX_PATH] = {};
  const DWORD n = GetShortPathNameW(longName.wstring().c_str(), shortName, MAX_PATH);
  if (n == 0 || n >= MAX_PATH || longName.wstring() == shortName) GTEST_SKIP() << "the volume keeps no short names";
  const std::unique_ptr<FolderItemImp> item = ItemFor(fs::path(shortName).string());
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(test::Bytes(item->Path()), longName.string());
}

TEST(GetFolderItem, ShortcutNamesItsTarget) {
  test::ScratchFolder scratch;
  const std::string target = scratch / "real elements.txt";
  test::WriteFixture(target, "the target\r\n");
  ASSERT_TRUE(SaveShortcut((scratch.path() / "real elements.txt").wstring(),
                           (scratch.path() / "shortcut.lnk").wstring()));

  const std::unique_ptr<FolderItemImp> item = ItemFor(scratch / "shortcut.lnk");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(test::Bytes(item->Path()), target);
  EXPECT_TRUE(item->Exists());
  EXPECT_EQ(FirstLine(OpenTextFileOf(*item)), "the target");

  // A file that is no shortcut keeps its own path.
  EXPECT_EQ(test::Bytes(ItemFor(target)->Path()), target);
}
#endif

}  // namespace
}  // namespace ql
