// Comparisons of runtime strings: names (case-insensitive bytes), binary,
// and the language's own comparison behind RuntimeStringCompare.
#include <string.h>

#include "core/characters.h"
#include "core/string.h"
#include "platform/locale.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

// Name folding: ASCII letters and the Mac OS Roman accented letters to upper case.
struct NameFoldTable {
  uint8_t map[256];
  constexpr NameFoldTable() : map() {
    for (int i = 0; i < 256; ++i) map[i] = static_cast<uint8_t>(i);
    for (int c = 'a'; c <= 'z'; ++c) map[c] = static_cast<uint8_t>(c - 'a' + 'A');
    constexpr uint8_t pairs[][2] = {
        {0x87, 0xE7}, {0x88, 0xCB}, {0x89, 0xE5}, {0x8A, 0x80}, {0x8B, 0xCC}, {0x8C, 0x81}, {0x8D, 0x82},
        {0x8E, 0x83}, {0x8F, 0xE9}, {0x90, 0xE6}, {0x91, 0xE8}, {0x92, 0xEA}, {0x93, 0xED}, {0x94, 0xEB},
        {0x95, 0xEC}, {0x96, 0x84}, {0x97, 0xEE}, {0x98, 0xF1}, {0x99, 0xEF}, {0x9A, 0x85}, {0x9B, 0xCD},
        {0x9C, 0xF2}, {0x9D, 0xF4}, {0x9E, 0xF3}, {0x9F, 0x86}, {0xBE, 0xAE}, {0xBF, 0xAF}, {0xCF, 0xCE},
        {0xD8, 0xD9}, {0xF5, 0x49}};
    for (const auto& p : pairs) map[p[0]] = p[1];
  }
};

constexpr NameFoldTable kNameFold;

}  // namespace

uint8_t FoldNameByte(uint8_t byte) { return kNameFold.map[byte]; }

