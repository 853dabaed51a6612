#include "startup/imageoptions.h"

#include <gtest/gtest.h>

#include <string>

#include "startup/synthetic_image.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::Bytes;

ByteView View(const Bytes& b) { return ByteView{b.data(), b.size()}; }

Bytes MdiRecord(const std::string& title, uint32_t encoding) {
  Bytes b = {0x00};
  test::Append32(b, static_cast<uint32_t>(title.size()));
  b.insert(b.end(), title.begin(), title.end());
  if (!title.empty()) test::Append32(b, encoding);
  return b;
}

TEST(ImageOptions, AnEmptySectionLeavesMdiOff) {
  ImageOptions options;
  LoadFailure failure;
  ASSERT_TRUE(ParseOptions(ByteView{}, &options, &failure));
  EXPECT_FALSE(options.mdi);
  EXPECT_TRUE(options.mdiTitle.empty());
}

TEST(ImageOptions, KeyZeroTurnsMdiOnWithItsTitle) {
  struct Case {
    const char* what;
    Bytes section;
    std::string title;
    uint32_t encoding;
  };
  Bytes negative = {0x00};
  test::Append32(negative, 0xFFFFFFFF);  // not positive: no text, no encoding
  const Case cases[] = {
      {"titled", MdiRecord("Titrix", QL_ENCODING_UTF8), "Titrix", QL_ENCODING_UTF8},
      {"empty title", MdiRecord("", 0), "", QL_ENCODING_ASCII},
      {"negative length", negative, "", QL_ENCODING_ASCII},
  };
  for (const Case& c : cases) {
    ImageOptions options;
    LoadFailure failure;
    ASSERT_TRUE(ParseOptions(View(c.section), &options, &failure)) << c.what << ": " << failure.message();
    EXPECT_TRUE(options.mdi) << c.what;
    EXPECT_EQ(std::string(options.mdiTitle.text(), options.mdiTitle.length()), c.title) << c.what;
    EXPECT_EQ(options.mdiTitle.encoding(), c.encoding) << c.what;
  }
}

TEST(ImageOptions, OtherKeysAreReportedAndReadingGoesOnWithTheNextByte) {
  Bytes section = {0x07};
  test::AppendBytes(section, MdiRecord("Frame", QL_ENCODING_ASCII));
  section.push_back(0x2A);
  test::AssertionRecorder recorder;
  ImageOptions options;
  LoadFailure failure;
  ASSERT_TRUE(ParseOptions(View(section), &options, &failure)) << failure.message();
  EXPECT_TRUE(options.mdi);
  EXPECT_EQ(std::string(options.mdiTitle.text()), "Frame");
  ASSERT_EQ(recorder.count(), 2u);
  for (const auto& report : recorder.reports()) {
    EXPECT_EQ(report.source, "loaderX86");
    EXPECT_EQ(report.line, 377);
    EXPECT_EQ(report.condition, "0");
  }
}

TEST(ImageOptions, ARecordRunningPastTheSectionFailsWhereverItIsCut) {
  const Bytes whole = MdiRecord("Titrix", QL_ENCODING_UTF8);
  for (size_t cut = 1; cut < whole.size(); ++cut) {
    const Bytes section(whole.begin(), whole.begin() + cut);
    ImageOptions options;
    LoadFailure failure;
    EXPECT_FALSE(ParseOptions(View(section), &options, &failure)) << "cut at " << cut;
    EXPECT_TRUE(failure.failed());
  }
}

}  // namespace
}  // namespace ql
