// Fuzz entry: any bytes as the data of one resource of the image, the first
// byte choosing its type ('BMP ', 'CURS', 'WAVE', 'TEXT'), turned into an
// object by the accessors. The data ends its section and its allocation, so
// a check that lets a read pass the data's end is caught. Whatever a check
// accepts is then read the way the system reads it, from the header's own
// fields: a check that lets through less than the system reads is caught
// there.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <memory>

#include "core/intrinsic_classes.h"
#include "core/object_definition.h"
#include "core/string.h"
#include "quillon/entrypoints/resources.h"
#include "startup/resource_accessors.h"
#include "startup/resource_classes.h"
#include "startup/resourcedata.h"
#include "startup/resourcemanager.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

// Classes are made once, on first use, and kept: made here, before any
// input is weighed against the allocator's count.
const bool kReady = [] {
  ql::fuzz::QuietReports();
  ql::RegisterIntrinsicClasses();
  for (ql::ObjectDefinition* d : {&ql::intrinsic::Picture, &ql::intrinsic::MouseCursor, &ql::intrinsic::Sound})
    ql::ClassOf(*d);
  return true;
}();

constexpr uint32_t kTypes[] = {ql::resource_type::kBitmap, ql::resource_type::kCursor, ql::resource_type::kWave,
                               ql::resource_type::kText};
constexpr uint16_t kNumber = 128;

volatile uint8_t g_sink;

// Reads every byte of [at, at + n) of `bytes`.
void Touch(ql::ByteView bytes, uint64_t at, uint64_t n) {
  uint8_t sum = 0;
  for (uint64_t i = 0; i < n; ++i) sum = static_cast<uint8_t>(sum + bytes.data[at + i]);
  g_sink = sum;
}

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// What the system reads of a packed bitmap: the header, the colour table
// and masks, and the pixels, each as its header describes them.
void ReadAsTheSystemDoes(const ql::PackedBitmap& bitmap) {
  const ql::ByteView packed = bitmap.packed;
  const uint8_t* h = packed.data;
  const uint32_t headerSize = U32(h);
  Touch(packed, 0, headerSize);
  uint64_t width, height, bits, compression = 0, imageSize = 0, colours, entryBytes;
  if (headerSize == 12) {
    width = U16(h + 4);
    height = U16(h + 6);
    bits = U16(h + 10);
    colours = bits <= 8 ? 1u << bits : 0;
    entryBytes = 3;
  } else {
    const int32_t w = static_cast<int32_t>(U32(h + 4)), hh = static_cast<int32_t>(U32(h + 8));
    width = static_cast<uint64_t>(w);
    height = hh < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(hh)) : static_cast<uint64_t>(hh);
    bits = U16(h + 14);
    compression = U32(h + 16);
    imageSize = U32(h + 20);
    const uint32_t used = U32(h + 32);
    colours = used ? used : (bits <= 8 ? 1u << bits : 0);
    entryBytes = 4;
  }
  // Bit-field masks follow the plain 40-byte header.
  const uint64_t masks = compression == 3 && headerSize == 40 ? 12 : 0;
  const uint64_t pixelsAt = headerSize + masks + entryBytes * colours;
  Touch(packed, headerSize, masks + entryBytes * colours);
  Require(bitmap.pixelOffset == pixelsAt, "the pixels start after the header and the colours");
  const uint64_t stride = (width * bits + 31) / 32 * 4;
  const uint64_t pixelBytes = compression == 1 || compression == 2 ? imageSize : stride * height;
  Touch(packed, pixelsAt, pixelBytes);
}

// What the system's player reads of wave data: everything the RIFF header
// claims.
void PlayAsTheSystemDoes(ql::ByteView data) { Touch(data, 0, 8 + static_cast<uint64_t>(U32(data.data + 4))); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  const uint32_t type = kTypes[bytes[0] % 4];
  const uint8_t* data = bytes + 1;
  const uint32_t dataSize = static_cast<uint32_t>(size - 1);

  // One record: u32 type, u16 number, u32 reserved, u32 size, then the data.
  const size_t sectionSize = ql::kResourceRecordHeaderSize + dataSize;
  std::unique_ptr<uint8_t[]> section(new uint8_t[sectionSize]);
  uint8_t* r = section.get();
  memcpy(r, &type, 4);
  memcpy(r + 4, &kNumber, 2);
  memset(r + 6, 0, 4);
  memcpy(r + 10, &dataSize, 4);
  memcpy(r + ql::kResourceRecordHeaderSize, data, dataSize);

  const ql::fuzz::AllocationBalance balance;
  {
    ql::ResourceIndex index;
    ql::LoadFailure failure;
    Require(index.Index(ql::ByteView{section.get(), sectionSize}, 0, &failure), "one whole record is indexed");
    const ql::ResourceEntry entry = index.Find(type, kNumber);
    Require(entry.found() && entry.size == dataSize, "the record is found with its size");

    ql::PackedBitmap bitmap;
    if (ql::ReadPackedBitmap(entry.bytes(), &bitmap)) ReadAsTheSystemDoes(bitmap);
    const ql::ObjectRef picture = ql::PictureFromResource(index, kNumber);
    Require(!picture || type == ql::resource_type::kBitmap, "only a bitmap gives a picture");

    const ql::ObjectRef cursor = ql::CursorFromResource(index, kNumber);
    Require(!cursor || (type == ql::resource_type::kCursor && dataSize >= ql::kCursorResourceSize),
            "only 68 bytes of cursor give a cursor");

    if (ql::IsPlayableWave(entry.bytes())) PlayAsTheSystemDoes(entry.bytes());
    const ql::ObjectRef sound = ql::SoundFromResource(index, kNumber);
    Require(!sound == (type != ql::resource_type::kWave), "wave data always gives a sound");
    SoundPlay(sound.get());

    const ql::String text = ql::TextFromResource(index, kNumber);
    if (type == ql::resource_type::kText) {
      Require(static_cast<uint32_t>(text.length()) == dataSize && memcmp(text.text(), data, dataSize) == 0,
              "a text resource gives its bytes");
    } else {
      Require(text.get() == nullptr, "only a text resource gives a text");
    }
  }
  balance.Check("the objects made from a resource are freed with their last reference");
  return 0;
}
