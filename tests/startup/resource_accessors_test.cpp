#include "startup/resource_accessors.h"

#include <gtest/gtest.h>

#include <string>

#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/resources.h"
#include "quillon/entrypoints/strings.h"
#include "startup/fake_image_files.h"
#include "startup/resource_classes.h"
#include "startup/resource_fixtures.h"

namespace ql {
namespace {

using test::Bytes;

constexpr uint32_t kBitmap = FourCharCode("BMP ");
constexpr uint32_t kCursor = FourCharCode("CURS");
constexpr uint32_t kText = FourCharCode("TEXT");

// An index over a section the fixture keeps alive.
class ResourceAccessors : public testing::Test {
 protected:
  const ResourceIndex& Index(const test::Resources& resources) {
    section_ = resources.bytes();
    index_.Clear();
    LoadFailure failure;
    EXPECT_TRUE(index_.Index(ByteView{section_.data(), section_.size()}, 0, &failure));
    return index_;
  }
  // The running image's index, for the exported accessors.
  void Install(const test::Resources& resources) {
    Index(resources);
    CurrentResources().Clear();
    LoadFailure failure;
    ASSERT_TRUE(CurrentResources().Index(ByteView{section_.data(), section_.size()}, 0, &failure));
  }
  void TearDown() override { CurrentResources().Clear(); }

  const uint8_t* At(size_t offset) const { return section_.data() + offset; }

