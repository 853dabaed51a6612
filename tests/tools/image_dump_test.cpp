// The dump lists what it can read and reports the rest, whatever the bytes.
#include "image_dump.h"

#include <gtest/gtest.h>

#include "image_output.h"

namespace qlimage {
namespace {

std::string Dump(const Image& image, std::vector<std::string>* problems = nullptr) {
  Diagnostics diagnostics;
  std::string text = DumpImage(image, diagnostics);
  if (problems != nullptr) *problems = diagnostics.Errors();
  return text;
}

Image WithImports(Machine machine, Bytes code, Bytes import) {
  Image image;
  image.machine = machine;
  image.code = std::move(code);
  image.import = std::move(import);
  return image;
}

TEST(ImageDump, CountsSitesRecordsAndUnknownBytes) {
  // A mode 1 import with sites 4 and 8 (IA-32), one kind 3 and one unknown byte.
  Bytes code(16, 0);
  PutU32(code, 4, 8);
  Bytes import = {0x01, 0x01, 4, 0, 0, 0, 4, 'I', 'n', 'i', 't', 0, 0x03, 12, 0, 0, 0, 0x7E};
  std::vector<std::string> problems;
  std::string text = Dump(WithImports(Machine::I386, code, import), &problems);
  EXPECT_TRUE(problems.empty()) << text;
  EXPECT_NE(text.find("import runtime Init mode 1 sites 2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("relocations data 0 code 1 string 0 unknown-bytes 1\n"), std::string::npos) << text;
}

TEST(ImageDump, ReportsBrokenChainsAndRecords) {
  const struct {
    const char* label;
    Bytes code;
    Bytes import;
    const char* problem;
  } cases[] = {
      {"a chain that loops", [] { Bytes c(16, 0); PutU32(c, 4, 8); PutU32(c, 8, 4); return c; }(),
       {0x01, 0x01, 4, 0, 0, 0, 1, 'L', 0}, "visits more sites than the code section has words"},
      {"a chain leaving the code", Bytes(16, 0), {0x01, 0x00, 0x40, 0, 0, 0, 1, 'L', 0}, "lies outside the code"},
      {"a cut-off name", Bytes(16, 0), {0x01, 0x00, 0, 0, 0, 0, 9, 'L'}, "(kind 0x01) is cut off"},
      {"a cut-off routine record", Bytes(16, 0), {0x04, 0, 0, 0, 0, 1, 'W', 0, 3, 'k'}, "(kind 0x04) is cut off"},
      {"a site outside the code", Bytes(16, 0), {0x02, 14, 0, 0, 0}, "site 0xe lies outside the code section"},
      {"a string outside the data", [] { Bytes c(16, 0); PutU32(c, 4, 100); return c; }(), {0x05, 4, 0, 0, 0},
       "string record 0x64 lies outside the data section"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> problems;
    std::string text = Dump(WithImports(Machine::I386, c.code, c.import), &problems);
    ASSERT_FALSE(problems.empty()) << c.label;
    EXPECT_NE(problems[0].find(c.problem), std::string::npos) << c.label << ": " << problems[0];
    EXPECT_NE(text.find("problem: "), std::string::npos) << c.label;
  }
}

TEST(ImageDump, ListsResourcesAndOptionsAndReportsCutOffOnes) {
  Image image;
  image.rsrc = {0x20, 0x50, 0x4D, 0x42, 1, 0, 0, 0, 0, 0, 2, 0, 0, 0, 'B', 'M'};
  image.options = {0x09, 0x00, 0, 0, 0, 0};
  std::vector<std::string> problems;
  std::string text = Dump(image, &problems);
  EXPECT_TRUE(problems.empty()) << text;
  EXPECT_NE(text.find("resource 'BMP ' 1 2\n"), std::string::npos) << text;
  EXPECT_NE(text.find("option unknown key 0x9\noption mdi \"\"\n"), std::string::npos) << text;

  image.rsrc.pop_back();
  image.options = {0x00, 5, 0, 0, 0, 'a', 'b'};
  Dump(image, &problems);
  ASSERT_EQ(problems.size(), 2u);
  EXPECT_NE(problems[0].find("resource record at 0x0 runs past"), std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("option mdi at 0x0 runs past"), std::string::npos) << problems[1];
}

TEST(ImageDump, ShowsNamesWithTheirOddBytesEscaped) {
  const struct {
    std::string name;
    std::string shown;
  } cases[] = {
      {"Init", "Init"},
      {"", ""},
      {std::string("a\0b", 3), "a\\x00b"},
      {"tab\there\\", "tab\\x09here\\x5c"},
      {"\xff\x7f", "\\xff\\x7f"},
      {std::string(201, 'n'), std::string(200, 'n') + "..."},
      {std::string(199, 'n') + "\x01", std::string(199, 'n') + "\\x01"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Printable(c.name), c.shown) << c.name;
  }
  EXPECT_EQ(Hex(0), "0x0");
  EXPECT_EQ(Hex(0xdeadbeefcafeULL), "0xdeadbeefcafe");
  EXPECT_EQ(Hex(~0ULL), "0xffffffffffffffff");
}

TEST(SplitBlock, RefusesLengthsPastTheFile) {
  Bytes file = {1, 0, 0, 0, 0xC3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0, 0, 0};
  Image image;
  Diagnostics diagnostics;
  EXPECT_FALSE(SplitBlock("x.exe", file, 0, image, diagnostics));
  EXPECT_NE(diagnostics.Errors()[0].find("section options.dat (255 bytes"), std::string::npos)
      << diagnostics.Errors()[0];
  file.resize(10);
  EXPECT_FALSE(SplitBlock("x.exe", file, 0, image, diagnostics));
  EXPECT_NE(diagnostics.Errors()[1].find("ends before the length of import.dat"), std::string::npos)
      << diagnostics.Errors()[1];
}

}  // namespace
}  // namespace qlimage
