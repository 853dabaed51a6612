#include "ui/caption_shortcut.h"

#include "core/characters.h"

namespace ql::ui {

int32_t CaptionShortcutOffset(const char* text, int32_t length) {
  int32_t marked = -1;
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] != '&') continue;
    if (i + 1 >= length) break;
    if (text[i + 1] != '&') marked = i + 1;
    ++i;  // the character after "&" is never itself a marker
  }
  return marked;
}

String CaptionShortcutName(RuntimeString* caption) {
  String utf8 = ConvertToUTF8(caption);
  const char* text = utf8.text();
  const int32_t length = utf8.length();
  const int32_t at = CaptionShortcutOffset(text, length);
  if (at < 0) return String();
  int32_t size = CharacterLength(CharacterModel::UTF8, text, length, at);
  if (size > 4) size = 4;  // a malformed run of continuation bytes
  char name[8] = {'A', 'l', 't', '+'};
  for (int32_t k = 0; k < size; ++k) name[4 + k] = text[at + k];
  if (size == 1 && name[4] >= 'a' && name[4] <= 'z') name[4] = static_cast<char>(name[4] - 'a' + 'A');
  return NewStringFromBytes(name, 4 + size, QL_ENCODING_UTF8);
}

}  // namespace ql::ui