 private:
  Bytes section_;
  ResourceIndex index_;
};

// Read as the image reads it: through the class's property table.
int32_t IntProperty(RuntimeObject* o, const char* name) {
  const RuntimeClass* cls = o->cls;
  const std::string wanted = std::string(name) + "%i";
  for (int32_t i = 0; i < cls->propertyCount; ++i) {
    const RuntimePropertyEntry& p = cls->properties[i];
    if (std::string(p.signature->text + 1, static_cast<size_t>(p.signature->length)) == wanted)
      return reinterpret_cast<int32_t (*)(RuntimeObject*, uint32_t)>(p.getter)(o, p.param);
  }
  ADD_FAILURE() << "no property " << name;
  return -1;
}

std::string ClassName(RuntimeObject* o) { return o ? StringText(o->cls->name) : "(nil)"; }

TEST_F(ResourceAccessors, ABitmapBecomesAPictureOfItsSizeAndResolution) {
  const ResourceIndex& index = Index(test::Resources().Add(
      kBitmap, 128,
      test::BitmapFile(
          {.width = 3, .height = -2, .xPixelsPerMetre = 3780, .yPixelsPerMetre = 2835, .pixelBytes = 24})));
  const size_t live = LiveObjectCount();
  {
    ObjectRef picture = PictureFromResource(index, 128);
    ASSERT_TRUE(picture);
    EXPECT_EQ(ClassName(picture.get()), "Picture");
    EXPECT_NE(reinterpret_cast<PictureObject*>(picture.get())->bitmap, nullptr);
    EXPECT_EQ(IntProperty(picture.get(), "Width"), 3);
    EXPECT_EQ(IntProperty(picture.get(), "Height"), 2);
    EXPECT_EQ(IntProperty(picture.get(), "HorizontalResolution"), 96);
    EXPECT_EQ(IntProperty(picture.get(), "VerticalResolution"), 72);
    EXPECT_FALSE(PictureFromResource(index, 129)) << "no bitmap has that number";
  }
  EXPECT_EQ(LiveObjectCount(), live);
}

TEST_F(ResourceAccessors, DataThatIsNoBitmapGivesNil) {
  Bytes notBitmap = test::BitmapFile({});
  notBitmap[0] = 'X';
  const ResourceIndex& index = Index(test::Resources()
                                         .Add(kBitmap, 1, notBitmap)
                                         .Add(kBitmap, 2, test::BitmapFile({.pixelBytes = 15}))
                                         .Add(kBitmap, 3, {})
                                         .Add(kText, 4, test::BitmapFile({})));
  for (uint16_t number : {1, 2, 3, 4}) EXPECT_FALSE(PictureFromResource(index, number)) << number;
}

TEST_F(ResourceAccessors, ACursorResourceBecomesAMouseCursorWithItsHotSpot) {
  const ResourceIndex& index =
      Index(test::Resources().Add(kCursor, 7, test::CursorResource(0xF0, 0xFF, 4, 9)).Add(kCursor, 8, Bytes(67, 0)));
  ObjectRef cursor = CursorFromResource(index, 7);
  ASSERT_TRUE(cursor);
  EXPECT_EQ(ClassName(cursor.get()), "MouseCursor");
  const MouseCursorObject* c = reinterpret_cast<const MouseCursorObject*>(cursor.get());
  EXPECT_NE(c->cursor, nullptr);
  EXPECT_EQ(c->hotSpotX, 9);
  EXPECT_EQ(c->hotSpotY, 4);
  EXPECT_FALSE(CursorFromResource(index, 8)) << "67 bytes";
  EXPECT_FALSE(CursorFromResource(index, 9));
}

TEST_F(ResourceAccessors, AnAuxiliaryCursorRecordIsConvertedTheSameWay) {
  // Block: N = 2, offsets 0 and 68 (big-endian), then two cursor records.
  Bytes block = {0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 68};
  test::AppendBytes(block, test::CursorResource(0, 0, 1, 2));
  test::AppendBytes(block, test::CursorResource(0, 0, 3, 4));
  const Bytes truncated(block.begin(), block.end() - 1);
  struct Case {
    const char* what;
    Bytes block;
    int64_t number;
    int32_t hotSpotX;  // -1: nil
  } cases[] = {
      {"record 1", block, 1, 2},
      {"record 2", block, 2, 4},
      {"record 0", block, 0, -1},
      {"record 3", block, 3, -1},
      {"record 2 cut short", truncated, 2, -1},
  };
  for (const Case& c : cases) {
    test::FakeImageFiles files;
    files.folder["data3.dat"] = c.block;
    AuxiliaryBlock auxiliary(&files, ImageLocator{});
    ObjectRef cursor = CursorFromAuxiliaryBlock(auxiliary, c.number);
    ASSERT_EQ(static_cast<bool>(cursor), c.hotSpotX >= 0) << c.what;
    if (cursor) {
      EXPECT_EQ(reinterpret_cast<const MouseCursorObject*>(cursor.get())->hotSpotX, c.hotSpotX) << c.what;
    }
  }
}

TEST_F(ResourceAccessors, ASoundIsTheWaveElseTheSndResourceOverItsDataInPlace) {
  const Bytes wave = test::WaveFile(4);
  const ResourceIndex& index = Index(test::Resources()
                                         .Add(FourCharCode("SND "), 1, {1, 2, 3})  // at 14
                                         .Add(FourCharCode("WAVE"), 1, wave)       // at 31
                                         .Add(FourCharCode("SND "), 2, {4, 5})     // at 31 + wave + 14
                                         .Add(FourCharCode("MIDI"), 3, {'M', 'T'})
                                         .Add(FourCharCode("MPEG"), 4, {0xFF}));
  struct Case {
    uint16_t number;
    size_t dataAt;  // 0: nil
    uint32_t size;
    uint32_t type;
  } cases[] = {{1, 31, static_cast<uint32_t>(wave.size()), FourCharCode("WAVE")},
               {2, 31 + wave.size() + 14, 2, FourCharCode("SND ")},
               {3, 0, 0, 0},
               {4, 0, 0, 0},
               {5, 0, 0, 0}};
  for (const Case& c : cases) {
    ObjectRef sound = SoundFromResource(index, c.number);
    ASSERT_EQ(static_cast<bool>(sound), c.dataAt != 0) << c.number;
    if (!sound) continue;
    EXPECT_EQ(ClassName(sound.get()), "Sound");
    const SoundObject* s = reinterpret_cast<const SoundObject*>(sound.get());
    EXPECT_EQ(s->data, At(c.dataAt)) << c.number;
    EXPECT_EQ(s->size, c.size) << c.number;
    EXPECT_EQ(s->type, c.type) << c.number;
  }
}

TEST_F(ResourceAccessors, TextIsTheBytesInTheSystemEncoding) {
  const ResourceIndex& index =
      Index(test::Resources().Add(kText, 1, {'H', 0xE9, 0, 'x'}).Add(kText, 2, {}).Add(kText, 1, {'n', 'o'}));
  String text = TextFromResource(index, 1);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(std::string(text.text(), static_cast<size_t>(text.length())), std::string("H\xE9\0x", 4));
  EXPECT_EQ(text.encoding(), SystemEncoding());
  EXPECT_TRUE(TextFromResource(index, 2).empty()) << "size 0: the empty string";
  EXPECT_TRUE(TextFromResource(index, 3).empty());
}

TEST_F(ResourceAccessors, TheEntryPointsUseTheLowSixteenBitsOfTheNumberAndGiveOneReference) {
  Install(test::Resources()
              .Add(kText, 65535, {'m', 'a', 'x'})
              .Add(kText, 128, {'t'})
              .Add(kBitmap, 128, test::BitmapFile({}))
              .Add(kCursor, 128, test::CursorResource(0, 0, 0, 0))
              .Add(FourCharCode("WAVE"), 128, test::WaveFile(2))
              .Add(FourCharCode("moov"), 128, {1})
              .Add(FourCharCode("DBAS"), 128, {0, 0, 0, 0, 0, 0, 0, 0}));
  RuntimeString* max = RuntimeGetTextFileFromResourceManager(-1);  // 0xFFFFFFFF: number 65535
  ASSERT_NE(max, nullptr);
  EXPECT_EQ(std::string(max->text + 1, 3), "max");
  EXPECT_EQ(max->refCount, 1);
  RuntimeUnlockString(max);
  RuntimeString* t = RuntimeGetTextFileFromResourceManager(0x10080);  // number 128
  ASSERT_NE(t, nullptr);
  RuntimeUnlockString(t);
  struct Case {
    const char* what;
    RuntimeObject* (*accessor)(int32_t);
    const char* className;  // null: nil
  } cases[] = {
      {"bitmap", RuntimeGetBitmapFromResourceManager, "Picture"},
      {"cursor", RuntimeGetCursorFromResourceManager, "MouseCursor"},
      {"sound", RuntimeGetSoundFromResourceManager, "Sound"},
      {"movie (not built)", RuntimeGetMovieFromResource, nullptr},
      {"database (not built)", RuntimeGetDatabaseFromResource, nullptr},
  };
  for (const Case& c : cases) {
    RuntimeObject* o = c.accessor(128 + 0x70000);
    EXPECT_EQ(ClassName(o), c.className ? c.className : "(nil)") << c.what;
    if (o) {
      EXPECT_EQ(o->refCount, 1) << c.what;
    }
    RuntimeUnlockObject(o);
    EXPECT_EQ(c.accessor(129), nullptr) << c.what;
  }
}

TEST_F(ResourceAccessors, TheAccessorsAndSoundMethodsHaveTheirLinkNames) {
  struct Case {
    const char* link;
    void* function;
  } cases[] = {
      {"RuntimeGetBitmapFromResourceManager", reinterpret_cast<void*>(RuntimeGetBitmapFromResourceManager)},
      {"RuntimeGetCursorFromResourceManager", reinterpret_cast<void*>(RuntimeGetCursorFromResourceManager)},
      {"RuntimeGetSoundFromResourceManager", reinterpret_cast<void*>(RuntimeGetSoundFromResourceManager)},
      {"RuntimeGetTextFileFromResourceManager", reinterpret_cast<void*>(RuntimeGetTextFileFromResourceManager)},
      {"RuntimeGetMovieFromResource", reinterpret_cast<void*>(RuntimeGetMovieFromResource)},
      {"RuntimeGetDatabaseFromResource", reinterpret_cast<void*>(RuntimeGetDatabaseFromResource)},
      {"SoundPlay", reinterpret_cast<void*>(SoundPlay)},
      {"SoundStop", reinterpret_cast<void*>(SoundStop)},
  };
  for (const Case& c : cases) EXPECT_EQ(LookupEntryPoint(c.link), c.function) << c.link;
}

TEST_F(ResourceAccessors, SoundMethodsRaiseNilObjectExceptionForNilAndLeaveOtherObjectsAlone) {
  for (void (*method)(RuntimeObject*) : {SoundPlay, SoundStop}) {
    RuntimeObject* caught = nullptr;
    RuntimeHandlerFrame frame;
    RuntimePushHandlerFrame(&frame, &caught);
    method(nullptr);
    ASSERT_TRUE(RuntimePopHandlerFrame(&frame));
    ASSERT_NE(caught, nullptr);
    EXPECT_EQ(ClassName(caught), "NilObjectException");
    RuntimeUnlockObject(caught);
  }
  // A picture is no sound: nothing is played from its fields.
  const ResourceIndex& index = Index(test::Resources().Add(kBitmap, 1, test::BitmapFile({})));
  ObjectRef picture = PictureFromResource(index, 1);
  ASSERT_TRUE(picture);
  SoundPlay(picture.get());
  SoundStop(picture.get());
}

}  // namespace
}  // namespace ql
