#include "menus/shortcut_name.h"

#include <string.h>

#include <vector>

namespace ql::menus {
namespace {

struct Modifiers {
  bool shift = false;
  bool alt = false;
};

bool FieldIs(const char* field, size_t length, const char* word) {
  return CompareNameBytes(field, length, word, strlen(word)) == 0;
}

// Ctrl is in every name, so "Control", "Ctrl" and "Command" add nothing.
void NoteModifier(const char* field, size_t length, Modifiers& m) {
  if (FieldIs(field, length, "Shift") || FieldIs(field, length, "Shft")) m.shift = true;
  if (FieldIs(field, length, "Option") || FieldIs(field, length, "Alt")) m.alt = true;
}

bool IsSeparator(char c) { return c == '-' || c == '+'; }

}  // namespace

String ShortcutNameOfCommandKey(RuntimeString* commandKey) {
  const String utf8 = ConvertToUTF8(commandKey);
  const char* key = StringText(utf8.get());
  const size_t length = static_cast<size_t>(StringLength(utf8.get()));
  if (length == 0) return String();

  // "+" and "-" both separate fields. Every field is a candidate modifier,
  // the last one included; the key is the last field, or "-" when the
  // command key ends in a separator.
  Modifiers modifiers;
  size_t fieldStart = 0;
  for (size_t i = 0; i <= length; ++i) {
    if (i < length && !IsSeparator(key[i])) continue;
    NoteModifier(key + fieldStart, i - fieldStart, modifiers);
    if (i < length) fieldStart = i + 1;
  }
  const char* last = key + fieldStart;
  size_t lastLength = length - fieldStart;
  if (lastLength == 0) last = "-", lastLength = 1;

  std::vector<char> name;
  auto put = [&](const char* text, size_t n) { name.insert(name.end(), text, text + n); };
  put("Ctrl+", 5);
  if (modifiers.shift) put("Shift+", 6);
  if (modifiers.alt) put("Alt+", 4);
  put(last, lastLength);
  bool sevenBit = true;
  for (const char c : name) sevenBit = sevenBit && static_cast<unsigned char>(c) < 0x80;
  return NewStringFromBytes(name.data(), static_cast<int32_t>(name.size()),
                            sevenBit ? QL_ENCODING_ASCII : QL_ENCODING_UTF8);
}

}  // namespace ql::menus
