#include "core/string.h"

#include <string.h>

#include <atomic>

#include "core/allocator.h"
#include "core/assertion.h"
#include "platform/lock.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

constexpr const char* kEmptyText = kEmptyStringText;

// Every change of a count is one atomic read-modify-write: the hot path of
// compiled code is an increment, or a decrement that may free the record.
std::atomic_ref<int32_t> Count(RuntimeString* s) { return std::atomic_ref<int32_t>(s->refCount); }

// A static record of an application image has its buffer right after it
// and was never allocated here.
bool IsStaticRecord(const RuntimeString* s) {
  return s->text == reinterpret_cast<const char*>(s) + sizeof(RuntimeString);
}

// The block a buffer of `size` bytes takes. A buffer of the record's own
// size class could be handed out right after the record (both come from one
// free list) and the record would then pass for a static one and never be
// freed; such a buffer takes the next class instead, whose blocks never lie
// in the record's chunk.
size_t BufferBlockSize(uint32_t size) {
  constexpr size_t kRecordUnits = (sizeof(RuntimeString) + kUnitSize - 1) / kUnitSize;
  const size_t units = (size + kUnitSize - 1) / kUnitSize;
  return units == kRecordUnits ? (kRecordUnits + 1) * kUnitSize : size;
}

void FreeRecord(RuntimeString* s) {
  if (IsStaticRecord(s)) return;
  platform::LockGuard guard(platform::AllocatorLock());  // once for both blocks
  ReleaseHoldingLock(s->text, BufferBlockSize(s->size));
  ReleaseHoldingLock(s, sizeof(RuntimeString));
}

// A record with count 1 and a buffer of `size` bytes, or nil when the
// buffer cannot be had. The record itself must succeed.
RuntimeString* NewRecord(uint32_t size, int32_t length) {
  RuntimeString* s;
  char* buffer;
  {
    platform::LockGuard guard(platform::AllocatorLock());  // once for both blocks
    s = static_cast<RuntimeString*>(AllocateHoldingLock(sizeof(RuntimeString)));
    buffer = s ? static_cast<char*>(AllocateHoldingLock(BufferBlockSize(size))) : nullptr;
    if (s && !buffer) {
      ReleaseHoldingLock(s, sizeof(RuntimeString));
      return nullptr;
    }
  }
  if (!s) {
    // The record comes from the must-succeed path: without it the process ends.
    s = static_cast<RuntimeString*>(AllocateOrDie(sizeof(RuntimeString)));
    buffer = static_cast<char*>(Allocate(BufferBlockSize(size)));
    if (!buffer) {
      Release(s, sizeof(RuntimeString));
      return nullptr;
    }
  }
  s->refCount = 1;
  s->text = buffer;
  s->size = size;
  s->length = length;
  s->encoding = QL_ENCODING_UNDEFINED;
  return s;
}

}  // namespace

// --- String handle ---

String::String(const String& other) : s_(RetainString(other.s_)) {}

String& String::operator=(const String& other) {
  AssignString(&s_, other.s_);
  return *this;
}

String& String::operator=(String&& other) noexcept {
  if (this != &other) {
    ReleaseString(s_);
    s_ = std::exchange(other.s_, nullptr);
  }
  return *this;
}

String::~String() { ReleaseString(s_); }

String String::Retain(RuntimeString* s) { return Adopt(RetainString(s)); }

const char* String::text() const { return StringText(s_); }
int32_t String::length() const { return StringLength(s_); }
uint32_t String::encoding() const { return StringEncoding(s_); }

// --- Creation ---

String NewStringFromBytes(const void* bytes, int32_t length, uint32_t encoding) {
  if (length <= 0) return String();
  if (static_cast<uint32_t>(length) > UINT32_MAX - 2) return String();
  RuntimeString* s = NewRecord(static_cast<uint32_t>(length) + 2, length);
  if (!s) return String();
  s->text[0] = static_cast<char>(length < 256 ? length : 255);
  if (bytes) memcpy(s->text + 1, bytes, static_cast<size_t>(length));
  s->text[1 + length] = 0;
  s->encoding = encoding;
  return String::Adopt(s);
}

