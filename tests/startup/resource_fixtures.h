// Resource data for tests: bitmap files, 68-byte cursors and wave files,
// built to order.
#pragma once

#include <stdint.h>
#include <string.h>

#include <string>

#include "startup/synthetic_image.h"

namespace ql::test {

struct BitmapShape {
  uint32_t headerSize = 40;  // 12: the core header
  int32_t width = 2;
  int32_t height = 2;
  uint16_t planes = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  int32_t xPixelsPerMetre = 2835;
  int32_t yPixelsPerMetre = 2835;
  uint32_t coloursUsed = 0;
  size_t colourBytes = 0;      // colour table and masks written after the header
  size_t pixelBytes = 16;      // 2 rows of 2 pixels, 24 bits, padded to 8 bytes each
  int64_t sizeFieldDelta = 0;  // added to the file header's size field
};

inline Bytes BitmapFile(const BitmapShape& shape) {
  Bytes info(shape.headerSize, 0);
  Put32(info, 0, shape.headerSize);
  if (shape.headerSize == 12) {
    info[4] = static_cast<uint8_t>(shape.width), info[5] = static_cast<uint8_t>(shape.width >> 8);
    info[6] = static_cast<uint8_t>(shape.height), info[7] = static_cast<uint8_t>(shape.height >> 8);
    info[8] = static_cast<uint8_t>(shape.planes), info[10] = static_cast<uint8_t>(shape.bits);
  } else if (shape.headerSize >= 40) {
    Put32(info, 4, static_cast<uint32_t>(shape.width));
    Put32(info, 8, static_cast<uint32_t>(shape.height));
    info[12] = static_cast<uint8_t>(shape.planes), info[14] = static_cast<uint8_t>(shape.bits);
    Put32(info, 16, shape.compression);
    Put32(info, 20, shape.imageSize);
    Put32(info, 24, static_cast<uint32_t>(shape.xPixelsPerMetre));
    Put32(info, 28, static_cast<uint32_t>(shape.yPixelsPerMetre));
    Put32(info, 32, shape.coloursUsed);
  }
  Bytes file;
  file.reserve(14 + info.size() + shape.colourBytes + shape.pixelBytes);
  file.resize(14, 0);
  file[0] = 'B', file[1] = 'M';
  AppendBytes(file, info);
  file.resize(file.size() + shape.colourBytes, 0x40);
  for (size_t i = 0; i < shape.pixelBytes; ++i) file.push_back(static_cast<uint8_t>(i));
  Put32(file, 2, static_cast<uint32_t>(static_cast<int64_t>(file.size()) + shape.sizeFieldDelta));
  Put32(file, 10, static_cast<uint32_t>(14 + shape.headerSize + shape.colourBytes));
  return file;
}

// A 'CURS' resource: 16 rows of 2 image bytes, 16 of 2 mask bytes, the hot
// spot as big-endian vertical then horizontal.
inline Bytes CursorResource(uint8_t image, uint8_t mask, int16_t hotSpotV, int16_t hotSpotH) {
  Bytes b(32, image);
  b.resize(64, mask);
  for (int16_t v : {hotSpotV, hotSpotH}) {
    b.push_back(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
    b.push_back(static_cast<uint8_t>(v));
  }
  return b;
}

// A RIFF WAVE file: a 16-byte format chunk (8 kHz, mono, 8 bits) and the samples.
inline Bytes WaveFile(size_t samples) {
  Bytes b = {'R', 'I', 'F', 'F', 0,    0,    0, 0, 'W',  'A',  'V', 'E', 'f', 'm', 't', ' ', 16,  0,   0,   0,
             1,   0,   1,   0,   0x40, 0x1F, 0, 0, 0x40, 0x1F, 0,   0,   1,   0,   8,   0,   'd', 'a', 't', 'a'};
  Append32(b, static_cast<uint32_t>(samples));
  for (size_t i = 0; i < samples; ++i) b.push_back(static_cast<uint8_t>(0x80 + (i % 2 ? 20 : -20)));
  if (samples % 2) b.push_back(0);
  Put32(b, 4, static_cast<uint32_t>(b.size() - 8));
  return b;
}

}  // namespace ql::test
