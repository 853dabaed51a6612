// What differs between the two image targets: the width of a site's word,
// the layout of static string records, how Win32 routines are reached and
// the machine code of the stand-in for a missing entry point.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <type_traits>

#include "quillon/abi.h"
#include "startup/bytes.h"

namespace ql {

// IA-32 images (the win32 runtime).
struct Ia32Image {
  using Word = uint32_t;
  static constexpr const char* kName = "IA-32";
  static constexpr size_t kWordSize = 4;
  // Static string record: header size and the offsets of its text pointer
  // and length fields.
  static constexpr size_t kStringHeaderSize = 20;
  static constexpr size_t kStringTextOffset = 4;
  static constexpr size_t kStringLengthOffset = 12;
  // Kind 0x04 sites are call displacements.
  static constexpr bool kWin32SitesAreRelative = true;
  // A 32-bit displacement reaches every address.
  static constexpr bool kRelativeSitesMayMiss = false;

  // push name; mov eax, routine; call eax; add esp, 4; ret
  static constexpr size_t kThunkSize = 16;
  static void WriteThunk(uint8_t* at, uint64_t nameAddress, uint64_t routine) {
    at[0] = 0x68;
    StoreU32(at + 1, static_cast<uint32_t>(nameAddress));
    at[5] = 0xB8;
    StoreU32(at + 6, static_cast<uint32_t>(routine));
    const uint8_t tail[] = {0xFF, 0xD0, 0x83, 0xC4, 0x04, 0xC3};
    memcpy(at + 10, tail, sizeof tail);
  }
};

// x64 images (the win64 runtime).
struct X64Image {
  using Word = uint64_t;
  static constexpr const char* kName = "x64";
  static constexpr size_t kWordSize = 8;
  static constexpr size_t kStringHeaderSize = 32;
  static constexpr size_t kStringTextOffset = 8;
  static constexpr size_t kStringLengthOffset = 20;
  // x64 code calls Win32 through pointer slots.
  static constexpr bool kWin32SitesAreRelative = false;
  // Mode 1 sites hold 32-bit displacements: targets beyond +-2 GiB miss.
  static constexpr bool kRelativeSitesMayMiss = true;

  // sub rsp, 40; mov rcx, name; mov rax, routine; call rax;
  // pxor xmm0, xmm0 (a zero for callers expecting a double); add rsp, 40; ret
  static constexpr size_t kThunkSize = 40;
  static void WriteThunk(uint8_t* at, uint64_t nameAddress, uint64_t routine) {
    const uint8_t head[] = {0x48, 0x83, 0xEC, 0x28, 0x48, 0xB9};
    memcpy(at, head, sizeof head);
    StoreU64(at + 6, nameAddress);
    at[14] = 0x48;
    at[15] = 0xB8;
    StoreU64(at + 16, routine);
    const uint8_t tail[] = {0xFF, 0xD0, 0x66, 0x0F, 0xEF, 0xC0, 0x48, 0x83, 0xC4, 0x28, 0xC3};
    memcpy(at + 24, tail, sizeof tail);
    memset(at + 35, 0xCC, kThunkSize - 35);
  }
};

// The images this runtime runs.
using NativeImage = std::conditional_t<sizeof(void*) == 8, X64Image, Ia32Image>;

static_assert(sizeof(RuntimeString) == NativeImage::kStringHeaderSize);
static_assert(offsetof(RuntimeString, text) == NativeImage::kStringTextOffset);
static_assert(offsetof(RuntimeString, length) == NativeImage::kStringLengthOffset);

}  // namespace ql
