#include "image_dump.h"

#include <stdio.h>

#include "manifest.h"

namespace qlimage {

namespace {

class Dumper {
 public:
  Dumper(const Image& image, Diagnostics& diagnostics) : image_(image), diagnostics_(diagnostics) {}

  std::string Dump() {
    Line(std::string("machine ") + MachineName(image_.machine));
    Line("section code " + std::to_string(image_.code.size()));
    Line("section data " + std::to_string(image_.data.size()));
    Line("section import " + std::to_string(image_.import.size()));
    Line("section rsrc " + std::to_string(image_.rsrc.size()));
    Line("section options " + std::to_string(image_.options.size()));
    Imports();
    Resources();
    Options();
    return out_;
  }

 private:
  void Line(const std::string& text) {
    out_ += text;
    out_ += '\n';
  }
  // Named only for a problem: most records are relocations of five bytes.
  static std::string RecordAt(uint64_t record) { return "import record at " + Hex(record); }
  void Problem(const std::string& text) {
    Line("problem: " + text);
    diagnostics_.Error(text);
  }

  // Reads a length byte, that many bytes and the byte after them.
  bool ReadName(ByteView bytes, uint64_t& at, std::string& out) {
    uint8_t length = 0;
    if (!ReadU8(bytes, at, length) || !Fits(bytes.size(), at + 1, uint64_t{length} + 1)) return false;
    out.assign(reinterpret_cast<const char*>(bytes.data() + at + 1), length);
    at += 2 + uint64_t{length};
    return true;
  }

  // Number of sites of a chain, or -1 after reporting a broken one.
  long WalkChain(uint32_t head, unsigned width, const std::string& what) {
    long count = 0;
    uint64_t site = head;
    uint64_t limit = image_.code.size() / 4;
    while (site != 0) {
      uint64_t next = 0;
      if (!ReadWord(image_.code, site, width, next)) {
        Problem(what + ": site " + Hex(site) + " lies outside the code section");
        return -1;
      }
      if (static_cast<uint64_t>(++count) > limit) {
        Problem(what + ": its chain visits more sites than the code section has words (a loop)");
        return -1;
      }
      site = next;
    }
    return count;
  }

  void Imports() {
    ByteView bytes = image_.import;
    unsigned word = WordWidth(image_.machine);
    long counts[6] = {};
    long unknown = 0;
    uint64_t at = 0;
    while (at < bytes.size()) {
      uint8_t kind = bytes[at];
      uint64_t record = at++;
      if (kind == kImportRuntime) {
        uint8_t mode = 0;
        uint32_t head = 0;
        std::string name;
        if (!ReadU8(bytes, at, mode) || !ReadU32(bytes, at + 1, head) || !(at += 5, ReadName(bytes, at, name))) {
          Problem(RecordAt(record) + " (kind 0x01) is cut off");
          return;
        }
        long sites = WalkChain(head, mode == kModeRelative ? 4 : word, "import " + Printable(name));
        Line("import runtime " + Printable(name) + " mode " + std::to_string(mode) + " sites " +
             std::to_string(sites));
      } else if (kind == kImportWin32) {
        uint32_t head = 0;
        std::string routine, library;
        if (!ReadU32(bytes, at, head) || !(at += 4, ReadName(bytes, at, routine)) || !ReadName(bytes, at, library)) {
          Problem(RecordAt(record) + " (kind 0x04) is cut off");
          return;
        }
        long sites = WalkChain(head, image_.machine == Machine::Amd64 ? 8 : 4, "import " + Printable(routine));
        Line("import win32 " + Printable(routine) + " " + Printable(library) + " sites " + std::to_string(sites));
      } else if (kind == kImportData || kind == kImportCode || kind == kImportString) {
        uint32_t site = 0;
        if (!ReadU32(bytes, at, site)) {
          Problem(RecordAt(record) + " (kind " + Hex(kind) + ") is cut off");
          return;
        }
        at += 4;
        CheckSite(kind, site, word, record);
        ++counts[kind];
      } else {
        ++unknown;  // one byte, as the runtime reads it
      }
    }
    Line("relocations data " + std::to_string(counts[kImportData]) + " code " +
         std::to_string(counts[kImportCode]) + " string " + std::to_string(counts[kImportString]) +
         " unknown-bytes " + std::to_string(unknown));
  }

  void CheckSite(uint8_t kind, uint32_t site, unsigned word, uint64_t record) {
    uint64_t value = 0;
    if (!ReadWord(image_.code, site, word, value)) {
      Problem(RecordAt(record) + ": site " + Hex(site) + " lies outside the code section");
      return;
    }
    if (kind == kImportString) {
      unsigned header = StringHeaderSize(image_.machine);
      if (!Fits(image_.data.size(), value, header)) {
        Problem(RecordAt(record) + ": string record " + Hex(value) + " lies outside the data section");
      }
    }
  }

  void Resources() {
    ByteView bytes = image_.rsrc;
    uint64_t at = 0;
    while (at < bytes.size()) {
      uint32_t type = 0, size = 0;
      uint16_t number = 0;
      if (!ReadU32(bytes, at, type) || !ReadU16(bytes, at + 4, number) || !ReadU32(bytes, at + 10, size) ||
          !Fits(bytes.size(), at + 14, size)) {
        Problem("resource record at " + Hex(at) + " runs past the end of the section");
        return;
      }
      std::string line = "resource " + FourCharCode(type) + " " + std::to_string(number) + " " + std::to_string(size);
      if (type == kPluginResourceType) {
        uint8_t n = 0;
        if (size >= 1 && ReadU8(bytes, at + 14, n) && n + 1u <= size) {
          line += " plugin " + Printable(std::string(reinterpret_cast<const char*>(bytes.data() + at + 15), n));
        } else {
          Problem("plug-in resource " + std::to_string(number) + " has no file name");
        }
      }
      Line(line);
      at += 14 + uint64_t{size};
    }
  }

  void Options() {
    ByteView bytes = image_.options;
    uint64_t at = 0;
    while (at < bytes.size()) {
      uint8_t key = bytes[at++];
      if (key != 0) {
        Line("option unknown key " + Hex(key));
        continue;
      }
      uint32_t length = 0;
      if (!ReadU32(bytes, at, length)) {
        Problem("option mdi at " + Hex(at - 1) + " is cut off");
        return;
      }
      at += 4;
      if (static_cast<int32_t>(length) <= 0) {
        Line("option mdi \"\"");
        continue;
      }
      uint32_t encoding = 0;
      if (!Fits(bytes.size(), at, length) || !ReadU32(bytes, at + length, encoding)) {
        Problem("option mdi at " + Hex(at - 5) + " runs past the end of the section");
        return;
      }
      Line("option mdi \"" + Printable(std::string(reinterpret_cast<const char*>(bytes.data() + at), length)) +
           "\" encoding " + Hex(encoding));
      at += uint64_t{length} + 4;
    }
  }

  const Image& image_;
  Diagnostics& diagnostics_;
  std::string out_;
};

}  // namespace

std::string DumpImage(const Image& image, Diagnostics& diagnostics) { return Dumper(image, diagnostics).Dump(); }

}  // namespace qlimage
