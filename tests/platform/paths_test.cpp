#include "platform/paths.h"

#include <gtest/gtest.h>

#include <string>

namespace ql::platform {
namespace {

std::string Bytes(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

struct SyntaxRow {
  const char* path;
  bool absolute;
  bool volumeRoot;
};

#if defined(_WIN32)
const SyntaxRow kSyntaxRows[] = {
    {"C:", true, true},
    {"c:\\", true, true},
    {"C:\\dir", true, false},
    {"C:relative", true, false},
    {"\\\\server\\share", true, true},
    {"\\\\server\\share\\", true, true},
    {"\\\\server", true, false},
    {"\\\\server\\share\\dir", true, false},
    {"\\\\\\share", true, false},
    {"elements.txt", false, false},
    {"\\rooted", false, false},
    {"1:", false, false},
};
#else
const SyntaxRow kSyntaxRows[] = {
    {"/", true, true},
    {"/tmp", true, false},
    {"elements.txt", false, false},
    {"./x", false, false},
    {"C:\\x", false, false},
};
#endif

TEST(PathSyntax, TellsAbsolutePathsAndVolumeRoots) {
  for (const SyntaxRow& row : kSyntaxRows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(IsAbsolutePath(row.path), row.absolute);
    EXPECT_EQ(IsVolumeRoot(row.path), row.volumeRoot);
  }
}

TEST(AbsolutePath, JoinsRelativeNamesToTheExecutablesFolder) {
  const std::string folder = Bytes(ExecutableFolder());
  ASSERT_FALSE(folder.empty());
#if defined(_WIN32)
  EXPECT_EQ(Bytes(AbsolutePath("sub\\name.txt\\")), folder + "\\sub\\name.txt");
  EXPECT_EQ(Bytes(AbsolutePath("D:\\data\\")), "D:\\data");
  EXPECT_EQ(Bytes(AbsolutePath("C:\\")), "C:");
#else
  EXPECT_EQ(Bytes(AbsolutePath("sub/name.txt/")), folder + "/sub/name.txt");
  EXPECT_EQ(Bytes(AbsolutePath("/data//")), "/data");
  EXPECT_EQ(Bytes(AbsolutePath("/")), "/");
#endif
}

TEST(ChildPath, PutsOneSeparatorBetweenFolderAndName) {
  struct Case {
    const char* folder;
    const char* name;
    const char* path;
  };
#if defined(_WIN32)
  const Case cases[] = {{"C:\\Users\\me", "A.dll", "C:\\Users\\me\\A.dll"},
                        {"C:", "A.dll", "C:\\A.dll"},
                        {"C:\\", "A.dll", "C:\\A.dll"},
                        {"\\\\server\\share", "x", "\\\\server\\share\\x"}};
#else
  const Case cases[] = {{"/home/me/.config", "A.dll", "/home/me/.config/A.dll"}, {"/", "A.dll", "/A.dll"}};
#endif
  for (const Case& c : cases) EXPECT_EQ(Bytes(ChildPath(c.folder, c.name)), c.path) << c.folder;
}

}  // namespace
}  // namespace ql::platform
