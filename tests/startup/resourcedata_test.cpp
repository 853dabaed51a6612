#include "startup/resourcedata.h"

#include <gtest/gtest.h>
#include <stdint.h>

#include "startup/resource_fixtures.h"

namespace ql {
namespace {

using test::BitmapShape;
using test::Bytes;

ByteView View(const Bytes& b) { return ByteView{b.data(), b.size()}; }

TEST(PackedBitmap, ABitmapFileGivesItsPackedBitmapSizeAndResolution) {
  const Bytes file = test::BitmapFile({});
  PackedBitmap bitmap;
  ASSERT_TRUE(ReadPackedBitmap(View(file), &bitmap));
  EXPECT_EQ(bitmap.packed.data, file.data() + 14);
  EXPECT_EQ(bitmap.packed.size, file.size() - 14);
  EXPECT_EQ(bitmap.pixelOffset, 40u);
  EXPECT_EQ(bitmap.width, 2);
  EXPECT_EQ(bitmap.height, 2);
  EXPECT_EQ(bitmap.horizontalResolution, 72);  // 2835 / 39.37007874015748 = 72.009
  EXPECT_EQ(bitmap.verticalResolution, 72);
}

TEST(PackedBitmap, TheLayoutsTheSystemDraws) {
  struct Case {
    const char* what;
    BitmapShape shape;
    size_t pixelOffset;
    int32_t height, horizontalResolution, verticalResolution;
  };
  const Case cases[] = {
      {"top-down", {.height = -2}, 40, 2, 72, 72},
      {"resolutions truncate toward zero", {.xPixelsPerMetre = 2834, .yPixelsPerMetre = -2835}, 40, 2, 71, -72},
      {"no resolution", {.xPixelsPerMetre = 0, .yPixelsPerMetre = 0}, 40, 2, 0, 0},
      {"8 bits, a full colour table", {.bits = 8, .colourBytes = 1024, .pixelBytes = 8}, 1064, 2, 72, 72},
      {"8 bits, two colours used", {.bits = 8, .coloursUsed = 2, .colourBytes = 8, .pixelBytes = 8}, 48, 2, 72, 72},
      {"1 bit", {.bits = 1, .colourBytes = 8, .pixelBytes = 8}, 48, 2, 72, 72},
      {"16 bits, three masks after a 40-byte header",
       {.bits = 16, .compression = 3, .colourBytes = 12, .pixelBytes = 8},
       52,
       2,
       72,
       72},
      {"32 bits, masks inside a 124-byte header",
       {.headerSize = 124, .bits = 32, .compression = 3, .pixelBytes = 16},
       124,
       2,
       72,
       72},
      {"RLE8: as many pixel bytes as the header says",
       {.bits = 8, .compression = 1, .imageSize = 6, .colourBytes = 1024, .pixelBytes = 6},
       1064,
       2,
       72,
       72},
      {"core header, 24 bits", {.headerSize = 12}, 12, 2, 0, 0},
      {"core header, 4 bits with RGB triples",
       {.headerSize = 12, .bits = 4, .colourBytes = 48, .pixelBytes = 8},
       60,
       2,
       0,
       0},
      {"bytes after the pixels", {.pixelBytes = 20}, 40, 2, 72, 72},
  };
  for (const Case& c : cases) {
    const Bytes file = test::BitmapFile(c.shape);
    PackedBitmap bitmap;
    ASSERT_TRUE(ReadPackedBitmap(View(file), &bitmap)) << c.what;
    EXPECT_EQ(bitmap.pixelOffset, c.pixelOffset) << c.what;
    EXPECT_EQ(bitmap.height, c.height) << c.what;
    EXPECT_EQ(bitmap.horizontalResolution, c.horizontalResolution) << c.what;
    EXPECT_EQ(bitmap.verticalResolution, c.verticalResolution) << c.what;
  }
}

TEST(PackedBitmap, TheFileHeadersSizeFieldBoundsThePackedBitmap) {
  // Bytes beyond the size field's end are not part of the bitmap.
  Bytes file = test::BitmapFile({});
  const size_t bitmapSize = file.size();
  file.resize(file.size() + 10, 0xEE);
  PackedBitmap bitmap;
  ASSERT_TRUE(ReadPackedBitmap(View(file), &bitmap));
  EXPECT_EQ(bitmap.packed.size, bitmapSize - 14);
}

// Every one of these would let the system read beyond the resource, or is
// no bitmap at all.
TEST(PackedBitmap, DataThatIsNoCompleteBitmapIsRefused) {
  struct Case {
    const char* what;
    Bytes file;
  };
  Bytes notBM = test::BitmapFile({});
  notBM[0] = 'M', notBM[1] = 'B';
  Bytes lowerCase = test::BitmapFile({});
  lowerCase[1] = 'm';
  const Bytes whole = test::BitmapFile({});
  const Case cases[] = {
      {"does not start with BM", notBM},
      {"bm in another case", lowerCase},
      {"empty", {}},
      {"only BM", {'B', 'M'}},
      {"13 bytes", Bytes(whole.begin(), whole.begin() + 13)},
      {"size field beyond the data", test::BitmapFile({.sizeFieldDelta = 1})},
      {"size field far beyond the data", test::BitmapFile({.sizeFieldDelta = 0x7FFFFFFF})},
      {"size field smaller than the headers", test::BitmapFile({.sizeFieldDelta = -50})},
      {"pixels one byte short", test::BitmapFile({.pixelBytes = 15})},
      {"size field one byte short of the pixels", test::BitmapFile({.sizeFieldDelta = -1})},
      {"header size beyond the bitmap", test::BitmapFile({.headerSize = 124, .pixelBytes = 0, .sizeFieldDelta = -100})},
      {"unknown header size", test::BitmapFile({.headerSize = 20})},
      {"header size 64", test::BitmapFile({.headerSize = 64})},
      {"width 0", test::BitmapFile({.width = 0})},
      {"negative width", test::BitmapFile({.width = -2})},
      {"height 0", test::BitmapFile({.height = 0})},
      {"height INT32_MIN", test::BitmapFile({.height = INT32_MIN})},
      {"two planes", test::BitmapFile({.planes = 2})},
      {"3 bits per pixel", test::BitmapFile({.bits = 3})},
      {"0 bits per pixel", test::BitmapFile({.bits = 0})},
      {"JPEG inside", test::BitmapFile({.compression = 4})},
      {"PNG inside", test::BitmapFile({.compression = 5})},
      {"8 bits without its colour table", test::BitmapFile({.bits = 8, .pixelBytes = 8})},
      {"more colours than 8 bits have",
       test::BitmapFile({.bits = 8, .coloursUsed = 257, .colourBytes = 1028, .pixelBytes = 8})},
      {"a colour count that would wrap", test::BitmapFile({.bits = 24, .coloursUsed = 0x40000001})},
      {"masks missing", test::BitmapFile({.bits = 16, .compression = 3, .pixelBytes = 8})},
      {"bit fields at 24 bits", test::BitmapFile({.compression = 3, .colourBytes = 12})},
      {"RLE8 at 24 bits", test::BitmapFile({.compression = 1, .imageSize = 6})},
      {"RLE8 without a size", test::BitmapFile({.bits = 8, .compression = 1, .colourBytes = 1024, .pixelBytes = 6})},
      {"RLE8 size beyond the data",
       test::BitmapFile({.bits = 8, .compression = 1, .imageSize = 7, .colourBytes = 1024, .pixelBytes = 6})},
      {"RLE8 top-down",
       test::BitmapFile(
           {.height = -2, .bits = 8, .compression = 1, .imageSize = 6, .colourBytes = 1024, .pixelBytes = 6})},
      {"huge dimensions", test::BitmapFile({.width = 0x7FFFFFFF, .height = 0x7FFFFFFF, .bits = 32})},
      {"core header, 16 bits", test::BitmapFile({.headerSize = 12, .bits = 16})},
      {"core header, colours missing", test::BitmapFile({.headerSize = 12, .bits = 8, .pixelBytes = 8})},
  };
  for (const Case& c : cases) {
    PackedBitmap bitmap;
    EXPECT_FALSE(ReadPackedBitmap(View(c.file), &bitmap)) << c.what;
  }
}

TEST(CursorConversion, ImageAndMaskBitsBecomeTheFourKindsOfPixel) {
  struct Case {
    uint8_t image, mask;
    uint8_t andByte, xorByte;
    const char* what;
  } cases[] = {
      {0xFF, 0xFF, 0x00, 0x00, "image 1, mask 1: black"},
      {0x00, 0xFF, 0x00, 0xFF, "image 0, mask 1: white"},
      {0x00, 0x00, 0xFF, 0x00, "image 0, mask 0: transparent"},
      {0xFF, 0x00, 0xFF, 0xFF, "image 1, mask 0: inverted"},
      {0xA5, 0x0F, 0xF0, 0xAA, "mixed bits"},
  };
  for (const Case& c : cases) {
    CursorImage cursor;
    ASSERT_TRUE(ConvertCursor(View(test::CursorResource(c.image, c.mask, 0, 0)), &cursor)) << c.what;
    for (int row = 0; row < 32; ++row) {
      for (int column = 0; column < 4; ++column) {
        const bool inside = row < 16 && column < 2;  // the 16 by 16 corner
        EXPECT_EQ(cursor.andPlane[row * 4 + column], inside ? c.andByte : 0xFF) << c.what << " " << row;
        EXPECT_EQ(cursor.xorPlane[row * 4 + column], inside ? c.xorByte : 0x00) << c.what << " " << row;
      }
    }
  }
}

TEST(CursorConversion, RowsAndBytesKeepTheirPlaces) {
  Bytes resource = test::CursorResource(0, 0, 0, 0);
  resource[2 * 5 + 1] = 0x81;    // image row 5, second byte
  resource[32 + 2 * 15] = 0x3C;  // mask row 15, first byte
  CursorImage cursor;
  ASSERT_TRUE(ConvertCursor(View(resource), &cursor));
  EXPECT_EQ(cursor.xorPlane[5 * 4 + 1], 0x81);
  EXPECT_EQ(cursor.andPlane[5 * 4 + 1], 0xFF);
  EXPECT_EQ(cursor.andPlane[15 * 4], 0xC3);
  EXPECT_EQ(cursor.xorPlane[15 * 4], 0x3C);
}

TEST(CursorConversion, TheHotSpotIsBigEndianVerticalFirst) {
  struct Case {
    int16_t vertical, horizontal;
  } cases[] = {{3, 12}, {0, 0}, {15, 1}, {0x0102, 0x0304}, {-1, -2}};
  for (const Case& c : cases) {
    CursorImage cursor;
    ASSERT_TRUE(ConvertCursor(View(test::CursorResource(0, 0, c.vertical, c.horizontal)), &cursor));
    EXPECT_EQ(cursor.hotSpotY, c.vertical);
    EXPECT_EQ(cursor.hotSpotX, c.horizontal);
  }
}

TEST(CursorConversion, FewerThan68BytesAreRefusedAndMoreAreIgnored) {
  const Bytes whole = test::CursorResource(1, 1, 2, 3);
  CursorImage cursor;
  for (size_t size : {size_t{0}, size_t{1}, size_t{64}, size_t{67}})
    EXPECT_FALSE(ConvertCursor(ByteView{whole.data(), size}, &cursor)) << size;
  Bytes longer = whole;
  longer.resize(100, 0xFF);
  ASSERT_TRUE(ConvertCursor(View(longer), &cursor));
  EXPECT_EQ(cursor.hotSpotX, 3);
}

TEST(WaveData, OnlyACompleteRiffWaveIsHandedToThePlayer) {
  struct Case {
    const char* what;
    Bytes data;
    bool playable;
  };
  const Bytes wave = test::WaveFile(10);
  Bytes odd = test::WaveFile(3);  // the data chunk is padded to an even size
  Bytes riffBeyond = wave;
  test::Put32(riffBeyond, 4, static_cast<uint32_t>(wave.size() - 7));
  Bytes riffHuge = wave;
  test::Put32(riffHuge, 4, 0xFFFFFFF8u);
  Bytes chunkBeyond = wave;
  test::Put32(chunkBeyond, 40, 11);
  Bytes chunkHuge = wave;
  test::Put32(chunkHuge, 16, 0xFFFFFFF0u);
  Bytes shortFormat = wave;
  test::Put32(shortFormat, 16, 14);  // "data" is then read at 34, inside the samples
  Bytes notRiff = wave;
  notRiff[0] = 'X';
  Bytes notWave = wave;
  notWave[8] = 'X';
  Bytes noData = wave;
  noData[36] = 'X';
  Bytes trailing = wave;
  trailing.resize(trailing.size() + 5, 0);
  const Case cases[] = {
      {"a wave", wave, true},
      {"an odd data chunk", odd, true},
      {"bytes after the RIFF", trailing, true},
      {"RIFF size beyond the data", riffBeyond, false},
      {"RIFF size that would wrap", riffHuge, false},
      {"data chunk beyond the RIFF", chunkBeyond, false},
      {"format chunk that would wrap", chunkHuge, false},
      {"format chunk of 14 bytes", shortFormat, false},
      {"not RIFF", notRiff, false},
      {"not WAVE", notWave, false},
      {"no data chunk", noData, false},
      {"11 bytes", Bytes(wave.begin(), wave.begin() + 11), false},
      {"empty", {}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPlayableWave(View(c.data)), c.playable) << c.what;
}

}  // namespace
}  // namespace ql
