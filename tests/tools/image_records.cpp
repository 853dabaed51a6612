#include "image_records.h"

#include <gtest/gtest.h>

namespace qlimage::test {

std::vector<ImportRecord> ParseImports(ByteView section) {
  std::vector<ImportRecord> records;
  size_t at = 0;
  auto name = [&](std::string& out) {
    uint8_t n = section[at];
    out.assign(reinterpret_cast<const char*>(section.data() + at + 1), n);
    at += 2 + n;
  };
  while (at < section.size()) {
    ImportRecord r;
    r.kind = section[at++];
    if (r.kind == 0x01) {
      r.mode = section[at++];
      ReadU32(section, at, r.site);
      at += 4;
      name(r.name);
    } else if (r.kind == 0x04) {
      ReadU32(section, at, r.site);
      at += 4;
      name(r.name);
      name(r.library);
    } else {
      EXPECT_TRUE(ReadU32(section, at, r.site)) << "record cut off at " << at;
      at += 4;
    }
    EXPECT_LE(at, section.size()) << "record of kind " << int(r.kind) << " runs past the section";
    records.push_back(r);
  }
  return records;
}

std::vector<uint32_t> ChainSites(ByteView code, uint32_t head, unsigned width) {
  std::vector<uint32_t> sites;
  uint64_t site = head;
  while (site != 0 && sites.size() <= code.size()) {
    sites.push_back(static_cast<uint32_t>(site));
    if (!ReadWord(code, site, width, site)) {
      ADD_FAILURE() << "chain leaves the code at " << site;
      break;
    }
  }
  return sites;
}

}  // namespace qlimage::test
