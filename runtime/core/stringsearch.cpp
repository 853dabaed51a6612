#include "core/stringsearch.h"

#include <string.h>

#include "core/array.h"
#include "core/characters.h"
#include "platform/chartables.h"

namespace ql {
namespace {

uint32_t UpperCodePoint(uint32_t cp) { return cp <= 0xFFFF ? UnicodeToUpper(static_cast<char16_t>(cp)) : cp; }

// The first character boundary of the text at or after `offset`.
int32_t BoundaryAtOrAfter(CharacterModel model, const char* text, int32_t length, int32_t offset) {
  switch (model) {
    case CharacterModel::SingleByte:
      return offset;
    case CharacterModel::UTF16:
      return offset + (offset & 1);
    case CharacterModel::UTF8:
      while (offset < length && offset > 0 && IsContinuationByte(static_cast<uint8_t>(text[offset]))) ++offset;
      return offset;
    case CharacterModel::DoubleByte: {
      int32_t i = 0;
      while (i < offset) i += CharacterLength(model, text, length, i);
      return i;
    }
  }
  return offset;
}

// Compares the pattern with the text at `at`; returns the matched byte
// length in the text, or -1.
int32_t MatchAt(CharacterModel model, Match match, const char* text, int32_t length, int32_t at, const char* pattern,
                int32_t patternLength) {
  if (match == Match::Exact || model == CharacterModel::SingleByte || model == CharacterModel::DoubleByte) {
    if (length - at < patternLength) return -1;
    if (match == Match::Exact) return memcmp(text + at, pattern, static_cast<size_t>(patternLength)) == 0 ? patternLength : -1;
    const uint8_t* upper = platform::SystemCharacterTables().upper;
    for (int32_t k = 0; k < patternLength; ++k)
      if (upper[static_cast<uint8_t>(text[at + k])] != upper[static_cast<uint8_t>(pattern[k])]) return -1;
    return patternLength;
  }
  if (model == CharacterModel::UTF16) {
    if (length - at < patternLength) return -1;
    for (int32_t k = 0; k + 1 < patternLength; k += 2)
      if (UnicodeToUpper(WideUnitAt(text + at, k / 2)) != UnicodeToUpper(WideUnitAt(pattern, k / 2))) return -1;
    return patternLength;
  }
  // UTF-8: code point by code point; case partners may differ in length.
  int32_t i = at, k = 0;
  while (k < patternLength) {
    if (i >= length) return -1;
    int32_t textSize, patternSize;
    const uint32_t x = DecodeUTF8At(text, length, i, &textSize);
    const uint32_t y = DecodeUTF8At(pattern, patternLength, k, &patternSize);
    if (x != y && UpperCodePoint(x) != UpperCodePoint(y)) return -1;
    i += textSize;
    k += patternSize;
  }
  return i - at;
}

}  // namespace

TextMatch FindText(RuntimeString* text, RuntimeString* pattern, int32_t from, Match match) {
  const char* t = StringText(text);
  const char* p = StringText(pattern);
  const int32_t length = StringLength(text), patternLength = StringLength(pattern);
  if (patternLength == 0 || from < 0 || from >= length) return TextMatch{-1, 0};
  const CharacterModel model = CharacterModelFor(StringEncoding(text));
  for (int32_t at = BoundaryAtOrAfter(model, t, length, from); at < length;
       at += CharacterLength(model, t, length, at)) {
    const int32_t matched = MatchAt(model, match, t, length, at, p, patternLength);
    if (matched >= 0) return TextMatch{at, matched};
  }
  return TextMatch{-1, 0};
}

bool HasCasePartners(RuntimeString* s) {
  const char* t = StringText(s);
  const int32_t length = StringLength(s);
  switch (CharacterModelFor(StringEncoding(s))) {
    case CharacterModel::UTF8:
      for (int32_t i = 0, size = 0; i < length; i += size) {
        const uint32_t cp = DecodeUTF8At(t, length, i, &size);
        if (cp <= 0xFFFF && HasCasePartner(static_cast<char16_t>(cp))) return true;
      }
      return false;
    case CharacterModel::UTF16:
      for (int32_t i = 0; i + 1 < length; i += 2)
        if (HasCasePartner(WideUnitAt(t, i / 2))) return true;
      return false;
    case CharacterModel::SingleByte:
    case CharacterModel::DoubleByte: {
      const platform::CharacterTables& tables = platform::SystemCharacterTables();
      for (int32_t i = 0; i < length; ++i) {
        const uint8_t b = static_cast<uint8_t>(t[i]);
        if (tables.upper[b] != b || tables.lower[b] != b) return true;
      }
      return false;
    }
  }
  return true;
}

int32_t FindIgnoringCase(int32_t start, RuntimeString* text, RuntimeString* pattern) {
  if (start < 1) start = 1;
  if (!pattern) return start;
  if (!text) return 0;
  String t = String::Retain(text), p = String::Retain(pattern);
  ReconcileStrings(t, p);
  const TextMatch m = FindText(t.get(), p.get(), start - 1, Match::IgnoringCase);
  return m.found() ? m.offset + 1 : 0;
}

String ByteSubstring(RuntimeString* s, int32_t start, int32_t count) {
  const int32_t length = StringLength(s);
  int64_t first = start, n = count;
  if (first < 0) {
    n += first;
    first = 0;
  }
  if (n <= 0 || first >= length) return String();
  if (n > length - first) n = length - first;
  if (first == 0 && n == length) return String::Retain(s);
  return NewStringWithText(StringText(s) + first, static_cast<int32_t>(n), StringEncoding(s));
}

String ReplaceAll(RuntimeString* text, RuntimeString* pattern, RuntimeString* replacement, Match match) {
  if (!text || !pattern) return String::Retain(text);
  const uint32_t encoding = StringEncoding(text);
  String p = ConvertString(pattern, encoding), r = ConvertString(replacement, encoding);
  if (p.empty() || (replacement && r.empty())) return String::Retain(text);  // no common encoding
  struct Piece {
    int32_t offset, length;
  };
  Array<Piece> matches;
  int64_t total = StringLength(text);
  for (int32_t from = 0;;) {
    const TextMatch m = FindText(text, p.get(), from, match);
    if (!m.found()) break;
    matches.Append(Piece{m.offset, m.length});
    total += static_cast<int64_t>(r.length()) - m.length;
    from = m.offset + m.length;
  }
  if (matches.Empty()) return String::Retain(text);
  if (total > INT32_MAX - 3) return String();
  String result = NewStringWithText(nullptr, static_cast<int32_t>(total), encoding);
  if (result.empty()) return result;
  char* out = result.get()->text + 1;
  const char* in = StringText(text);
  int32_t from = 0;
  for (const Piece& m : matches) {
    memcpy(out, in + from, static_cast<size_t>(m.offset - from));
    out += m.offset - from;
    memcpy(out, r.text(), static_cast<size_t>(r.length()));
    out += r.length();
    from = m.offset + m.length;
  }
  memcpy(out, in + from, static_cast<size_t>(StringLength(text) - from));
  return result;
}

}  // namespace ql