namespace {

// The wide layout: 2 bytes per code unit, two NULs, low byte of the length.
String NewWideString(const void* bytes, int32_t count) {
  if (count <= 0 || count > (INT32_MAX - 3) / 2) return String();
  const int32_t length = 2 * count;
  RuntimeString* s = NewRecord(static_cast<uint32_t>(length) + 3, length);
  if (!s) return String();
  s->text[0] = static_cast<char>(length & 0xFF);
  if (bytes) memcpy(s->text + 1, bytes, static_cast<size_t>(length));
  s->text[1 + length] = 0;
  s->text[2 + length] = 0;
  s->encoding = QL_ENCODING_UTF16;
  return String::Adopt(s);
}

}  // namespace

String NewStringFromWide(const char16_t* units, int32_t count) { return NewWideString(units, count); }

String NewStringWithText(const void* bytes, int32_t length, uint32_t encoding) {
  if (encoding == QL_ENCODING_UTF16 && length % 2 == 0) return NewWideString(bytes, length / 2);
  return NewStringFromBytes(bytes, length, encoding);
}

String NewStringFromCText(const char* text) {
  if (!text) return String();
  return NewStringFromBytes(text, static_cast<int32_t>(strlen(text)), QL_ENCODING_ASCII);
}

// --- References ---

RuntimeString* RetainString(RuntimeString* s) {
  if (s) Count(s).fetch_add(1, std::memory_order_relaxed);
  return s;
}

void ReleaseString(RuntimeString* s) {
  if (!s) return;
  std::atomic_ref<int32_t> count = Count(s);
  const int32_t seen = count.load(std::memory_order_acquire);
  // 0 or less: a static record or one already freed, whose counts nothing
  // changes concurrently.
  if (seen <= 0) return;
  if (seen == 1) {
    // The caller holds the only reference: no other thread can reach the
    // record to change its count, so the last release needs no atomic step.
    count.store(0, std::memory_order_relaxed);
    FreeRecord(s);
    return;
  }
  const int32_t c = count.fetch_sub(1, std::memory_order_acq_rel);
  if (c == 1) FreeRecord(s);
}

void AssignString(RuntimeString** variable, RuntimeString* value) {
  if (*variable == value) return;
  RetainString(value);
  RuntimeString* old = *variable;
  *variable = value;
  ReleaseString(old);
}

// --- Reading ---

char* WritableStringText(RuntimeString** variable, int32_t index) {
  RuntimeString* s = *variable;
  if (!s) {
    QL_CHECK(index == 0, "string", __LINE__, "index == 0");
    return const_cast<char*>(kEmptyText);
  }
  if (!QL_CHECK(index >= 0 && index < s->length, "string", __LINE__, "index >= 0 && index < length")) {
    return const_cast<char*>(kEmptyText);
  }
  if (Count(s).load(std::memory_order_acquire) != 1) {
    String copy = s->encoding == QL_ENCODING_UTF16 && (s->size == static_cast<uint32_t>(s->length) + 3)
                      ? NewWideString(s->text + 1, s->length / 2)
                      : NewStringFromBytes(s->text + 1, s->length, s->encoding);
    if (copy.empty()) return const_cast<char*>(kEmptyText);
    ReleaseString(s);
    s = copy.release();
    *variable = s;
  }
  return s->text + 1 + index;
}

const char16_t* WideStringText(const RuntimeString* s) {
  if (!s) return reinterpret_cast<const char16_t*>(kEmptyText + 2);
  if (!QL_CHECK(s->encoding == QL_ENCODING_UTF16, "string", __LINE__, "encoding == kTextEncodingUnicodeDefault")) {
    return reinterpret_cast<const char16_t*>(kEmptyText + 2);
  }
  return reinterpret_cast<const char16_t*>(s->text + 1);
}

}  // namespace ql

// --- Entry points ---

QL_ENTRY RuntimeString* RuntimeLockString(RuntimeString* s) { return ql::RetainString(s); }

// RuntimeUnlockString is in stringunlock.cpp: it keeps the result registers.

QL_ENTRY void RuntimeLockUnlockStrings(RuntimeString* newValue, RuntimeString* oldValue) {
  if (newValue == oldValue) return;
  ql::RetainString(newValue);
  ql::ReleaseString(oldValue);
}
