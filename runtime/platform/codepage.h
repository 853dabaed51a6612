// Conversion between the bytes of a Windows code page and UTF-16 code units.
//
// Win32 calls the system (MultiByteToWideChar and WideCharToMultiByte with
// flags 0, IsValidCodePage). POSIX gives the same results for code pages
// 1252, 65001 (UTF-8) and 1200 (UTF-16) with its own code, and reaches the
// other code pages through iconv where the C library has them (see
// docs/strings.md for what it cannot do).
#pragma once

#include <stdint.h>

namespace ql::platform {

constexpr uint32_t kCodePageUTF16 = 1200;
constexpr uint32_t kCodePageUTF8 = 65001;
constexpr uint32_t kCodePageWinLatin1 = 1252;
constexpr uint32_t kCodePageShiftJIS = 932;
constexpr uint32_t kCodePageISO2022JP = 50220;
constexpr uint32_t kCodePageEUCJP = 51932;

// Whether the code page can be converted by the two functions below. 1200 is
// handled by the callers (its text already is UTF-16) and counts as valid.
bool IsValidCodePage(uint32_t codePage);

// Decodes `length` bytes into UTF-16. With `capacity` 0 only counts the code
// units needed. Returns the number of code units, 0 on failure.
int32_t MultiByteToWide(uint32_t codePage, const char* bytes, int32_t length, char16_t* out, int32_t capacity);

// Encodes `count` code units (read byte-wise: `units` need not be aligned).
// With `capacity` 0 only counts the bytes needed. Characters the code page
// lacks become its default character. Returns the byte count, 0 on failure.
int32_t WideToMultiByte(uint32_t codePage, const void* units, int32_t count, char* out, int32_t capacity);

}  // namespace ql::platform
