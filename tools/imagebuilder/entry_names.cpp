#include "entry_names.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "file_io.h"

namespace qlimage {

namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The text without comments and preprocessor lines (which hold QL_ENTRY's
// own definition), newlines kept.
std::string Declarations(const std::string& text) {
  std::string out;
  bool lineStart = true;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
      size_t end = text.find("*/", i + 2);
      i = end == std::string::npos ? text.size() : end + 2;
      out += ' ';
    } else if (lineStart && c == '#') {
      // A directive continues over lines ending in a backslash.
      while (i < text.size() && !(text[i] == '\n' && text[i - 1] != '\\')) ++i;
    } else {
      if (c == '\n') lineStart = true;
      else if (c != ' ' && c != '\t') lineStart = false;
      out += c;
      ++i;
    }
  }
  return out;
}

}  // namespace

void CollectEntryNames(const std::string& headerText, EntryNames& out) {
  std::string text = Declarations(headerText);
  const std::string marker = "QL_ENTRY";
  size_t at = 0;
  while ((at = text.find(marker, at)) != std::string::npos) {
    bool whole = (at == 0 || !IsNameChar(text[at - 1])) &&
                 (at + marker.size() == text.size() || !IsNameChar(text[at + marker.size()]));
    at += marker.size();
    if (!whole) continue;
    // The declared name is the identifier right before the first parenthesis.
    size_t paren = text.find_first_of("(;", at);
    if (paren == std::string::npos || text[paren] != '(') continue;
    size_t end = paren;
    while (end > at && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\n')) --end;
    size_t start = end;
    while (start > at && IsNameChar(text[start - 1])) --start;
    if (start < end) out.insert(text.substr(start, end - start));
  }
}

bool ReadEntryNames(const std::string& path, EntryNames& out, Diagnostics& diagnostics) {
  std::error_code error;
  std::vector<std::string> headers;
  if (std::filesystem::is_directory(path, error)) {
    for (const auto& entry : std::filesystem::directory_iterator(path, error)) {
      if (entry.path().extension() == ".h") headers.push_back(entry.path().string());
    }
    std::sort(headers.begin(), headers.end());
  } else {
    headers.push_back(path);
  }
  bool ok = true;
  for (const std::string& header : headers) {
    Bytes bytes;
    if (!ReadWholeFile(header, bytes, diagnostics)) {
      ok = false;
      continue;
    }
    CollectEntryNames(std::string(bytes.begin(), bytes.end()), out);
  }
  if (ok && out.empty()) {
    diagnostics.Error(path + ": declares no QL_ENTRY function");
    ok = false;
  }
  return ok;
}

}  // namespace qlimage
