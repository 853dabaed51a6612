#include "manifest.h"

#include <filesystem>

#include "file_io.h"

namespace qlimage {

std::string FourCharCode(uint32_t type) {
  std::string text = "'";
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = static_cast<char>(type >> shift);
    text += c >= 0x20 && c < 0x7F ? c : '?';
  }
  return text + "'";
}

namespace {

constexpr uint32_t kUtf8Encoding = 0x08000100;

enum class TokenKind { Word, Quoted, Code };

struct Token {
  TokenKind kind;
  std::string text;
};

class LineParser {
 public:
  LineParser(const std::string& label, Diagnostics& diagnostics) : label_(label), diagnostics_(diagnostics) {}

  // Splits a line into words, "quoted strings" (with \" and \\) and
  // 'four-character codes'; a # outside quotes starts a comment.
  bool Tokenize(const std::string& line, std::vector<Token>& out) {
    size_t i = 0;
    while (i < line.size()) {
      char c = line[i];
      if (c == ' ' || c == '\t' || c == '\r') {
        ++i;
      } else if (c == '#') {
        break;
      } else if (c == '"') {
        std::string text;
        ++i;
        bool closed = false;
        while (i < line.size()) {
          if (line[i] == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) {
            text += line[i + 1];
            i += 2;
          } else if (line[i] == '"') {
            closed = true;
            ++i;
            break;
          } else {
            text += line[i++];
          }
        }
        if (!closed) return Error("a quoted string is not closed");
        out.push_back({TokenKind::Quoted, text});
      } else if (c == '\'') {
        size_t end = line.find('\'', i + 1);
        if (end == std::string::npos) return Error("a 'four-character code' is not closed");
        out.push_back({TokenKind::Code, line.substr(i + 1, end - i - 1)});
        i = end + 1;
      } else {
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '#') ++i;
        out.push_back({TokenKind::Word, line.substr(start, i - start)});
      }
    }
    return true;
  }

  bool Error(const std::string& what) {
    diagnostics_.Error(label_ + ": " + what);
    return false;
  }

 private:
  std::string label_;
  Diagnostics& diagnostics_;
};

bool ParseNumber(const std::string& text, uint16_t& out) {
  if (text.empty() || text.size() > 5) return false;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > 0xFFFF) return false;
  out = static_cast<uint16_t>(value);
  return true;
}

