// Text encodings of runtime strings: combining, reconciling and converting
// them, with the one-entry conversion cache.
#include <string.h>

#include "core/allocator.h"
#include "core/string.h"
#include "platform/codepage.h"
#include "platform/lock.h"
#include "platform/locale.h"

namespace ql {
namespace {

struct CodePageRow {
  uint16_t encoding;  // base encoding (low 16 bits of the value)
  uint16_t codePage;
};

constexpr CodePageRow kCodePages[] = {
    {0, 10000},    {1, 10001},   {2, 10002},   {3, 10003},   {4, 10004},   {5, 10005},   {6, 10006},
    {7, 10007},    {35, 10081},  {37, 10079},  {518, 708},   {1024, 437},  {1029, 737},  {1030, 775},
    {1040, 850},   {1041, 851},  {1042, 852},  {1043, 855},  {1044, 857},  {1045, 860},  {1046, 861},
    {1047, 862},   {1048, 863},  {1049, 864},  {1050, 865},  {1051, 866},  {1052, 869},  {1053, 874},
    {1056, 932},   {1057, 936},  {1058, 949},  {1059, 950},  {1280, 1252}, {1281, 1250}, {1282, 1251},
    {1283, 1253},  {1284, 1254}, {1285, 1255}, {1286, 1256}, {1287, 1257}, {1288, 1258}, {1296, 1361},
    {1536, 1252},  {1585, 936},  {2561, 932},  {3073, 37},   {3074, 37},   {0xFFFF, 1252},
    // ISO-2022-JP and EUC-JP through the system's own converters.
    {2080, 50220}, {2336, 51932},
};

uint32_t MappedCodePage(uint32_t encoding) {
  const uint32_t base = encoding & 0xFFFF;
  if (base == 256 || base == 257 || base == 259)
    return encoding == QL_ENCODING_UTF8 ? platform::kCodePageUTF8 : platform::kCodePageUTF16;
  for (const CodePageRow& row : kCodePages)
    if (row.encoding == base) return row.codePage;
  return 0;
}

bool HasHighByte(const RuntimeString* s) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(StringText(s));
  for (int32_t i = 0; i < StringLength(s); ++i)
    if (p[i] >= 0x80) return true;
  return false;
}

// A temporary block of the runtime's allocator.
class Scratch {
 public:
  explicit Scratch(size_t size) : block_(Allocate(size)), size_(size) {}
  ~Scratch() { Release(block_, size_); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  void* get() const { return block_; }

 private:
  void* block_;
  size_t size_;
};

// UTF-16 text for the given source; `units` points into the source itself
// when it already is UTF-16.
String EncodeWide(const void* units, int32_t count, uint32_t codePage, uint32_t encoding) {
  if (codePage == platform::kCodePageUTF16) return NewStringWithText(units, 2 * count, QL_ENCODING_UTF16);
  const int32_t bytes = platform::WideToMultiByte(codePage, units, count, nullptr, 0);
  if (bytes <= 0) return String();
  String result = NewStringFromBytes(nullptr, bytes, encoding);
  if (result.empty()) return result;
  if (platform::WideToMultiByte(codePage, units, count, result.get()->text + 1, bytes) != bytes) return String();
  return result;
}

String Transcode(RuntimeString* s, uint32_t from, uint32_t to) {
  const uint32_t source = CodePageForEncoding(from), target = CodePageForEncoding(to);
  if (!source || !target) return String();
  if (source == platform::kCodePageUTF16) {
    String result = EncodeWide(StringText(s), StringLength(s) / 2, target, to);
    if (!result.empty()) result.get()->encoding = to;
    return result;
  }
  const int32_t count = platform::MultiByteToWide(source, StringText(s), StringLength(s), nullptr, 0);
  if (count <= 0) return String();
  Scratch wide(static_cast<size_t>(count) * 2);
  if (!wide.get()) return String();
  char16_t* units = static_cast<char16_t*>(wide.get());
  if (platform::MultiByteToWide(source, StringText(s), StringLength(s), units, count) != count) return String();
  String result = EncodeWide(units, count, target, to);
  if (!result.empty()) result.get()->encoding = to;
  return result;
}

// The last conversion: its source, its target encoding and its result, one
// reference each, released at exit.
struct ConversionCache {
  ConversionCache() { platform::StringLock(); }  // so the lock outlives the cache
  ~ConversionCache() {
    ReleaseString(source);
    ReleaseString(result);
  }
  RuntimeString* source = nullptr;
  uint32_t target = QL_ENCODING_UNDEFINED;
  RuntimeString* result = nullptr;
};

ConversionCache& Cache() {
  static ConversionCache cache;
  return cache;
}

bool FindCached(RuntimeString* s, uint32_t encoding, String* found) {
  ConversionCache& cache = Cache();
  platform::LockGuard guard(platform::StringLock());
  if (cache.source != s || cache.target != encoding) return false;
  *found = String::Retain(cache.result);
  return true;
}

void StoreCached(RuntimeString* s, uint32_t encoding, RuntimeString* result) {
  ConversionCache& cache = Cache();
  platform::LockGuard guard(platform::StringLock());
  AssignString(&cache.source, s);
  AssignString(&cache.result, result);
  cache.target = encoding;
}

uint32_t ReconcileTarget(uint32_t a, uint32_t b) {
  const bool wide = IsWideEncoding(a) || IsWideEncoding(b);
  const bool utf8 = a == QL_ENCODING_UTF8 || b == QL_ENCODING_UTF8;
  return wide && !utf8 ? QL_ENCODING_UTF16 : QL_ENCODING_UTF8;
}

}  // namespace

uint32_t CodePageForEncoding(uint32_t encoding) {
  const uint32_t codePage = MappedCodePage(encoding);
  return codePage && platform::IsValidCodePage(codePage) ? codePage : 0;
}

uint32_t SystemEncoding() {
  static const uint32_t encoding = [] {
    switch (platform::UserDefaultLanguage()) {
      case 1028:
      case 2052:
      case 3076:
      case 4100:
        return 0x0423u;  // Chinese: code page 950
      case 1041:
        return 0x0A01u;  // Japanese: code page 932
      default:
        return static_cast<uint32_t>(QL_ENCODING_WINLATIN1);
    }
  }();
  return encoding;
}

uint32_t CombineEncodings(uint32_t a, uint32_t b, Force force) {
  if (a == b) return a;
  const auto asciiOrUTF8 = [](uint32_t e) { return e == QL_ENCODING_ASCII || e == QL_ENCODING_UTF8; };
  if (asciiOrUTF8(a) && asciiOrUTF8(b)) return QL_ENCODING_UTF8;
  if (a == QL_ENCODING_ASCII && !IsWideEncoding(b)) return b;
  if (b == QL_ENCODING_ASCII && !IsWideEncoding(a)) return a;
  if (force == Force::No) return QL_ENCODING_UNDEFINED;
  return ReconcileTarget(a, b);
}

String ConvertString(RuntimeString* s, uint32_t encoding) {
  if (encoding == QL_ENCODING_UNDEFINED || !s || s->encoding == encoding) return String::Retain(s);
  String result;
  if (FindCached(s, encoding, &result)) return result;
  const bool transcode = IsWideEncoding(encoding) || IsWideEncoding(s->encoding) ||
                         (s->encoding != QL_ENCODING_ASCII && HasHighByte(s));
  result = transcode ? Transcode(s, s->encoding, encoding) : NewStringWithText(StringText(s), s->length, encoding);
  StoreCached(s, encoding, result.get());
  return result;
}

String ConvertToUTF8(RuntimeString* s) { return ConvertString(s, QL_ENCODING_UTF8); }
String ConvertToUTF16(RuntimeString* s) { return ConvertString(s, QL_ENCODING_UTF16); }
String ConvertToSystem(RuntimeString* s) { return ConvertString(s, SystemEncoding()); }

uint32_t ReconcileStrings(String& a, String& b) {
  const uint32_t ea = a.empty() ? b.encoding() : a.encoding();
  const uint32_t eb = b.empty() ? ea : b.encoding();
  if (ea == eb) return ea;
  if (ea == QL_ENCODING_UNDEFINED || eb == QL_ENCODING_UNDEFINED) return QL_ENCODING_UNDEFINED;
  const uint32_t combined = CombineEncodings(ea, eb, Force::No);
  if (combined != QL_ENCODING_UNDEFINED) return combined;
  const uint32_t target = ReconcileTarget(ea, eb);
  // Both or neither: a failed conversion leaves the raw texts to the caller.
  String x = ConvertString(a.get(), target), y = ConvertString(b.get(), target);
  if (x.empty() || y.empty()) return QL_ENCODING_UNDEFINED;
  a = std::move(x);
  b = std::move(y);
  return target;
}

bool IsSevenBit(const RuntimeString* s) { return !HasHighByte(s); }

}  // namespace ql
