#include "core/basicstr.h"

#include "core/characters.h"
#include "core/stringsearch.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

// Byte offset after skipping `count` characters from `offset` (the text's
// length when it ends first).
int64_t SkipCharacters(CharacterModel model, const char* text, int32_t length, int32_t offset, int64_t count) {
  while (count-- > 0 && offset < length) offset += CharacterLength(model, text, length, offset);
  return offset;
}

// Delimiters without case partners are matched byte for byte; on a
// double-byte system the character-aware search finds them.
Match DelimiterMatch(CharacterModel model, RuntimeString* delimiter) {
  if (model == CharacterModel::DoubleByte) return Match::IgnoringCase;
  return HasCasePartners(delimiter) ? Match::IgnoringCase : Match::Exact;
}

}  // namespace

String NthField(RuntimeString* text, RuntimeString* delimiter, int32_t n) {
  if (!text || !delimiter || n < 1) return String();
  const String d = ConvertString(delimiter, text->encoding);
  if (d.empty()) return String();
  const Match match = DelimiterMatch(CharacterModelFor(text->encoding), d.get());
  int32_t start = 0;
  for (int32_t field = 1;; ++field) {
    const TextMatch m = FindText(text, d.get(), start, match);
    if (field == n) return ByteSubstring(text, start, (m.found() ? m.offset : text->length) - start);
    if (!m.found()) return String();
    start = m.offset + m.length;
  }
}

int32_t CountFields(RuntimeString* text, RuntimeString* delimiter) {
  if (!text) return 0;
  if (!delimiter) return 1;
  String t = String::Retain(text), d = String::Retain(delimiter);
  ReconcileStrings(t, d);
  int32_t fields = 1;
  for (int32_t from = 0;; ++fields) {
    const TextMatch m = FindText(t.get(), d.get(), from, Match::IgnoringCase);
    if (!m.found()) return fields;
    from = m.offset + m.length;
  }
}

String Mid(RuntimeString* text, int32_t start, int32_t count) {
  if (!text || count < 1) return String();
  int64_t first = start, n = count;
  if (first < 1) {
    n += first - 1;  // the characters before position 1 are lost
    first = 1;
  }
  if (n < 1) return String();
  const CharacterModel model = CharacterModelFor(text->encoding);
  const char* t = text->text + 1;
  const int32_t length = text->length;
  switch (model) {
    case CharacterModel::SingleByte:
      break;
    case CharacterModel::UTF16:
      first = 2 * first - 1;
      n = 2 * n;
      break;
    case CharacterModel::UTF8:
    case CharacterModel::DoubleByte: {
      const int64_t from = SkipCharacters(model, t, length, 0, first - 1);
      if (from >= length) return String();
      const int64_t to = SkipCharacters(model, t, length, static_cast<int32_t>(from), n);
      first = from + 1;
      n = to - from;
      break;
    }
  }
  if (first > length) return String();
  if (n > length) n = length;
  return ByteSubstring(text, static_cast<int32_t>(first - 1), static_cast<int32_t>(n));
}

int32_t Len(RuntimeString* text) {
  if (!text) return 0;
  const char* t = text->text + 1;
  const int32_t length = text->length;
  switch (CharacterModelFor(text->encoding)) {
    case CharacterModel::SingleByte:
      return length;
    case CharacterModel::UTF16:
      return length / 2;
    case CharacterModel::UTF8: {
      int32_t characters = 0;
      for (int32_t i = 0; i < length; ++i) characters += !IsContinuationByte(static_cast<uint8_t>(t[i]));
      return characters;
    }
    case CharacterModel::DoubleByte: {
      int32_t characters = 0;
      for (int32_t i = 0; i < length; i += CharacterLength(CharacterModel::DoubleByte, t, length, i)) ++characters;
      return characters;
    }
  }
  return length;
}

int32_t Asc(RuntimeString* text) {
  if (!text) return 0;
  const char* t = text->text + 1;
  const uint8_t first = static_cast<uint8_t>(t[0]);
  switch (CharacterModelFor(text->encoding)) {
    case CharacterModel::UTF8: {
      int32_t size;
      return static_cast<int32_t>(DecodeUTF8At(t, text->length, 0, &size));
    }
    case CharacterModel::UTF16:
      return text->length >= 2 ? WideUnitAt(t, 0) : first;
    case CharacterModel::DoubleByte:
      if (text->length >= 2 && CharacterLength(CharacterModel::DoubleByte, t, text->length, 0) == 2)
        return first * 256 + static_cast<uint8_t>(t[1]);
      return first;
    case CharacterModel::SingleByte:
      return first;
  }
  return first;
}

String Chr(int32_t code) {
  if (code < 256) {
    const char byte = static_cast<char>(code & 0xFF);
    return NewStringFromBytes(&byte, 1, code >= 0 && code < 128 ? QL_ENCODING_ASCII : QL_ENCODING_UNDEFINED);
  }
  const char bytes[2] = {static_cast<char>((code >> 8) & 0xFF), static_cast<char>(code & 0xFF)};
  return NewStringFromBytes(bytes, 2, QL_ENCODING_UNDEFINED);
}

}  // namespace ql

// --- Entry points: string arguments are borrowed for the call ---

QL_ENTRY RuntimeString* StringNthField(RuntimeString* text, RuntimeString* delimiter, int32_t n) {
  const ql::String t = ql::String::Retain(text), d = ql::String::Retain(delimiter);
  return ql::NthField(t.get(), d.get(), n).release();
}

QL_ENTRY int32_t StringCountFields(RuntimeString* text, RuntimeString* delimiter) {
  const ql::String t = ql::String::Retain(text), d = ql::String::Retain(delimiter);
  return ql::CountFields(t.get(), d.get());
}

QL_ENTRY RuntimeString* StringDBCSMid3(RuntimeString* text, int32_t start, int32_t count) {
  const ql::String t = ql::String::Retain(text);
  return ql::Mid(t.get(), start, count).release();
}

QL_ENTRY int32_t StringDBCSLen(RuntimeString* text) { return ql::Len(text); }

QL_ENTRY int32_t StringDBCSAsc(RuntimeString* text) { return ql::Asc(text); }

QL_ENTRY RuntimeString* StringDBCSChr(int32_t code) { return ql::Chr(code).release(); }
