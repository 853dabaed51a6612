// Control fonts: the face-name map and the font cache.
#include <gtest/gtest.h>

#include "core/string.h"
#include "ui/fonts.h"
#if !defined(_WIN32)
#include "ui/posix/fake_windows.h"
#endif

namespace ql::test {
namespace {

using namespace ui;

TEST(ControlFonts, FaceNamesMapWithoutRegardToCase) {
  struct Case {
    const char* textFont;
    const char* face;  // nullptr: used unchanged
  };
  const Case cases[] = {
      {"System", "MS Sans Serif"},  {"application", "MS Sans Serif"}, {"GENEVA", "MS Sans Serif"},
      {"SmallSystem", "MS Sans Serif"}, {"Courier", "Courier New"},  {"Times", "Times New Roman"},
      {"helvetica", "Arial"},       {"Osaka", "MS UI Gothic"},       {"Tahoma", nullptr},
      {"", nullptr},                {"Systems", nullptr},
  };
  for (const Case& c : cases) {
    String name = NewStringFromCText(c.textFont);
    const char* mapped = MappedFaceName(name.get());
    if (c.face) EXPECT_STREQ(mapped, c.face) << c.textFont;
    else EXPECT_EQ(mapped, nullptr) << c.textFont;
  }
}

TEST(ControlFonts, CharacterSetsOfScriptCodes) {
  struct Case {
    int32_t script;
    uint8_t charset;
  };
  for (const Case& c : {Case{13, 128}, Case{21, 136}, Case{12, 177}, Case{14, 178}, Case{16, 161}, Case{19, 162},
                        Case{24, 222}, Case{34, 204}, Case{0, 1}, Case{7, 1}})
    EXPECT_EQ(CharsetOfScriptCode(c.script), c.charset) << c.script;
}

TEST(ControlFonts, AnEqualRequestSharesTheCachedFontAndCountsAUse) {
  String helvetica = NewStringFromCText("Helvetica");
  String lower = NewStringFromCText("HELVETICA");
  void* first = AcquireControlFont(FontRequest{helvetica.get(), 0, true, false, false});
  ASSERT_NE(first, nullptr);
  const size_t cached = CachedFontCount();
  void* second = AcquireControlFont(FontRequest{lower.get(), 0, true, false, false});
  EXPECT_EQ(second, first);
  EXPECT_EQ(FontUseCount(first), 2);
  EXPECT_EQ(CachedFontCount(), cached);
  void* plain = AcquireControlFont(FontRequest{helvetica.get(), 0, false, false, false});
  EXPECT_NE(plain, first);
  EXPECT_EQ(CachedFontCount(), cached + 1);
  ReleaseControlFont(second);
  EXPECT_EQ(FontUseCount(first), 1);
#if !defined(_WIN32)
  const fake::FakeFont* made = fake::FontOf(first);
  EXPECT_EQ(made->face, "Arial");
  EXPECT_EQ(made->plan.height, -12) << "size 0 means 12";
  EXPECT_EQ(made->plan.weight, 700);
  EXPECT_EQ(fake::FontOf(plain)->plan.weight, 400);
#endif
  ReleaseControlFont(first);
  ReleaseControlFont(plain);
}

#if !defined(_WIN32)
TEST(ControlFonts, AnUnknownFaceIsUsedUnchanged) {
  String face = NewStringFromCText("Tahoma");
  void* font = AcquireControlFont(FontRequest{face.get(), 9, false, true, true});
  EXPECT_EQ(fake::FontOf(font)->face, "Tahoma");
  EXPECT_EQ(fake::FontOf(font)->plan.height, -9);
  EXPECT_TRUE(fake::FontOf(font)->plan.italic);
  EXPECT_TRUE(fake::FontOf(font)->plan.underline);
  ReleaseControlFont(font);
}
#endif

}  // namespace
}  // namespace ql::test
