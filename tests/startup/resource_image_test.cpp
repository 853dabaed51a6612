// The resource tests' image run for real under the runtime: every kind of
// resource through the accessors, and its plug-in installed in the
// preferences folder, loaded, kept for a second instance and removed at exit.
#if defined(_WIN32)

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/systemfolders.h"
#include "startup/child_runtime.h"
#include "startup/synthetic_image.h"

namespace ql {
namespace {

using test::Bytes;

constexpr const char kReport[] =
    "init\r\n"
    "picture Picture 2x2 72x96\r\n"
    "picture 129 nil\r\n"
    "picture without BM nil\r\n"
    "cursor MouseCursor\r\n"
    "text first\r\n"
    "text 129 nil\r\n"
    "sound Sound\r\n"
    "sound 129 Sound\r\n"
    "sound 130 nil\r\n"
    "movie nil, database nil\r\n"
    "plugin class PluginTestLine on PluginTestBase on RectControl\r\n"
    "plugin orphan on nil\r\n"
    "plugin count 7, lookup 1\r\n";

std::string InstalledPath(const char* name) {
  const String folder = platform::SpecialFolderPath(platform::SpecialFolder::Preferences);
  const String path = platform::ChildPath(folder.text(), name);
  return std::string(path.text(), static_cast<size_t>(path.length()));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The file's identity on its volume: a file deleted and made again has another.
uint64_t FileIdentity(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  BY_HANDLE_FILE_INFORMATION info = {};
  const bool ok = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  return ok ? (static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow) : 0;
}

// The development files, with a second 'TEXT' 128 after the first.
std::map<std::string, Bytes> DevelopmentFilesWithADuplicate() {
  std::map<std::string, Bytes> files;
  for (const char* name : {"code.dat", "data.dat", "import.dat", "rsrc.dat", "options.dat"})
    files[name] = test::ReadHostFile(std::string(QL_RESOURCE_IMAGE_DEV) + "/" + name);
  test::AppendBytes(files["rsrc.dat"], test::Resources().Add(0x54455854, 128, {'s', 'e', 'c', 'o', 'n', 'd'}).bytes());
  return files;
}

void ExpectEndedCleanly(const test::ChildRun& run, const char* which) {
  EXPECT_TRUE(run.exited) << which;
  EXPECT_EQ(run.exitCode, 0u) << which;
  for (const test::ChildDialog& d : run.dialogs) ADD_FAILURE() << which << ": " << d.title << ": " << d.text;
}

TEST(ResourceImage, GetsItsResourcesAndPluginClassesAndASecondInstanceLoadsTheKeptPluginFile) {
  const std::string plugin = InstalledPath("QuillonTestPlugin.dll");
  const std::string broken = InstalledPath("QuillonBrokenPlugin.dll");
  DeleteFileA(plugin.c_str());  // left behind by a run that was killed
  const std::map<std::string, Bytes> files = DevelopmentFilesWithADuplicate();
  ASSERT_FALSE(files.at("code.dat").empty());
  test::TemporaryFolder firstFolder(files), secondFolder({});

  // The first instance runs from the development files and waits for us.
  test::RunningChild first(test::BareRuntimePath(), firstFolder.path());
  ASSERT_TRUE(first.WaitForFile(firstFolder.path() + "\\waiting.txt", 30000)) << first.Wait(0).dialogs.size();
  EXPECT_EQ(firstFolder.Read("report.txt"), kReport);
  const DWORD attributes = GetFileAttributesA(plugin.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << plugin << " is installed while the image runs";
  EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_FALSE(Exists(broken)) << "a library that does not load leaves no file";
  const uint64_t identity = FileIdentity(plugin);

  // The second, appended to the runtime, finds the file in use and loads it as it is.
  test::RunningChild second(QL_RESOURCE_IMAGE_EXE, secondFolder.path());
  ASSERT_TRUE(second.WaitForFile(secondFolder.path() + "\\waiting.txt", 30000));
  EXPECT_EQ(secondFolder.Read("report.txt"), kReport);
  EXPECT_EQ(FileIdentity(plugin), identity) << "the first instance's file was kept";
  secondFolder.Write("go.txt", "");
  ExpectEndedCleanly(second.Wait(30000), "second");
  EXPECT_TRUE(Exists(plugin)) << "still loaded by the first instance";

  firstFolder.Write("go.txt", "");
  ExpectEndedCleanly(first.Wait(30000), "first");
  EXPECT_FALSE(Exists(plugin)) << "removed when the last instance ended";
}

}  // namespace
}  // namespace ql

#endif