bool IsIdentifier(const std::string& text) {
  if (text.empty() || (text[0] >= '0' && text[0] <= '9')) return false;
  for (char c : text) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::string Resolve(const std::string& folder, const std::string& file) {
  std::filesystem::path path(file);
  if (path.is_absolute() || folder.empty()) return file;
  return (std::filesystem::path(folder) / path).string();
}

class ManifestParser {
 public:
  ManifestParser(const std::string& name, const std::string& folder, Manifest& out, Diagnostics& diagnostics)
      : name_(name), folder_(folder), out_(out), diagnostics_(diagnostics) {}

  bool Parse(const std::string& text) {
    size_t errors = diagnostics_.Count();
    int number = 0;
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      ++number;
      ParseLine(number, text.substr(start, end - start));
      start = end + 1;
    }
    return diagnostics_.Count() == errors;
  }

 private:
  void ParseLine(int number, const std::string& line) {
    LineParser parser(name_ + ":" + std::to_string(number), diagnostics_);
    std::vector<Token> tokens;
    if (!parser.Tokenize(line, tokens) || tokens.empty()) return;
    if (tokens[0].kind != TokenKind::Word) {
      parser.Error("a line starts with a directive (entry, library, resource, plugin, mdi)");
      return;
    }
    const std::string& directive = tokens[0].text;
    if (directive == "entry") {
      Entry(parser, tokens);
    } else if (directive == "library") {
      Library(parser, tokens);
    } else if (directive == "resource") {
      Resource(parser, tokens, number);
    } else if (directive == "plugin") {
      Plugin(parser, tokens, number);
    } else if (directive == "mdi") {
      Mdi(parser, tokens);
    } else {
      parser.Error("unknown directive '" + Printable(directive) + "'");
    }
  }

  void Entry(LineParser& parser, const std::vector<Token>& tokens) {
    if (tokens.size() != 2 || !IsIdentifier(tokens[1].text)) {
      parser.Error("expected: entry NAME");
      return;
    }
    if (sawEntry_) {
      parser.Error("the entry is named twice");
      return;
    }
    sawEntry_ = true;
    out_.entry = tokens[1].text;
  }

  void Library(LineParser& parser, const std::vector<Token>& tokens) {
    if (tokens.size() < 3) {
      parser.Error("expected: library FILE ROUTINE...");
      return;
    }
    const std::string& library = tokens[1].text;
    if (library.empty() || library.size() > 255) {
      parser.Error("a library file name has 1 to 255 bytes");
      return;
    }
    for (size_t i = 2; i < tokens.size(); ++i) {
      const std::string& routine = tokens[i].text;
      if (!IsIdentifier(routine) || routine.size() > 255) {
        parser.Error("'" + Printable(routine) + "' is not a routine name");
        continue;
      }
      auto [it, inserted] = out_.routines.emplace(routine, library);
      if (!inserted) parser.Error("routine " + routine + " is already named for " + Printable(it->second));
    }
  }

  bool AddResource(LineParser& parser, ManifestResource resource) {
    for (const ManifestResource& other : out_.resources) {
      if (other.type == resource.type && other.number == resource.number) {
        return parser.Error("resource " + FourCharCode(resource.type) + " " + std::to_string(resource.number) +
                            " is already defined on line " + std::to_string(other.line));
      }
    }
    out_.resources.push_back(std::move(resource));
    return true;
  }

  void Resource(LineParser& parser, const std::vector<Token>& tokens, int line) {
    uint16_t number = 0;
    if (tokens.size() != 4 || tokens[1].kind != TokenKind::Code || tokens[1].text.size() != 4 ||
        !ParseNumber(tokens[2].text, number)) {
      parser.Error("expected: resource 'TYPE' NUMBER FILE (TYPE: four characters, NUMBER: 0 to 65535)");
      return;
    }
    ManifestResource resource;
    for (char c : tokens[1].text) resource.type = resource.type << 8 | static_cast<uint8_t>(c);
    if (resource.type == kPluginResourceType) {
      parser.Error("plug-in libraries are named with: plugin NUMBER INSTALLED-NAME FILE");
      return;
    }
    resource.number = number;
    resource.file = Resolve(folder_, tokens[3].text);
    resource.line = line;
    AddResource(parser, std::move(resource));
  }

  void Plugin(LineParser& parser, const std::vector<Token>& tokens, int line) {
    uint16_t number = 0;
    if (tokens.size() != 4 || !ParseNumber(tokens[1].text, number)) {
      parser.Error("expected: plugin NUMBER INSTALLED-NAME FILE");
      return;
    }
    if (tokens[2].text.empty() || tokens[2].text.size() > 255) {
      parser.Error("a plug-in's installed name has 1 to 255 bytes");
      return;
    }
    ManifestResource resource;
    resource.type = kPluginResourceType;
    resource.number = number;
    resource.pluginFileName = tokens[2].text;
    resource.file = Resolve(folder_, tokens[3].text);
    resource.line = line;
    AddResource(parser, std::move(resource));
  }

  void Mdi(LineParser& parser, const std::vector<Token>& tokens) {
    if (tokens.size() != 2 || tokens[1].kind != TokenKind::Quoted) {
      parser.Error("expected: mdi \"FRAME TITLE\"");
      return;
    }
    if (out_.mdiTitle) {
      parser.Error("mdi is given twice");
      return;
    }
    out_.mdiTitle = tokens[1].text;
  }

  std::string name_;
  std::string folder_;
  Manifest& out_;
  Diagnostics& diagnostics_;
  bool sawEntry_ = false;
};

}  // namespace

bool ParseManifest(const std::string& name, const std::string& text, const std::string& folder, Manifest& out,
                   Diagnostics& diagnostics) {
  return ManifestParser(name, folder, out, diagnostics).Parse(text);
}

bool BuildResourceSection(const Manifest& manifest, Bytes& out, Diagnostics& diagnostics) {
  size_t errors = diagnostics.Count();
  for (const ManifestResource& resource : manifest.resources) {
    Bytes contents;
    if (!ReadWholeFile(resource.file, contents, diagnostics)) continue;
    Bytes data;
    if (resource.type == kPluginResourceType) {
      AppendU8(data, static_cast<uint8_t>(resource.pluginFileName.size()));
      AppendText(data, resource.pluginFileName);
    }
    AppendBytes(data, contents);
    if (data.size() > 0x7FFFFFFF || out.size() > 0x7FFFFFFF - data.size()) {
      diagnostics.Error(resource.file + ": too large for a resource");
      continue;
    }
    AppendU32(out, resource.type);
    AppendU16(out, resource.number);
    AppendU32(out, 0);  // reserved
    AppendU32(out, static_cast<uint32_t>(data.size()));
    AppendBytes(out, data);
  }
  return diagnostics.Count() == errors;
}

Bytes BuildOptionsSection(const Manifest& manifest) {
  Bytes out;
  if (manifest.mdiTitle) {
    AppendU8(out, 0);  // key 0: MDI mode with a frame title
    AppendU32(out, static_cast<uint32_t>(manifest.mdiTitle->size()));
    if (!manifest.mdiTitle->empty()) {
      AppendText(out, *manifest.mdiTitle);
      AppendU32(out, kUtf8Encoding);
    }
  }
  return out;
}

}  // namespace qlimage