int CompareNameBytes(const char* a, size_t aLength, const char* b, size_t bLength) {
  const size_t common = aLength < bLength ? aLength : bLength;
  for (size_t i = 0; i < common; ++i) {
    const uint8_t x = kNameFold.map[static_cast<uint8_t>(a[i])];
    const uint8_t y = kNameFold.map[static_cast<uint8_t>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
}

bool NamesEqual(const char* a, const char* b) {
  if (a == b) return true;
  if (!a || !b) return false;
  return CompareNameBytes(a, strlen(a), b, strlen(b)) == 0;
}

namespace {

enum class Fold { Names, None };

int CompareBytes(const char* a, size_t aLength, const char* b, size_t bLength, Fold fold) {
  if (fold == Fold::Names) return CompareNameBytes(a, aLength, b, bLength);
  const size_t common = aLength < bLength ? aLength : bLength;
  const int c = common ? memcmp(a, b, common) : 0;
  if (c != 0) return c < 0 ? -1 : 1;
  return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
}

int CompareTexts(RuntimeString* a, RuntimeString* b, Fold fold) {
  return CompareBytes(StringText(a), static_cast<size_t>(StringLength(a)), StringText(b),
                      static_cast<size_t>(StringLength(b)), fold);
}

// Name and binary comparison: texts of one encoding (or of an unknown one)
// compare as they are, others after reconciling copies.
int CompareReconciled(RuntimeString* a, RuntimeString* b, Fold fold) {
  if (a == b) return 0;
  const uint32_t ea = StringEncoding(a), eb = StringEncoding(b);
  if (ea == eb || ea == QL_ENCODING_UNDEFINED || eb == QL_ENCODING_UNDEFINED) return CompareTexts(a, b, fold);
  String x = String::Retain(a), y = String::Retain(b);
  ReconcileStrings(x, y);
  return CompareTexts(x.get(), y.get(), fold);
}

int Sign(int64_t v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

uint32_t UpperCodePoint(uint32_t cp) { return cp <= 0xFFFF ? UnicodeToUpper(static_cast<char16_t>(cp)) : cp; }

int CompareUTF8(RuntimeString* a, RuntimeString* b) {
  const char* p = StringText(a);
  const char* q = StringText(b);
  const int32_t n = StringLength(a), m = StringLength(b);
  int32_t i = 0, j = 0;
  while (i < n && j < m) {
    const uint8_t c = static_cast<uint8_t>(p[i]), d = static_cast<uint8_t>(q[j]);
    if ((c | d) < 0x80) {  // two ASCII characters
      ++i, ++j;
      if (c == d) continue;
      const uint8_t uc = c >= 'a' && c <= 'z' ? c - 32 : c, ud = d >= 'a' && d <= 'z' ? d - 32 : d;
      if (uc != ud) return uc < ud ? -1 : 1;
      continue;
    }
    int32_t xSize, ySize;
    const uint32_t x = DecodeUTF8At(p, n, i, &xSize), y = DecodeUTF8At(q, m, j, &ySize);
    i += xSize;
    j += ySize;
    if (x == y) continue;
    const uint32_t ux = UpperCodePoint(x), uy = UpperCodePoint(y);
    if (ux != uy) return ux < uy ? -1 : 1;
  }
  // The text used up first is less, whatever the byte lengths: a letter
  // whose upper case is ASCII ("\u017F", long s, is "S") is two bytes
  // against one, so "\u017Fa" and "SAB" have the same length but are not
  // equal. Both used up: the shorter in bytes is less.
  if (i < n) return 1;
  if (j < m) return -1;
  return Sign(static_cast<int64_t>(n) - m);
}

int CompareUTF16(RuntimeString* a, RuntimeString* b) {
  const char* p = StringText(a);
  const char* q = StringText(b);
  const int32_t n = StringLength(a) / 2, m = StringLength(b) / 2;
  const int32_t common = n < m ? n : m;
  for (int32_t i = 0; i < common; ++i) {
    const char16_t x = WideUnitAt(p, i), y = WideUnitAt(q, i);
    if (x == y) continue;
    const char16_t ux = UnicodeToUpper(x), uy = UnicodeToUpper(y);
    if (ux != uy) return ux < uy ? -1 : 1;
  }
  return Sign(static_cast<int64_t>(StringLength(a)) - StringLength(b));
}

// Texts of an unknown encoding are taken to be in the system's own.
uint32_t LocaleCodePage(uint32_t encoding) {
  const uint32_t codePage = CodePageForEncoding(encoding == QL_ENCODING_UNDEFINED ? SystemEncoding() : encoding);
  return codePage ? codePage : CodePageForEncoding(QL_ENCODING_WINLATIN1);
}

int CompareInLocale(RuntimeString* a, RuntimeString* b, uint32_t encoding) {
  switch (platform::CompareTextIgnoringCase(LocaleCodePage(encoding), StringText(a), StringLength(a), StringText(b),
                                            StringLength(b))) {
    case platform::LocaleOrder::Less:
      return -1;
    case platform::LocaleOrder::Greater:
      return 1;
    case platform::LocaleOrder::Equal:
      return Sign(static_cast<int64_t>(StringLength(a)) - StringLength(b));
    case platform::LocaleOrder::Failed:
      break;
  }
  // Without an answer from the locale the bytes decide, so that the order
  // stays total.
  return CompareTexts(a, b, Fold::None);
}

}  // namespace

int CompareNames(RuntimeString* a, RuntimeString* b) { return CompareReconciled(a, b, Fold::Names); }

int CompareBinary(RuntimeString* a, RuntimeString* b) { return CompareReconciled(a, b, Fold::None); }

namespace {

int CompareInEncoding(RuntimeString* a, RuntimeString* b, uint32_t encoding) {
  if (encoding == QL_ENCODING_UTF8) return CompareUTF8(a, b);
  if (encoding == QL_ENCODING_UTF16) return CompareUTF16(a, b);
  return CompareInLocale(a, b, encoding);
}

}  // namespace

int CompareStrings(RuntimeString* a, RuntimeString* b) {
  if (a == b) return 0;
  if (!a) return -1;
  if (!b) return 1;
  if (a->encoding == b->encoding) return CompareInEncoding(a, b, a->encoding);
  String x = String::Retain(a), y = String::Retain(b);
  const uint32_t encoding = ReconcileStrings(x, y);
  return CompareInEncoding(x.get(), y.get(), encoding);
}

}  // namespace ql

// Arguments are borrowed: the caller's references keep them for the call.
QL_ENTRY int32_t RuntimeStringCompare(RuntimeString* left, RuntimeString* right) {
  return ql::CompareStrings(left, right);
}
