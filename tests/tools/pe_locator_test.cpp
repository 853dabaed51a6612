// Finding the "PICKLE" locator of a runtime executable, patching it when an
// image is appended, and refusing executables the image cannot go with.
#include "pe_locator.h"

#include <gtest/gtest.h>

#include <functional>

#include "file_io.h"
#include "image_output.h"

namespace qlimage {
namespace {

// A minimal PE file whose only section holds a resource directory with one
// resource: type `typeName`, name `id`, `size` bytes of "PICKPOKE...".
struct MinimalPe {
  Machine machine = Machine::Amd64;
  std::u16string typeName = u"PICKLE";
  uint32_t id = 101;
  uint32_t size = 8;

  static constexpr uint32_t kPe = 0x40, kRaw = 0x200, kRva = 0x1000;

  Bytes Build() const {
    bool plus = machine == Machine::Amd64;
    uint16_t optionalSize = plus ? 0xF0 : 0xE0;
    Bytes out(kRaw, 0);
    out[0] = 'M', out[1] = 'Z';
    PutU32(out, 0x3C, kPe);
    PutU32(out, kPe, 0x00004550);
    size_t h = kPe + 4;
    out[h] = static_cast<uint8_t>(plus ? 0x64 : 0x4C), out[h + 1] = static_cast<uint8_t>(plus ? 0x86 : 0x01);
    out[h + 2] = 1;  // one section
    out[h + 16] = static_cast<uint8_t>(optionalSize);
    size_t o = h + 20;
    out[o] = 0x0B, out[o + 1] = static_cast<uint8_t>(plus ? 0x02 : 0x01);
    size_t count = o + (plus ? 108 : 92);
    PutU32(out, count, 16);
    Bytes resources = Resources();
    PutU32(out, count + 4 + 2 * 8, kRva);
    PutU32(out, count + 4 + 2 * 8 + 4, static_cast<uint32_t>(resources.size()));
    size_t section = o + optionalSize;
    memcpy(&out[section], ".rsrc", 5);
    PutU32(out, section + 8, static_cast<uint32_t>(resources.size()));
    PutU32(out, section + 12, kRva);
    PutU32(out, section + 16, static_cast<uint32_t>(resources.size()));
    PutU32(out, section + 20, kRaw);
    AppendBytes(out, resources);
    return out;
  }

