#include "startup/resourcemanager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "startup/synthetic_image.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::Bytes;

constexpr uint32_t kText = FourCharCode("TEXT");
constexpr uint32_t kBitmap = FourCharCode("BMP ");

ByteView View(const Bytes& b) { return ByteView{b.data(), b.size()}; }

std::string TextOf(const ResourceEntry& e) { return std::string(reinterpret_cast<const char*>(e.data), e.size); }

TEST(ResourceManager, FourCharCodesKeepTheFirstCharacterInTheHighByte) {
  EXPECT_EQ(FourCharCode("BMP "), 0x424D5020u);
  EXPECT_EQ(resource_type::kPlugin, 0x514C506Cu);
  // The section shows the characters in reverse order.
  const Bytes record = test::Resources().Add(kBitmap, 1, {}).bytes();
  EXPECT_EQ(std::string(record.begin(), record.begin() + 4), " PMB");
}

TEST(ResourceManager, IndexesEveryRecordInSectionOrderWithItsDataAndFileOffset) {
  const Bytes section = test::Resources()
                            .Add(kText, 7, {'a', 'b', 'c'})
                            .Add(kBitmap, 65535, {})  // size 0 is legal
                            .Add(kText, 0, {'z'})
                            .bytes();
  ResourceIndex index;
  LoadFailure failure;
  ASSERT_TRUE(index.Index(View(section), 1000, &failure));
  ASSERT_EQ(index.Count(), 3u);
  struct Expected {
    uint32_t type;
    uint16_t number;
    size_t dataAt;
    uint32_t size;
  } expected[] = {{kText, 7, 14, 3}, {kBitmap, 65535, 31, 0}, {kText, 0, 45, 1}};
  for (size_t i = 0; i < 3; ++i) {
    const ResourceEntry e = index.EntryAt(i);
    EXPECT_EQ(e.type, expected[i].type) << i;
    EXPECT_EQ(e.number, expected[i].number) << i;
    EXPECT_EQ(e.data, section.data() + expected[i].dataAt) << i;
    EXPECT_EQ(e.size, expected[i].size) << i;
    EXPECT_EQ(e.fileOffset, 1000 + expected[i].dataAt) << i;
    EXPECT_TRUE(e.found()) << i;
  }
}

TEST(ResourceManager, FindTakesTheFirstOfATypeAndSixteenBitNumberAndNeverCrossesTypes) {
  const Bytes section = test::Resources()
                            .Add(kBitmap, 128, {'B'})
                            .Add(kText, 128, {'f', 'i', 'r', 's', 't'})
                            .Add(kText, 128, {'s', 'e', 'c', 'o', 'n', 'd'})
                            .Add(kText, 65535, {'m', 'a', 'x'})
                            .Add(kText, 5, {})
                            .bytes();
  ResourceIndex index;
  LoadFailure failure;
  ASSERT_TRUE(index.Index(View(section), 0, &failure));
  struct Case {
    uint32_t type;
    uint16_t number;
    const char* text;  // null: not found
  } cases[] = {
      {kText, 128, "first"},
      {kBitmap, 128, "B"},
      {kText, 65535, "max"},
      {kText, 5, ""},
      {kText, 129, nullptr},
      {kBitmap, 65535, nullptr},
      {FourCharCode("CURS"), 128, nullptr},
      {FourCharCode("text"), 128, nullptr},  // codes compare exactly
  };
  for (const Case& c : cases) {
    const ResourceEntry e = index.Find(c.type, c.number);
    EXPECT_EQ(e.found(), c.text != nullptr) << c.type << " " << c.number;
    if (c.text) {
      EXPECT_EQ(TextOf(e), c.text) << c.number;
      EXPECT_EQ(e.type, c.type);
    } else {
      EXPECT_EQ(e.data, nullptr);
      EXPECT_EQ(e.size, 0u);
    }
  }
}

