// The builder end to end on real compiler output: the sample image compiled
// with each mingw compiler, built in-process and through the command line.
#include "image_builder.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "coff_object.h"
#include "file_io.h"
#include "image_dump.h"
#include "image_output.h"
#include "image_records.h"
#include "pe_locator.h"

namespace qlimage {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  return parts;
}

struct Sample {
  Machine machine;
  const char* tag;
  const char* objects;
};

const Sample kSamples[] = {
    {Machine::Amd64, "amd64", QL_SAMPLE_AMD64_OBJECTS},
    {Machine::I386, "i386", QL_SAMPLE_I386_OBJECTS},
};

void PrintTo(const Sample& s, std::ostream* out) { *out << s.tag; }

class SampleImage : public testing::TestWithParam<Sample> {
 protected:
  BuildRequest Request() const {
    BuildRequest request;
    request.objects = Split(GetParam().objects, '|');
    request.manifest = std::string(QL_FIXTURE_SOURCE_DIR) + "/sample.manifest";
    request.entryPoints = QL_ENTRY_POINTS_DIR;
    return request;
  }

  Image Build() const {
    Image image;
    Diagnostics diagnostics;
    bool built = BuildImage(Request(), image, diagnostics);
    for (const std::string& e : diagnostics.Errors()) ADD_FAILURE() << e;
    EXPECT_TRUE(built);
    return image;
  }

  // Independent count: how many relocations of the objects name each import.
  std::map<std::string, int> RelocationsTo(const char* prefix, uint16_t type) const {
    std::map<std::string, int> counts;
    for (const std::string& path : Request().objects) {
      Bytes bytes;
      Diagnostics diagnostics;
      CoffObject object;
      EXPECT_TRUE(ReadWholeFile(path, bytes, diagnostics) && ReadCoffObject(path, bytes, object, diagnostics));
      for (const CoffSection& section : object.sections) {
        for (const CoffRelocation& r : section.relocations) {
          const std::string& name = object.symbols[r.symbolIndex].name;
          if (r.type == type && name.rfind(prefix, 0) == 0 && object.symbols[r.symbolIndex].section == 0)
            ++counts[name.substr(strlen(prefix))];
        }
      }
    }
    return counts;
  }
};

TEST_P(SampleImage, EntryJumpLeadsToTheEntryFunction) {
  Image image = Build();
  ASSERT_GE(image.code.size(), 16u);
  EXPECT_EQ(image.machine, GetParam().machine);
  EXPECT_EQ(image.code[0], 0xE9);
  uint32_t displacement = 0;
  ReadU32(image.code, 1, displacement);
  uint64_t entry = 5 + static_cast<int32_t>(displacement);
  EXPECT_GE(entry, 16u);
  EXPECT_LT(entry, image.code.size());
}

TEST_P(SampleImage, RuntimeCallsBecomeImportsWithEveryCallSite) {
  Image image = Build();
  std::vector<test::ImportRecord> records = test::ParseImports(image.import);
  unsigned word = WordWidth(image.machine);
  std::map<std::string, size_t> sites;
  for (const test::ImportRecord& r : records) {
    if (r.kind != kImportRuntime) continue;
    unsigned width = r.mode == kModeRelative ? 4 : word;
    sites[r.name] += test::ChainSites(image.code, r.site, width).size();
    if (image.machine == Machine::Amd64) {
      EXPECT_EQ(r.mode, kModeAbsolute) << r.name << ": x64 imports are mode 0";
    }
  }
  EXPECT_TRUE(sites.count("RuntimeAddString"));
  EXPECT_TRUE(sites.count("RuntimePushHandlerFrame"));
  EXPECT_TRUE(sites.count("RuntimePopHandlerFrame"));
  if (image.machine == Machine::I386) {
    // Every direct call of the objects is one mode 1 site.
    for (const auto& [name, count] : RelocationsTo("_", kRelI386Rel32)) {
      if (name.find('@') != std::string::npos || name.rfind("_", 0) == 0) continue;
      EXPECT_EQ(sites[name], static_cast<size_t>(count)) << name;
    }
  } else {
    // Calls go through one thunk per entry point: one slot each.
    for (const auto& [name, count] : RelocationsTo("", kRelAmd64Rel32)) {
      if (name.rfind("Runtime", 0) == 0) {
        EXPECT_EQ(sites[name], 1u) << name;
      }
    }
  }
}

TEST_P(SampleImage, Win32RoutinesAreImportedFromTheirLibrary) {
  Image image = Build();
  std::map<std::string, std::string> libraries;
  for (const test::ImportRecord& r : test::ParseImports(image.import)) {
    if (r.kind != kImportWin32) continue;
    libraries[r.name] = r.library;
    EXPECT_EQ(test::ChainSites(image.code, r.site, image.machine == Machine::Amd64 ? 8 : 4).size(), 1u) << r.name;
  }
  EXPECT_EQ(libraries, (std::map<std::string, std::string>{{"GetStdHandle", "kernel32.dll"},
                                                            {"WriteFile", "kernel32.dll"}}));
}