  Bytes Resources() const {
    Bytes r;
    auto directory = [&](uint16_t named, uint16_t ids) {
      r.resize(r.size() + 12, 0);
      AppendU16(r, named);
      AppendU16(r, ids);
    };
    directory(1, 0);  // root at 0, entry at 16
    r.resize(r.size() + 8, 0);
    size_t level2 = r.size();  // 24
    directory(0, 1);
    r.resize(r.size() + 8, 0);
    size_t level3 = r.size();  // 48
    directory(0, 1);
    r.resize(r.size() + 8, 0);
    size_t entry = r.size();  // 72
    r.resize(r.size() + 16, 0);
    size_t name = r.size();
    AppendU16(r, static_cast<uint16_t>(typeName.size()));
    for (char16_t c : typeName) AppendU16(r, c);
    r.resize(AlignUp(r.size(), 4), 0);
    size_t data = r.size();
    for (uint32_t i = 0; i < size; ++i) r.push_back(static_cast<uint8_t>("PICKPOKE"[i % 8]));
    PutU32(r, 16, static_cast<uint32_t>(name) | 0x80000000);
    PutU32(r, 20, static_cast<uint32_t>(level2) | 0x80000000);
    PutU32(r, level2 + 16, id);
    PutU32(r, level2 + 20, static_cast<uint32_t>(level3) | 0x80000000);
    PutU32(r, level3 + 16, 1033);
    PutU32(r, level3 + 20, static_cast<uint32_t>(entry));
    PutU32(r, entry, kRva + static_cast<uint32_t>(data));
    PutU32(r, entry + 4, size);
    return r;
  }
};

TEST(PeLocator, FindsTheLocatorOfAHandBuiltExecutable) {
  for (Machine machine : {Machine::I386, Machine::Amd64}) {
    MinimalPe pe;
    pe.machine = machine;
    Bytes bytes = pe.Build();
    PeLocator locator;
    Diagnostics diagnostics;
    ASSERT_TRUE(FindPeLocator("rt.exe", bytes, locator, diagnostics)) << diagnostics.Errors()[0];
    EXPECT_EQ(locator.machine, machine);
    EXPECT_FALSE(locator.HasImage());
    EXPECT_EQ(locator.auxiliaryOffset, kPoke);
    EXPECT_EQ(memcmp(&bytes[locator.locatorOffset], "PICKPOKE", 8), 0);
  }
}

TEST(PeLocator, FindsTheLocatorOfTheCompilersOutput) {
  for (const char* machine : {"amd64", "i386"}) {
    Bytes bytes;
    Diagnostics diagnostics;
    std::string path = std::string(QL_FIXTURE_DIR) + "/pickle_" + machine + ".exe";
    ASSERT_TRUE(ReadWholeFile(path, bytes, diagnostics));
    PeLocator locator;
    ASSERT_TRUE(FindPeLocator(path, bytes, locator, diagnostics)) << diagnostics.Errors()[0];
    EXPECT_STREQ(MachineName(locator.machine), machine);
    EXPECT_EQ(memcmp(&bytes[locator.locatorOffset], "PICKPOKE", 8), 0);
  }
}

TEST(PeLocator, RefusesExecutablesWithoutASoundLocator) {
  const struct {
    const char* label;
    std::function<Bytes()> bytes;
    const char* message;
  } cases[] = {
      {"another resource type", [] { MinimalPe pe; pe.typeName = u"PICKLX"; return pe.Build(); },
       "has no \"PICKLE\" resource"},
      {"another number", [] { MinimalPe pe; pe.id = 102; return pe.Build(); }, "has no \"PICKLE\" resource 101"},
      {"a short locator", [] { MinimalPe pe; pe.size = 4; return pe.Build(); }, "has 4 bytes; the locator has 8"},
      {"no resource directory",
       [] {
         Bytes b = MinimalPe().Build();
         PutU32(b, MinimalPe::kPe + 24 + 108 + 4 + 16, 0);
         return b;
       },
       "has no resources"},
      {"not an executable", [] { return Bytes{'E', 'L', 'F', 0}; }, "is not a PE executable"},
      {"a cut-off file", [] { Bytes b = MinimalPe().Build(); b.resize(0x210); return b; },
       "resource directory does not lie in the file"},
      {"an unknown machine",
       [] {
         Bytes b = MinimalPe().Build();
         b[MinimalPe::kPe + 4] = 0xC4, b[MinimalPe::kPe + 5] = 0x01;
         return b;
       },
       "machine 0x1c4"},
      {"a directory pointing outside the resources",
       [] {
         Bytes b = MinimalPe().Build();
         PutU32(b, MinimalPe::kRaw + 20, 0x80007FF0);
         return b;
       },
       "resource directory is malformed"},
  };
  for (const auto& c : cases) {
    Bytes bytes = c.bytes();
    PeLocator locator;
    Diagnostics diagnostics;
    EXPECT_FALSE(FindPeLocator("rt.exe", bytes, locator, diagnostics)) << c.label;
    ASSERT_TRUE(diagnostics.HasErrors()) << c.label;
    EXPECT_NE(diagnostics.Errors()[0].find(c.message), std::string::npos) << c.label << ": " << diagnostics.Errors()[0];
  }
}

Image SmallImage(Machine machine) {
  Image image;
  image.machine = machine;
  image.code = {0xE9, 0xFB, 0xFF, 0xFF, 0xFF};
  image.data = {1, 2, 3};
  image.options = {0, 0, 0, 0, 0};
  return image;
}

TEST(AppendToRuntime, PatchesTheLocatorAndAppendsTheBlock) {
  Bytes runtime = MinimalPe().Build();
  Bytes out;
  Diagnostics diagnostics;
  ASSERT_TRUE(AppendToRuntime("rt.exe", runtime, SmallImage(Machine::Amd64), out, diagnostics));
  PeLocator locator;
  ASSERT_TRUE(FindPeLocator("out.exe", out, locator, diagnostics));
  EXPECT_EQ(locator.blockOffset, runtime.size());
  EXPECT_EQ(locator.auxiliaryOffset, kPoke);
  Bytes block(out.begin() + runtime.size(), out.end());
  EXPECT_EQ(block, (Bytes{5, 0, 0, 0, 0xE9, 0xFB, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0,
                          5, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(AppendToRuntime, RefusesAnotherMachineAndASecondImage) {
  Bytes runtime = MinimalPe().Build();
  Bytes out, again;
  Diagnostics diagnostics;
  EXPECT_FALSE(AppendToRuntime("rt.exe", runtime, SmallImage(Machine::I386), out, diagnostics));
  EXPECT_NE(diagnostics.Errors().back().find("is an amd64 executable, but the objects are i386"), std::string::npos);
  ASSERT_TRUE(AppendToRuntime("rt.exe", runtime, SmallImage(Machine::Amd64), out, diagnostics));
  EXPECT_FALSE(AppendToRuntime("out.exe", out, SmallImage(Machine::Amd64), again, diagnostics));
  EXPECT_NE(diagnostics.Errors().back().find("already carries an image"), std::string::npos);
}

}  // namespace
}  // namespace qlimage
