// The manifest: what each directive sets, the sections it produces, and a
// message with the line for every mistake.
#include "manifest.h"

#include <gtest/gtest.h>

#include "file_io.h"

namespace qlimage {
namespace {

TEST(Manifest, DirectivesSetEntryRoutinesResourcesAndTitle) {
  const char* text =
      "# comment line\n"
      "entry StartHere   # trailing comment\n"
      "library kernel32.dll WriteFile GetStdHandle\n"
      "library user32.dll MessageBoxA\n"
      "resource 'BMP ' 128 pictures/logo.bmp\n"
      "plugin 129 \"Appearance.dll\" \"/abs/appearance.dll\"\n"
      "mdi \"Titrix \\\"Pro\\\"\"\n";
  Manifest manifest;
  Diagnostics diagnostics;
  ASSERT_TRUE(ParseManifest("m", text, "/project", manifest, diagnostics)) << diagnostics.Errors()[0];
  EXPECT_EQ(manifest.entry, "StartHere");
  EXPECT_EQ(manifest.routines, (std::map<std::string, std::string>{
                                   {"WriteFile", "kernel32.dll"}, {"GetStdHandle", "kernel32.dll"},
                                   {"MessageBoxA", "user32.dll"}}));
  ASSERT_EQ(manifest.resources.size(), 2u);
  EXPECT_EQ(manifest.resources[0].type, 0x424D5020u);  // 'BMP '
  EXPECT_EQ(manifest.resources[0].number, 128);
  EXPECT_EQ(manifest.resources[0].file, "/project/pictures/logo.bmp");
  EXPECT_EQ(manifest.resources[1].type, kPluginResourceType);
  EXPECT_EQ(manifest.resources[1].pluginFileName, "Appearance.dll");
  EXPECT_EQ(manifest.resources[1].file, "/abs/appearance.dll");
  EXPECT_EQ(manifest.mdiTitle, "Titrix \"Pro\"");
}

TEST(Manifest, EmptyManifestKeepsTheDefaults) {
  Manifest manifest;
  Diagnostics diagnostics;
  ASSERT_TRUE(ParseManifest("m", "\n# nothing\n", "", manifest, diagnostics));
  EXPECT_EQ(manifest.entry, "QuillonMain");
  EXPECT_TRUE(BuildOptionsSection(manifest).empty()) << "no option: MDI stays off";
}

TEST(Manifest, MistakesNameTheLine) {
  const struct {
    const char* line;
    const char* message;
  } cases[] = {
      {"frobnicate", "unknown directive 'frobnicate'"},
      {"entry", "expected: entry NAME"},
      {"entry two words", "expected: entry NAME"},
      {"entry 9lives", "expected: entry NAME"},
      {"library kernel32.dll", "expected: library FILE ROUTINE"},
      {"library kernel32.dll Write-File", "'Write-File' is not a routine name"},
      {"resource 'BMP' 128 a.bmp", "four characters"},
      {"resource 'BMP ' 70000 a.bmp", "0 to 65535"},
      {"resource 'BMP ' 12x a.bmp", "0 to 65535"},
      {"resource 'QLPl' 1 a.dll", "plugin NUMBER INSTALLED-NAME FILE"},
      {"resource 'BMP  128 a.bmp", "is not closed"},
      {"plugin 1 \"\" a.dll", "installed name has 1 to 255 bytes"},
      {"mdi Titrix", "expected: mdi \"FRAME TITLE\""},
      {"mdi \"open", "quoted string is not closed"},
      {"\"quoted\" first", "a line starts with a directive"},
  };
  for (const auto& c : cases) {
    Manifest manifest;
    Diagnostics diagnostics;
    std::string text = std::string("# first\n") + c.line + "\n";
    EXPECT_FALSE(ParseManifest("app.manifest", text, "", manifest, diagnostics)) << c.line;
    ASSERT_TRUE(diagnostics.HasErrors()) << c.line;
    EXPECT_EQ(diagnostics.Errors()[0].rfind("app.manifest:2: ", 0), 0u) << diagnostics.Errors()[0];
    EXPECT_NE(diagnostics.Errors()[0].find(c.message), std::string::npos) << diagnostics.Errors()[0];
  }
}

TEST(Manifest, RepeatedDefinitionsAreRefused) {
  const char* cases[] = {
      "entry A\nentry B\n",
      "mdi \"A\"\nmdi \"B\"\n",
      "library a.dll F\nlibrary b.dll F\n",
      "resource 'BMP ' 1 a\nresource 'BMP ' 1 b\n",
  };
  for (const char* text : cases) {
    Manifest manifest;
    Diagnostics diagnostics;
    EXPECT_FALSE(ParseManifest("m", text, "", manifest, diagnostics)) << text;
    EXPECT_EQ(diagnostics.Errors()[0].rfind("m:2: ", 0), 0u) << diagnostics.Errors()[0];
  }
}

TEST(Manifest, OptionsSectionHoldsTheTitleWithItsEncoding) {
  Manifest manifest;
  manifest.mdiTitle = "Ab";
  EXPECT_EQ(BuildOptionsSection(manifest), (Bytes{0, 2, 0, 0, 0, 'A', 'b', 0x00, 0x01, 0x00, 0x08}));
  manifest.mdiTitle = "";
  EXPECT_EQ(BuildOptionsSection(manifest), (Bytes{0, 0, 0, 0, 0})) << "empty title: no text, no encoding";
}

TEST(Manifest, ResourceSectionRecordsAndPluginForm) {
  std::string dir = testing::TempDir();
  Diagnostics diagnostics;
  ASSERT_TRUE(WriteWholeFile(dir + "/r.bin", Bytes{1, 2, 3}, diagnostics));
  Manifest manifest;
  manifest.resources.push_back({0x424D5020, 128, dir + "/r.bin", "", 1});
  manifest.resources.push_back({kPluginResourceType, 7, dir + "/r.bin", "P.dll", 2});
  Bytes section;
  ASSERT_TRUE(BuildResourceSection(manifest, section, diagnostics));
  EXPECT_EQ(section, (Bytes{0x20, 0x50, 0x4D, 0x42, 128, 0, 0, 0, 0, 0, 3, 0, 0, 0, 1, 2, 3,           //
                            0x6C, 0x50, 0x4C, 0x51, 7, 0, 0, 0, 0, 0, 9, 0, 0, 0, 5, 'P', '.', 'd', 'l', 'l', 1, 2,
                            3}));
  manifest.resources.push_back({0x424D5020, 9, dir + "/missing.bin", "", 3});
  EXPECT_FALSE(BuildResourceSection(manifest, section, diagnostics));
  EXPECT_NE(diagnostics.Errors().back().find("missing.bin: cannot open"), std::string::npos);
}

}  // namespace
}  // namespace qlimage