TEST_P(SampleImage, StaticStringsAreRecordsReachedByKindFiveRecords) {
  Image image = Build();
  unsigned word = WordWidth(image.machine);
  std::map<uint64_t, int> records;  // record offset -> kind 0x05 references
  for (const test::ImportRecord& r : test::ParseImports(image.import)) {
    if (r.kind != kImportString) continue;
    uint64_t offset = 0;
    ASSERT_TRUE(ReadWord(image.code, r.site, word, offset));
    ++records[offset];
  }
  // "Solutions", "Dilutions", " page" and "Window": each needs its text pointer set.
  EXPECT_EQ(records.size(), 4u);
  for (const auto& [offset, count] : records) {
    uint32_t refCount = 0, length = 0;
    ASSERT_TRUE(ReadU32(image.data, offset, refCount));
    ReadU32(image.data, offset + 2 * word + 4, length);
    EXPECT_EQ(refCount, 1u);
    EXPECT_GE(length, 1u);
  }
}

TEST_P(SampleImage, DumpListsResourcesOptionsAndNoProblems) {
  Image image = Build();
  Diagnostics diagnostics;
  std::string dump = DumpImage(image, diagnostics);
  EXPECT_FALSE(diagnostics.HasErrors()) << dump;
  EXPECT_NE(dump.find("resource 'BMP ' 128 16\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("resource 'QLPl' 129 24 plugin Appearance.dll\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("option mdi \"Sample Frame\" encoding 0x8000100\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("import win32 WriteFile kernel32.dll sites 1\n"), std::string::npos) << dump;
  // Every import is listed with the sites its chain reaches.
  for (const test::ImportRecord& r : test::ParseImports(image.import)) {
    if (r.kind != kImportRuntime) continue;
    size_t sites = test::ChainSites(image.code, r.site, r.mode == kModeRelative ? 4 : WordWidth(image.machine)).size();
    std::string line = "import runtime " + r.name + " mode " + std::to_string(r.mode) + " sites " +
                       std::to_string(sites) + "\n";
    EXPECT_NE(dump.find(line), std::string::npos) << line << dump;
  }
}

TEST_P(SampleImage, AppendedExecutableCarriesTheSameImage) {
  std::string fixtures = QL_FIXTURE_DIR;
  std::string runtimePath = fixtures + "/pickle_" + GetParam().tag + ".exe";
  std::string output = fixtures + "/appended_" + GetParam().tag + ".exe";
  BuildRequest request = Request();
  request.appendTo = runtimePath;
  request.output = output;
  Diagnostics diagnostics;
  ASSERT_TRUE(RunBuild(request, diagnostics)) << diagnostics.Errors()[0];

  Bytes runtime, appended;
  ASSERT_TRUE(ReadWholeFile(runtimePath, runtime, diagnostics) && ReadWholeFile(output, appended, diagnostics));
  PeLocator locator;
  ASSERT_TRUE(FindPeLocator(output, appended, locator, diagnostics));
  EXPECT_EQ(locator.blockOffset, runtime.size());
  EXPECT_EQ(locator.auxiliaryOffset, kPoke);
  // Only the locator's first word differs from the runtime before the block.
  Bytes prefix(appended.begin(), appended.begin() + runtime.size());
  PutU32(prefix, locator.locatorOffset, kPick);
  EXPECT_TRUE(prefix == runtime);

  Image fromFile;
  ASSERT_TRUE(ReadImage(output, Machine::I386, fromFile, diagnostics));
  Image built = Build();
  EXPECT_EQ(fromFile.machine, built.machine);
  EXPECT_TRUE(fromFile.code == built.code && fromFile.data == built.data && fromFile.import == built.import &&
              fromFile.rsrc == built.rsrc && fromFile.options == built.options);
  // The block ends the file.
  EXPECT_EQ(appended.size(), runtime.size() + AppendedBlock(built).size());
}

TEST_P(SampleImage, CommandLineWritesDevelopmentFilesAndDumpsThem) {
  std::string dir = std::string(QL_FIXTURE_DIR) + "/dev_" + GetParam().tag;
  std::vector<std::string> arguments = {"--entry-points", QL_ENTRY_POINTS_DIR, "--manifest", Request().manifest,
                                        "--dev-dir", dir};
  for (const std::string& o : Request().objects) arguments.push_back(o);
  ASSERT_EQ(RunCommandLine(arguments), 0);
  Image image;
  Diagnostics diagnostics;
  ASSERT_TRUE(ReadImage(dir, GetParam().machine, image, diagnostics));
  Image built = Build();
  EXPECT_TRUE(image.code == built.code && image.import == built.import && image.options == built.options);
  testing::internal::CaptureStdout();
  EXPECT_EQ(RunCommandLine({"--dump", dir, "--machine", GetParam().tag}), 0);
  std::string dump = testing::internal::GetCapturedStdout();
  EXPECT_NE(dump.find(std::string("machine ") + GetParam().tag), std::string::npos) << dump;
}

INSTANTIATE_TEST_SUITE_P(BothMachines, SampleImage, testing::ValuesIn(kSamples),
                         [](const testing::TestParamInfo<Sample>& info) { return std::string(info.param.tag); });

TEST(CommandLine, RefusesIncompleteRequests) {
  const std::vector<std::vector<std::string>> cases = {
      {},                                                          // nothing at all
      {"--entry-points", QL_ENTRY_POINTS_DIR, "x.o"},              // no output
      {"--dev-dir", "out", "x.o"},                                 // no entry points
      {"--entry-points", QL_ENTRY_POINTS_DIR, "--append-to", "r.exe", "x.o"},  // no -o
      {"--bogus"},
      {"--dump"},
      {"--dump", "/nonexistent/file.exe"},
  };
  for (const auto& arguments : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunCommandLine(arguments), 1) << testing::PrintToString(arguments);
    EXPECT_FALSE(testing::internal::GetCapturedStderr().empty());
  }
}

}  // namespace
}  // namespace qlimage
