#include "ui/text_rows.h"

namespace ql::ui {

std::vector<String> SplitRows(RuntimeString* text, NulSeparates nul) {
  String source = IsWideEncoding(StringEncoding(text)) ? ConvertToUTF8(text) : String::Retain(text);
  const char* bytes = source.text();
  const int32_t length = source.length();
  const uint32_t encoding = source.encoding();
  std::vector<String> rows;
  int32_t start = 0;
  for (int32_t i = 0; i < length; ++i) {
    const char c = bytes[i];
    const bool lineEnd = c == '\r' || c == '\n';
    if (!lineEnd && !(c == '\0' && nul == NulSeparates::Yes)) continue;
    rows.push_back(NewStringFromBytes(bytes + start, i - start, encoding));
    if (c == '\r' && i + 1 < length && bytes[i + 1] == '\n') ++i;  // CR LF is one line end
    start = i + 1;
  }
  if (start < length) rows.push_back(NewStringFromBytes(bytes + start, length - start, encoding));
  return rows;
}

}  // namespace ql::ui
