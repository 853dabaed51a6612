// Finding text in runtime strings: the case-insensitive search behind InStr,
// exact search, byte substrings and replace-all.
#pragma once

#include <stdint.h>

#include "core/string.h"

namespace ql {

// A match of a pattern in a text: byte offset and byte length in the text
// (case partners may differ in length in UTF-8), or offset -1 for none.
struct TextMatch {
  int32_t offset;
  int32_t length;
  bool found() const { return offset >= 0; }
};

enum class Match { IgnoringCase, Exact };

// Searches `text` from byte `from` for `pattern`, both already in the text's
// encoding. Matches start at character boundaries of the text. Ignoring
// case, UTF-8 and UTF-16 text compares code points after the Unicode
// to-upper mapping, other text bytes after the system's upper-case map.
TextMatch FindText(RuntimeString* text, RuntimeString* pattern, int32_t from, Match match);

// Whether any character of `s` has a case partner: UTF-8 and UTF-16 text
// by the Unicode case table, other text by the system's case maps.
bool HasCasePartners(RuntimeString* s);

// The InStr core: brings both strings to a common encoding first. Returns
// the 1-based byte position of the first match at or after byte position
// `start` (1-based), or 0. An empty pattern gives the start position, an
// empty text 0.
int32_t FindIgnoringCase(int32_t start, RuntimeString* text, RuntimeString* pattern);

// `count` bytes from the 0-based byte `start`, clamped to the text; the
// string itself when that is the whole text; nil when nothing is left.
String ByteSubstring(RuntimeString* s, int32_t start, int32_t count);

// Every non-overlapping occurrence of `pattern` replaced, searching from the
// start and resuming after each replacement. Pattern and replacement are
// converted to the text's encoding first.
String ReplaceAll(RuntimeString* text, RuntimeString* pattern, RuntimeString* replacement, Match match);

}  // namespace ql
