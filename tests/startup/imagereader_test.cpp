#include "startup/imagereader.h"

#include <gtest/gtest.h>

#include <string>

#include "startup/fake_image_files.h"
#include "startup/synthetic_image.h"

namespace ql {
namespace {

using test::Bytes;

Bytes Of(const ByteBuffer& b) { return Bytes(b.data(), b.data() + b.size()); }
Bytes Of(const std::string& s) { return Bytes(s.begin(), s.end()); }

const Bytes kCode = {0xC3, 0x90, 0x90};
const Bytes kData = {1, 2, 3, 4, 5};
const Bytes kImports = {0x03, 0, 0, 0, 0};
const Bytes kRsrc = {'P', 'M', 'B', ' ', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const Bytes kOptions = {0x00, 0, 0, 0, 0};

void ExpectSections(const ImageSections& s) {
  EXPECT_EQ(Of(s.code), kCode);
  EXPECT_EQ(Of(s.data), kData);
  EXPECT_EQ(Of(s.imports), kImports);
  EXPECT_EQ(Of(s.resources), kRsrc);
  EXPECT_EQ(Of(s.options), kOptions);
}

TEST(ImageLocator, ChoosesTheLayoutAndTheAuxiliaryBlock) {
  using L = ImageLocator::Layout;
  using A = ImageLocator::Auxiliary;
  struct Case {
    const char* what;
    int64_t size;
    std::string bytes;
    L layout;
    uint32_t block;
    A auxiliary;
    uint32_t auxiliaryOffset;
  };
  const Case cases[] = {
      {"no resource", -1, "", L::Development, 0, A::DevelopmentFile, 0},
      {"PICK POKE", 8, "PICKPOKE", L::Development, 0, A::DevelopmentFile, 0},
      {"PICK alone", 4, "PICK", L::Development, 0, A::DevelopmentFile, 0},
      {"block, no auxiliary", 8, std::string("\x10\x20\x00\x00POKE", 8), L::Appended, 0x2010, A::None, 0},
      {"block, data3.dat", 8, std::string("\x10\x20\x00\x00\x00\x00\x00\x00", 8), L::Appended, 0x2010,
       A::DevelopmentFile, 0},
      {"block and auxiliary block", 8, std::string("\x10\x20\x00\x00\x00\x30\x00\x00", 8), L::Appended, 0x2010,
       A::Executable, 0x3000},
      {"longer resource", 12, std::string("\x01\x00\x00\x00POKEjunk", 12), L::Appended, 1, A::None, 0},
  };
  for (const Case& c : cases) {
    uint8_t bytes[8] = {};
    for (size_t i = 0; i < c.bytes.size() && i < 8; ++i) bytes[i] = static_cast<uint8_t>(c.bytes[i]);
    ImageLocator locator;
    LoadFailure failure;
    ASSERT_TRUE(ParseLocator(c.size, bytes, &locator, &failure)) << c.what;
    EXPECT_EQ(locator.layout, c.layout) << c.what;
    EXPECT_EQ(locator.blockOffset, c.block) << c.what;
    EXPECT_EQ(locator.auxiliary, c.auxiliary) << c.what;
    EXPECT_EQ(locator.auxiliaryOffset, c.auxiliaryOffset) << c.what;
  }
}

TEST(ImageLocator, AShortLocatorThatIsNotPickFailsTheLoad) {
  uint8_t bytes[8] = {'P', 'O', 'K', 'E', 1, 2};
  ImageLocator locator;
  LoadFailure failure;
  EXPECT_FALSE(ParseLocator(6, bytes, &locator, &failure));
  EXPECT_STREQ(failure.message(), "the image locator holds 6 bytes instead of 8");
}

TEST(ImageReader, ReadsTheAppendedBlockInItsFixedOrder) {
  test::FakeImageFiles files;
  files.Append(test::AppendedBlock(kCode, kData, kImports, kRsrc, kOptions), 100);
  ImageSections sections;
  LoadFailure failure;
  ASSERT_TRUE(ReadImage(files, &sections, &failure)) << failure.message();
  ExpectSections(sections);
  // code, data and import sections with their prefixes, then the rsrc length.
  EXPECT_EQ(sections.resourceFileOffset, 100 + 4 + 3 + 4 + 5 + 4 + 5 + 4);
  EXPECT_EQ(files.opened, (std::vector<std::string>{"<executable>"}));
}

TEST(ImageReader, EmptySectionsAreLegalAndAnEmptyRsrcHasOffsetZero) {
  test::FakeImageFiles files;
  files.Append(test::AppendedBlock(kCode, {}, {}, {}, {}));
  ImageSections sections;
  LoadFailure failure;
  ASSERT_TRUE(ReadImage(files, &sections, &failure)) << failure.message();
  EXPECT_EQ(Of(sections.code), kCode);
  EXPECT_TRUE(sections.data.empty() && sections.imports.empty() && sections.resources.empty() &&
              sections.options.empty());
  EXPECT_EQ(sections.resourceFileOffset, 0u);
}

TEST(ImageReader, ATruncatedBlockFailsWhereverItEnds) {
  const Bytes block = test::AppendedBlock(kCode, kData, kImports, kRsrc, kOptions);
  for (size_t cut = 0; cut < block.size(); ++cut) {
    test::FakeImageFiles files;
    files.Append(Bytes(block.begin(), block.begin() + cut));
    ImageSections sections;
    LoadFailure failure;
    EXPECT_FALSE(ReadImage(files, &sections, &failure)) << "cut at " << cut;
    const std::string message = failure.message();
    EXPECT_TRUE(message.find("runs past the end of the file") != std::string::npos ||
                message.find("ends before the length") != std::string::npos)
        << message;
  }
}

TEST(ImageReader, ALengthPastTheEndOrABlockOffsetBeyondTheFileFails) {
  struct Case {
    const char* what;
    Bytes block;
    uint32_t offset;
    const char* message;
  };
  Bytes huge;
  test::Append32(huge, 0xFFFFFFF0);
  huge.push_back(0xC3);
  const Case cases[] = {
      {"code length near 4 GiB", huge, 100,
       "the code section (4294967280 bytes from file offset 104) runs past the end of the file (105 bytes)"},
      {"block offset beyond the file", test::AppendedBlock(kCode, {}, {}, {}, {}), 5000,
       "the appended block ends before the length of its code section (at file offset 5000)"},
  };
  for (const Case& c : cases) {
    test::FakeImageFiles files;
    files.Append(c.block, 100);
    test::Put32(*files.locator, 0, c.offset);
    ImageSections sections;
    LoadFailure failure;
    EXPECT_FALSE(ReadImage(files, &sections, &failure)) << c.what;
    EXPECT_STREQ(failure.message(), c.message) << c.what;
  }
}

TEST(ImageReader, AnExecutableThatCannotBeOpenedFails) {
  test::FakeImageFiles files;
  files.Append(test::AppendedBlock(kCode, {}, {}, {}, {}));
  files.executable.reset();
  ImageSections sections;
  LoadFailure failure;
  EXPECT_FALSE(ReadImage(files, &sections, &failure));
  EXPECT_STREQ(failure.message(), "the executable file could not be opened for reading");
}

TEST(ImageReader, ThePickLocatorReadsTheFiveDevelopmentFilesInOrder) {
  test::FakeImageFiles files;
  files.locator = Of(std::string("PICKPOKE"));
  files.DevelopmentFiles(kCode, kData, kImports, kRsrc, kOptions);
  ImageSections sections;
  LoadFailure failure;
  ASSERT_TRUE(ReadImage(files, &sections, &failure)) << failure.message();
  ExpectSections(sections);
  EXPECT_EQ(sections.resourceFileOffset, 0u);
  EXPECT_EQ(files.opened,
            (std::vector<std::string>{"import.dat", "code.dat", "data.dat", "rsrc.dat", "options.dat"}));
}

TEST(ImageReader, AMissingDevelopmentFileFailsTheLoad) {
  for (const char* missing : {"import.dat", "code.dat", "data.dat", "rsrc.dat", "options.dat"}) {
    test::FakeImageFiles files;  // no locator resource at all
    files.DevelopmentFiles(kCode, kData, kImports, kRsrc, kOptions);
    files.folder.erase(missing);
    ImageSections sections;
    LoadFailure failure;
    EXPECT_FALSE(ReadImage(files, &sections, &failure)) << missing;
    EXPECT_EQ(std::string(failure.message()),
              std::string("the file \"") + missing + "\" could not be opened in the current folder");
  }
}

}  // namespace
}  // namespace ql
