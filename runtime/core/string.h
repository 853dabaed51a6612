// Runtime strings: creation, references, joining, encodings and comparisons.
//
// Internal functions hand out owned references as `String` handles; the
// exported entry points (RuntimeLockString, ...) work on raw records.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <utility>

#include "core/unicodecase.h"
#include "quillon/abi.h"

namespace ql {

// Owns one reference to a runtime string (or holds nil, the empty string).
class String {
 public:
  String() = default;
  String(const String& other);
  String(String&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
  String& operator=(const String& other);
  String& operator=(String&& other) noexcept;
  ~String();

  // Takes over a reference the caller owns (a function result).
  static String Adopt(RuntimeString* s) {
    String r;
    r.s_ = s;
    return r;
  }
  // Adds a reference to a borrowed string.
  static String Retain(RuntimeString* s);

  RuntimeString* get() const { return s_; }
  // Hands the reference to the caller (an entry point's result).
  RuntimeString* release() { return std::exchange(s_, nullptr); }
  // The variable itself, for operations that may replace it.
  RuntimeString** slot() { return &s_; }

  const char* text() const;
  int32_t length() const;
  uint32_t encoding() const;
  bool empty() const { return s_ == nullptr; }

 private:
  RuntimeString* s_ = nullptr;
};

enum class Force { No, Yes };

// --- Creation (nil for an empty text) ---
String NewStringFromBytes(const void* bytes, int32_t length, uint32_t encoding);
String NewStringFromWide(const char16_t* units, int32_t count);
String NewStringFromCText(const char* text);  // ASCII
// Text in any encoding; UTF-16 text (an even byte count) gets the wide
// layout with two NULs, so that it can be handed to the system as it is.
String NewStringWithText(const void* bytes, int32_t length, uint32_t encoding);
// Static string literal helper for runtime code.
inline String NewStringFromLiteral(const char* text) { return NewStringFromCText(text); }

// --- References on raw records (the string lock is taken inside) ---
RuntimeString* RetainString(RuntimeString* s);
void ReleaseString(RuntimeString* s);
// Reference the new value, release the old; nothing when both are the same.
void AssignString(RuntimeString** variable, RuntimeString* value);

// --- Reading ---
// The text a nil string reads as (four NULs: also an empty UTF-16 text).
inline constexpr char kEmptyStringText[4] = {0, 0, 0, 0};
// Inline: compiled code's hot paths read these for every string they touch.
inline const char* StringText(const RuntimeString* s) { return s ? s->text + 1 : kEmptyStringText; }  // never null
inline int32_t StringLength(const RuntimeString* s) { return s ? s->length : 0; }
inline uint32_t StringEncoding(const RuntimeString* s) { return s ? s->encoding : QL_ENCODING_ASCII; }
// Unshares the string first. index must lie in 0 .. length-1 (0 for nil).
char* WritableStringText(RuntimeString** s, int32_t index);
// Only for UTF-16 strings. The text starts at buffer + 1, so the pointer is
// not 2-byte aligned: hand it to the system, read units with WideUnitAt.
const char16_t* WideStringText(const RuntimeString* s);
inline char16_t WideUnitAt(const char* text, int32_t index) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text) + 2 * index;
  return static_cast<char16_t>(p[0] | (p[1] << 8));
}

// --- Joining ---
String ConcatStrings(RuntimeString* left, RuntimeString* right);
String AppendByte(RuntimeString* s, uint8_t byte);

// --- Encodings ---
// Chosen once from the user's language: Chinese 0x0423, Japanese 0x0A01,
// else Windows Latin 1.
uint32_t SystemEncoding();
// UTF-16 and the other Unicode values below 0x200 (not UTF-8).
inline bool IsWideEncoding(uint32_t encoding) { return encoding >= 0x100 && encoding <= 0x1FF; }
uint32_t CombineEncodings(uint32_t a, uint32_t b, Force force);
String ConvertString(RuntimeString* s, uint32_t encoding);
String ConvertToUTF8(RuntimeString* s);
String ConvertToUTF16(RuntimeString* s);
String ConvertToSystem(RuntimeString* s);
// Brings both strings to a common encoding, replacing either with a
// converted copy; returns the common encoding (undefined when there is none).
uint32_t ReconcileStrings(String& a, String& b);
bool IsSevenBit(const RuntimeString* s);
// Windows code page for an encoding value, or 0 when there is none.
uint32_t CodePageForEncoding(uint32_t encoding);

// --- Comparisons: negative, 0 or positive ---
int CompareNames(RuntimeString* a, RuntimeString* b);   // case-insensitive
int CompareBinary(RuntimeString* a, RuntimeString* b);  // bytes
int CompareNameBytes(const char* a, size_t aLength, const char* b, size_t bLength);
bool NamesEqual(const char* a, const char* b);  // NUL-terminated, case-insensitive
uint8_t FoldNameByte(uint8_t byte);
// The language comparison behind RuntimeStringCompare.
int CompareStrings(RuntimeString* a, RuntimeString* b);

}  // namespace ql
