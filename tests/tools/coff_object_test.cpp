// Reading COFF objects: what a sound object decodes to, and a clear refusal
// (naming the file and what is wrong) for every malformed field.
#include "coff_object.h"

#include <gtest/gtest.h>

#include <functional>

#include "coff_writer.h"

namespace qlimage {
namespace {

using test::CoffWriter;

// .text with one relocation, a long-named COMDAT section, symbols with
// short and long names and a weak external.
Bytes SoundObject() {
  CoffWriter writer(Machine::Amd64);
  int16_t text = writer.Section({".text", test::kText, Bytes{0xE8, 0, 0, 0, 0, 0xC3}});
  int16_t comdat = writer.Section({".text$_Z16AVeryLongFunctionNamev", test::kText, Bytes{0xC3}}, kComdatAny);
  writer.Symbol({"_Z16AVeryLongFunctionNamev", 0, comdat, kSymExternal});
  uint32_t callee = writer.Symbol({"RuntimeInit", 0, kSymUndefined, kSymExternal});
  Bytes weakAux(18, 0);
  PutU32(weakAux, 0, callee);
  writer.Symbol({"Fallback", 0, kSymUndefined, kSymWeakExternal, {weakAux}});
  writer.Relocate(text, 1, callee, kRelAmd64Rel32);
  return writer.Build();
}

TEST(CoffObject, DecodesSectionsSymbolsAuxRecordsAndRelocations) {
  Diagnostics diagnostics;
  CoffObject object;
  Bytes bytes = SoundObject();
  ASSERT_TRUE(ReadCoffObject("sound.o", bytes, object, diagnostics)) << diagnostics.Errors()[0];
  EXPECT_EQ(object.machine, Machine::Amd64);
  ASSERT_EQ(object.sections.size(), 2u);
  EXPECT_EQ(object.sections[0].name, ".text");
  EXPECT_EQ(object.sections[0].alignment, 16u);
  EXPECT_EQ(object.sections[0].contents, (Bytes{0xE8, 0, 0, 0, 0, 0xC3}));
  ASSERT_EQ(object.sections[0].relocations.size(), 1u);
  EXPECT_EQ(object.sections[0].relocations[0].offset, 1u);
  EXPECT_EQ(object.sections[0].relocations[0].type, kRelAmd64Rel32);
  EXPECT_EQ(object.symbols[object.sections[0].relocations[0].symbolIndex].name, "RuntimeInit");
  EXPECT_EQ(object.sections[1].name, ".text$_Z16AVeryLongFunctionNamev") << "long name from the string table";
  EXPECT_TRUE(object.sections[1].IsComdat());
  EXPECT_EQ(object.sections[1].selection, kComdatAny);
  // Section symbols carry one aux record each; the slots stay in the table.
  ASSERT_EQ(object.symbols.size(), 8u);
  EXPECT_TRUE(object.symbols[1].isAux);
  const CoffSymbol& weak = object.symbols[6];
  EXPECT_EQ(weak.name, "Fallback");
  EXPECT_EQ(weak.storageClass, kSymWeakExternal);
  EXPECT_EQ(object.symbols[weak.weakDefault].name, "RuntimeInit");
}

struct Malformation {
  const char* label;
  std::function<void(Bytes&)> mutate;
  const char* message;
};

// Offsets of the sound object's fields.
constexpr size_t kSection0 = kCoffHeaderSize;
uint32_t SymbolTable(const Bytes& b) {
  uint32_t v = 0;
  ReadU32(b, 8, v);
  return v;
}
uint32_t StringTable(const Bytes& b) {
  uint32_t count = 0;
  ReadU32(b, 12, count);
  return SymbolTable(b) + count * kSymbolSize;
}

const Malformation kMalformations[] = {
    {"empty file", [](Bytes& b) { b.clear(); }, "too short for a COFF object"},
    {"cut header", [](Bytes& b) { b.resize(12); }, "too short for a COFF object"},
    {"unknown machine", [](Bytes& b) { b[0] = 0xC4, b[1] = 0x01; }, "machine 0x1c4"},
    {"an executable", [](Bytes& b) { b[0] = 'M', b[1] = 'Z'; }, "not a COFF object"},
    {"import library member", [](Bytes& b) { PutU32(b, 0, 0xFFFF0000); }, "import library member"},
    {"optional header", [](Bytes& b) { b[16] = 0xE0; }, "has an optional header"},
    {"section table past the end", [](Bytes& b) { b[2] = 0xFF, b[3] = 0x7F; }, "section table"},
    {"symbol table past the end", [](Bytes& b) { PutU32(b, 12, 0x10000000); }, "symbol table"},
    {"section contents past the end", [](Bytes& b) { PutU32(b, kSection0 + 16, 0x7FFFFFFF); },
     "section .text: contents"},
    {"contents offset past the end", [](Bytes& b) { PutU32(b, kSection0 + 20, 0xFFFFFFF0); }, "run past the end"},
    {"relocations past the end", [](Bytes& b) { b[kSection0 + 32] = 0xFF, b[kSection0 + 33] = 0xFF; },
     "relocations at"},
    {"alignment code out of range", [](Bytes& b) { b[kSection0 + 38] = 0xF0; }, "alignment code 15"},
    {"long section name outside the strings", [](Bytes& b) { memcpy(&b[kSection0 + 40], "/999999", 7); },
     "long name does not lie in the string table"},
    {"string table size too large", [](Bytes& b) { PutU32(b, StringTable(b), 0x7FFFFFFF); },
     "string table of"},
    {"relocation naming a symbol past the table",
     [](Bytes& b) {
       uint32_t reloc = 0;
       ReadU32(b, kSection0 + 24, reloc);
       PutU32(b, reloc + 4, 5000);
     },
     "names symbol 5000, which does not exist"},
    {"relocation naming an aux record",
     [](Bytes& b) {
       uint32_t reloc = 0;
       ReadU32(b, kSection0 + 24, reloc);
       PutU32(b, reloc + 4, 1);
     },
     "names symbol 1"},
    {"relocation site past the section",
     [](Bytes& b) {
       uint32_t reloc = 0;
       ReadU32(b, kSection0 + 24, reloc);
       PutU32(b, reloc, 4);
     },
     "patches bytes past the end of the section"},
    {"symbol in a section that does not exist", [](Bytes& b) { b[SymbolTable(b) + 12] = 9; },
     "section number 9 does not exist"},
    {"aux records past the table", [](Bytes& b) { b[SymbolTable(b) + 6 * 18 + 17] = 5; },
     "auxiliary records run past"},
};

class Malformed : public testing::TestWithParam<Malformation> {};

void PrintTo(const Malformation& m, std::ostream* out) { *out << m.label; }

TEST_P(Malformed, IsRefusedWithTheFileAndTheProblem) {
  Bytes bytes = SoundObject();
  GetParam().mutate(bytes);
  Diagnostics diagnostics;
  CoffObject object;
  EXPECT_FALSE(ReadCoffObject("bad.o", bytes, object, diagnostics));
  ASSERT_TRUE(diagnostics.HasErrors());
  EXPECT_EQ(diagnostics.Errors()[0].rfind("bad.o: ", 0), 0u) << diagnostics.Errors()[0];
  EXPECT_NE(diagnostics.Errors()[0].find(GetParam().message), std::string::npos) << diagnostics.Errors()[0];
}

INSTANTIATE_TEST_SUITE_P(CoffObject, Malformed, testing::ValuesIn(kMalformations),
                         [](const testing::TestParamInfo<Malformation>& info) {
                           std::string name;
                           for (char ch : std::string(info.param.label)) name += isalnum(ch) ? ch : '_';
                           return name;
                         });

TEST(CoffObject, ExtendedRelocationCountIsRead) {
  CoffWriter writer(Machine::I386);
  int16_t text = writer.Section({".text", test::kText | kScnLnkNrelocOvfl, Bytes(8, 0)});
  uint32_t target = writer.Symbol({"_RuntimeInit", 0, kSymUndefined, kSymExternal});
  // The first record's site field holds the real count, itself included.
  writer.Relocate(text, 2, 0, 0);
  writer.Relocate(text, 4, target, kRelI386Rel32);
  Diagnostics diagnostics;
  CoffObject object;
  Bytes fixed = writer.Build();
  fixed[kSection0 + 32] = 0xFF, fixed[kSection0 + 33] = 0xFF;
  ASSERT_TRUE(ReadCoffObject("ext.o", fixed, object, diagnostics)) << diagnostics.Errors()[0];
  ASSERT_EQ(object.sections[0].relocations.size(), 1u);
  EXPECT_EQ(object.sections[0].relocations[0].offset, 4u);
}

}  // namespace
}  // namespace qlimage