TEST(ResourceManager, AnEmptySectionHasNoEntries) {
  ResourceIndex index;
  LoadFailure failure;
  EXPECT_TRUE(index.Index(ByteView{}, 0, &failure));
  EXPECT_EQ(index.Count(), 0u);
  EXPECT_FALSE(index.Find(kText, 0).found());
}

TEST(ResourceManager, AnIndexAtOrBeyondTheCountIsReportedAndGivesTheEmptyEntry) {
  const Bytes section = test::Resources().Add(kText, 1, {'x'}).bytes();
  ResourceIndex index;
  LoadFailure failure;
  ASSERT_TRUE(index.Index(View(section), 0, &failure));
  for (size_t i : {size_t{1}, size_t{2}, SIZE_MAX}) {
    test::AssertionRecorder recorder;
    EXPECT_FALSE(index.EntryAt(i).found()) << i;
    ASSERT_EQ(recorder.count(), 1u) << i;
    EXPECT_EQ(recorder.reports()[0].source, "WindowsResourceManager");
    EXPECT_EQ(recorder.reports()[0].line, 109);
    EXPECT_EQ(recorder.reports()[0].condition, "index < GetCount()");
  }
}

// Every cut of a well-formed section leaves a record incomplete, except the
// cuts at record boundaries; an incomplete record refuses the whole section
// and the entries already there stay as they were.
TEST(ResourceManager, ASectionWithARecordRunningPastItIsRefusedWhole) {
  const Bytes whole = test::Resources().Add(kText, 1, {'a', 'b'}).Add(kText, 2, {}).Add(kText, 3, {'c'}).bytes();
  const Bytes earlier = test::Resources().Add(kBitmap, 9, {}).bytes();
  const std::map<size_t, size_t> recordsAtBoundary = {{0, 0}, {16, 1}, {30, 2}, {45, 3}};
  ASSERT_EQ(whole.size(), 45u);
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    const Bytes section(whole.begin(), whole.begin() + cut);
    const auto boundary = recordsAtBoundary.find(cut);
    const bool complete = boundary != recordsAtBoundary.end();
    ResourceIndex index;
    LoadFailure failure;
    ASSERT_TRUE(index.Index(View(earlier), 0, &failure));
    EXPECT_EQ(index.Index(View(section), 0, &failure), complete) << cut;
    EXPECT_EQ(index.Count(), 1 + (complete ? boundary->second : 0)) << cut;
    EXPECT_EQ(failure.failed(), !complete) << cut;
  }
}

TEST(ResourceManager, ASizeBeyondTheSectionIsRefusedWithoutWrapping) {
  for (uint32_t size : {3u, 0x7FFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFF2u}) {
    Bytes section = test::Resources().Add(kText, 1, {'a', 'b'}).bytes();
    test::Put32(section, 10, size);
    ResourceIndex index;
    LoadFailure failure;
    EXPECT_FALSE(index.Index(View(section), 0, &failure)) << size;
    EXPECT_EQ(index.Count(), 0u);
    EXPECT_NE(std::string(failure.message()).find("runs past the end of the section"), std::string::npos);
  }
}

TEST(ResourceManager, TheIndexGrowsAndKeepsSectionOrder) {
  test::Resources resources;
  for (uint16_t n = 0; n < 100; ++n) resources.Add(kText, static_cast<uint16_t>(1000 - n), {static_cast<uint8_t>(n)});
  ResourceIndex index;
  LoadFailure failure;
  ASSERT_TRUE(index.Index(View(resources.bytes()), 0, &failure));
  ASSERT_EQ(index.Count(), 100u);
  for (size_t i = 0; i < 100; ++i) {
    EXPECT_EQ(index.EntryAt(i).number, 1000 - i);
    EXPECT_EQ(index.EntryAt(i).data[0], i);
  }
  EXPECT_EQ(index.Find(kText, 950).data[0], 50);
}

}  // namespace
}  // namespace ql
