// The linker on small hand-built objects: where every kind of reference ends
// up once the runtime has applied the import records (checked with a
// reference loader), the layout rules, COMDAT selection and the refusals.
#include "image_linker.h"

#include <gtest/gtest.h>

#include <functional>

#include "coff_writer.h"
#include "image_records.h"
#include "reference_loader.h"

namespace qlimage {
namespace {

using test::CoffWriter;
using test::ImportRecord;
using test::ReferenceLoader;

constexpr uint32_t kSite = 8;  // where the fixture's relocation patches .text

struct Linked {
  bool ok = false;
  Image image;
  std::vector<std::string> errors;
  std::string FirstError() const { return errors.empty() ? std::string("(none)") : errors[0]; }
};

Manifest TestManifest() {
  Manifest manifest;
  manifest.routines["WriteFile"] = "kernel32.dll";
  manifest.routines["GetStdHandle"] = "kernel32.dll";
  return manifest;
}

const EntryNames kNames = {"RuntimeInit", "RuntimeAddString", "RuntimeUnlockString"};

Linked Link(std::vector<CoffObject> objects, const Manifest& manifest = TestManifest()) {
  Linked linked;
  Diagnostics diagnostics;
  linked.ok = LinkImage(objects, manifest, kNames, linked.image, diagnostics);
  linked.errors = diagnostics.Errors();
  return linked;
}

std::string Decorated(Machine machine, const std::string& name) {
  return machine == Machine::I386 ? "_" + name : name;
}

// A typical object: 32 bytes of code with the entry at 0, read-only and
// writable data, one string record and zero-filled data. `target` names the
// symbol the relocation at .text+8 refers to.
struct Fixture {
  Machine machine;
  CoffWriter writer;
  int16_t text, data, rdata, strings, bss;

  explicit Fixture(Machine m) : machine(m), writer(m) {
    text = writer.Section({".text", test::kText, Bytes(32, 0)});
    data = writer.Section({".data", test::kData, Bytes(8, 0x11)});
    rdata = writer.Section({".rdata", test::kRdata, Bytes(8, 0x22)});
    strings = writer.Section({".qlstr", test::kStrings8, test::StringRecord(m, "Hi")});
    bss = writer.Section({".bss", test::kBss, {}, 16});
    writer.Symbol({Decorated(m, "QuillonMain"), 0, text, kSymExternal});
  }

  uint32_t Symbol(const std::string& name) {
    if (name == "text") return writer.Symbol({"text_label", 4, text, kSymStatic});
    if (name == "data") return writer.Symbol({"data_label", 4, data, kSymStatic});
    if (name == "rdata") return writer.Symbol({"rdata_label", 4, rdata, kSymStatic});
    if (name == "string") return writer.Symbol({"string_label", 0, strings, kSymStatic});
    if (name == "bss") return writer.Symbol({Decorated(machine, "zeros"), 8, bss, kSymExternal});
    return writer.Symbol({name, 0, kSymUndefined, kSymExternal});
  }

  // Refers to `target` from .text+8, with the addend the compiler leaves at the site.
  void Reference(const std::string& target, uint16_t type, int64_t addend = 0) {
    writer.Relocate(text, kSite, Symbol(target), type);
    unsigned width = type == kRelAmd64Addr64 && machine == Machine::Amd64 ? 8 : 4;
    PutWord(writer.Contents(text), kSite, width, static_cast<uint64_t>(addend));
  }

  CoffObject Object() { return writer.Object("fixture.o"); }
};

// Where each kind of target lies once loaded.
// Code: the jump (16 bytes), .text (32), .rdata (8). Data: .data (8), the
// string record, .bss.
uint64_t Expected(const std::string& target, const ReferenceLoader& loader, Machine machine) {
  if (target == "text") return loader.codeBase() + 16 + 4;
  if (target == "rdata") return loader.codeBase() + 48 + 4;
  if (target == "data") return loader.dataBase() + 4;
  if (target == "string") return loader.dataBase() + 8;
  if (target == "bss") return loader.dataBase() + 8 + test::StringRecord(machine, "Hi").size() + 8;
  return 0;
}

enum class Reach { Word, Displacement, Slot };

struct MappingCase {
  const char* label;
  Machine machine;
  uint16_t type;
  const char* symbol;  // a fixture target or an undefined symbol
  int64_t addend;
  Reach reach;
  std::string runtime;  // what the reference must end at, when imported
  std::string routine;
};

const MappingCase kMappings[] = {
    {"i386 DIR32 to code", Machine::I386, kRelI386Dir32, "rdata", 2, Reach::Word},
    {"i386 DIR32 to data", Machine::I386, kRelI386Dir32, "data", 2, Reach::Word},
    {"i386 DIR32 to a string record", Machine::I386, kRelI386Dir32, "string", 0, Reach::Word},
    {"i386 DIR32 into a string record", Machine::I386, kRelI386Dir32, "string", 12, Reach::Word},
    {"i386 REL32 to code", Machine::I386, kRelI386Rel32, "text", 0, Reach::Displacement},
    {"i386 DIR32 to an entry point", Machine::I386, kRelI386Dir32, "_RuntimeInit", 0, Reach::Word, "RuntimeInit"},
    {"i386 REL32 to an entry point", Machine::I386, kRelI386Rel32, "_RuntimeInit", 0, Reach::Displacement,
     "RuntimeInit"},
    {"i386 DIR32 to an entry point's slot", Machine::I386, kRelI386Dir32, "__imp__RuntimeInit", 0, Reach::Slot,
     "RuntimeInit"},
    {"i386 REL32 to a routine", Machine::I386, kRelI386Rel32, "_WriteFile@20", 0, Reach::Displacement, "",
     "WriteFile"},
    {"i386 DIR32 to a routine's address", Machine::I386, kRelI386Dir32, "_WriteFile@20", 0, Reach::Word, "",
     "WriteFile"},
    {"i386 DIR32 to a routine's slot", Machine::I386, kRelI386Dir32, "__imp__GetStdHandle@4", 0, Reach::Slot, "",
     "GetStdHandle"},
    {"amd64 ADDR64 to code", Machine::Amd64, kRelAmd64Addr64, "rdata", 2, Reach::Word},
    {"amd64 ADDR64 to data", Machine::Amd64, kRelAmd64Addr64, "data", -4, Reach::Word},
    {"amd64 ADDR64 to a string record", Machine::Amd64, kRelAmd64Addr64, "string", 0, Reach::Word},
    {"amd64 REL32 to data", Machine::Amd64, kRelAmd64Rel32, "data", 0, Reach::Displacement},
    {"amd64 REL32_4 to data", Machine::Amd64, kRelAmd64Rel32 + 4, "data", 0, Reach::Displacement},
    {"amd64 REL32_1 to bss", Machine::Amd64, kRelAmd64Rel32 + 1, "bss", 3, Reach::Displacement},
    {"amd64 REL32 to a string record", Machine::Amd64, kRelAmd64Rel32, "string", 0, Reach::Displacement},
    {"amd64 REL32 into a string record", Machine::Amd64, kRelAmd64Rel32, "string", 20, Reach::Displacement},
    {"amd64 ADDR64 to an entry point", Machine::Amd64, kRelAmd64Addr64, "RuntimeInit", 0, Reach::Word, "RuntimeInit"},
    {"amd64 REL32 call of an entry point", Machine::Amd64, kRelAmd64Rel32, "RuntimeInit", 0, Reach::Displacement,
     "RuntimeInit"},
    {"amd64 REL32 to an entry point's slot", Machine::Amd64, kRelAmd64Rel32, "__imp_RuntimeInit", 0, Reach::Slot,
     "RuntimeInit"},
    {"amd64 ADDR64 to a routine", Machine::Amd64, kRelAmd64Addr64, "WriteFile", 0, Reach::Word, "", "WriteFile"},
    {"amd64 REL32 call of a routine", Machine::Amd64, kRelAmd64Rel32, "WriteFile", 0, Reach::Displacement, "",
     "WriteFile"},
    {"amd64 REL32 to a routine's slot", Machine::Amd64, kRelAmd64Rel32, "__imp_GetStdHandle", 0, Reach::Slot, "",
     "GetStdHandle"},
};

void PrintTo(const MappingCase& c, std::ostream* out) { *out << c.label; }

class Mapping : public testing::TestWithParam<MappingCase> {};

TEST_P(Mapping, ReferenceReachesItsTargetOnceLoaded) {
  const MappingCase& c = GetParam();
  Fixture fixture(c.machine);
  fixture.Reference(c.symbol, c.type, c.addend);
  Linked linked = Link({fixture.Object()});
  ASSERT_TRUE(linked.ok) << linked.FirstError();
  ReferenceLoader loader(linked.image);
  std::string error;
  ASSERT_TRUE(loader.Link(error)) << error;

  uint64_t site = 16 + kSite;
  unsigned extra = c.type > kRelAmd64Rel32 && c.machine == Machine::Amd64 ? c.type - kRelAmd64Rel32 : 0;
  uint64_t reached = 0;
  switch (c.reach) {
    case Reach::Word:
      reached = loader.Word(site);
      break;
    case Reach::Displacement:
      reached = loader.DisplacementTarget(site, extra);
      break;
    case Reach::Slot: {
      // The reference names a slot; the slot holds the import's address.
      uint64_t slot = c.type == kRelI386Dir32 ? loader.Word(site) : loader.DisplacementTarget(site, extra);
      reached = loader.ReadAddress(slot, WordWidth(c.machine));
      break;
    }
  }
  if (!c.runtime.empty()) {
    EXPECT_EQ(loader.FollowJumps(reached), ReferenceLoader::EntryAddress(c.runtime));
  } else if (!c.routine.empty()) {
    EXPECT_EQ(loader.FollowJumps(reached), ReferenceLoader::RoutineAddress(c.routine));
  } else {
    uint64_t expected = Expected(c.symbol, loader, c.machine);
    uint64_t mask = c.machine == Machine::I386 ? 0xFFFFFFFFull : ~0ull;
    EXPECT_EQ(Hex(reached & mask), Hex((expected + c.addend) & mask));
  }
  // The format's promises: x64 imports are mode 0 only, no record names a
  // site outside the code, and a referenced string record has its text set.
  for (const ImportRecord& r : test::ParseImports(linked.image.import)) {
    if (c.machine == Machine::Amd64 && r.kind == kImportRuntime) {
      EXPECT_EQ(r.mode, kModeAbsolute);
    }
  }
  if (std::string(c.symbol) == "string") {
    uint64_t text = loader.ReadAddress(loader.dataBase() + 8 + WordWidth(c.machine), WordWidth(c.machine));
    EXPECT_EQ(text, loader.dataBase() + 8 + StringHeaderSize(c.machine)) << "text pointer of the record";
  }
}

INSTANTIATE_TEST_SUITE_P(BothMachines, Mapping, testing::ValuesIn(kMappings),
                         [](const testing::TestParamInfo<MappingCase>& info) {
                           std::string name;
                           for (char ch : std::string(info.param.label)) name += isalnum(ch) ? ch : '_';
                           return name;
                         });

TEST(Layout, EntryJumpCodeDataDistanceAndStubsAfterTheSections) {
  Fixture fixture(Machine::Amd64);
  fixture.Reference("RuntimeInit", kRelAmd64Rel32);
  Linked linked = Link({fixture.Object()});
  ASSERT_TRUE(linked.ok) << linked.FirstError();
  const Bytes& code = linked.image.code;
  // jmp rel32 to the entry at the start of .text (16).
  EXPECT_EQ(code[0], 0xE9);
  uint32_t jump = 0;
  ReadU32(code, 1, jump);
  EXPECT_EQ(5 + jump, 16u);
  // Thunk after .text (16..48) and .rdata (48..56): jmp [rip+0], then its slot.
  ASSERT_GE(code.size(), 72u);
  EXPECT_EQ(code[58], 0xFF);
  EXPECT_EQ(code[59], 0x25);
  EXPECT_EQ(code.size(), 72u);
  // data: .data, string record, .bss (16 bytes).
  EXPECT_EQ(linked.image.data.size(), 8u + 40u + 16u);
}

TEST(Layout, ChainThreadsEverySiteOfOneImport) {
  Fixture fixture(Machine::I386);
  uint32_t init = fixture.Symbol("_RuntimeInit");
  for (uint32_t site : {4u, 12u, 20u}) fixture.writer.Relocate(fixture.text, site, init, kRelI386Rel32);
  Linked linked = Link({fixture.Object()});
  ASSERT_TRUE(linked.ok) << linked.FirstError();
  std::vector<ImportRecord> records = test::ParseImports(linked.image.import);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "RuntimeInit");
  EXPECT_EQ(records[0].mode, kModeRelative);
  EXPECT_EQ(test::ChainSites(linked.image.code, records[0].site, 4), (std::vector<uint32_t>{20, 28, 36}));
}

TEST(Layout, AnchorSetsTheTextOfARecordReachedOnlyByDisplacement) {
  Fixture fixture(Machine::Amd64);
  fixture.Reference("string", kRelAmd64Rel32);
  Linked linked = Link({fixture.Object()});
  ASSERT_TRUE(linked.ok) << linked.FirstError();
  std::vector<ImportRecord> records = test::ParseImports(linked.image.import);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].kind, kImportString);
  uint64_t anchored = 0;
  ReadWord(linked.image.code, records[0].site, 8, anchored);
  EXPECT_EQ(anchored, 8u);  // the record's data offset
  EXPECT_GE(records[0].site, 56u) << "anchors follow the objects' sections";
}

// Two objects define the same inline function; the second copy and its
// associated section are discarded, and both objects call the first.
TEST(Comdat, FirstDefinitionIsKeptWithItsAssociates) {
  std::vector<CoffObject> objects;
  for (int i = 0; i < 2; ++i) {
    CoffWriter writer(Machine::Amd64);
    int16_t text = writer.Section({".text", test::kText, Bytes(16, 0)});
    int16_t inlineText =
        writer.Section({".text$Helper", test::kText, Bytes(16, static_cast<uint8_t>(0xC0 + i))}, kComdatAny);
    writer.Symbol({"Helper", 0, inlineText, kSymExternal});
    int16_t inlineData = writer.Section({".data$Helper", test::kData, Bytes(4, 0x33)}, kComdatAssociative, inlineText);
    (void)inlineData;
    if (i == 0) writer.Symbol({"QuillonMain", 0, text, kSymExternal});
    uint32_t helper = writer.Symbol({"Helper", 0, kSymUndefined, kSymExternal});
    writer.Relocate(text, 4, helper, kRelAmd64Rel32);
    objects.push_back(writer.Object("object" + std::to_string(i) + ".o"));
  }
  Linked linked = Link(objects);
  ASSERT_TRUE(linked.ok) << linked.FirstError();
  // jump (16), text 0 (16), Helper of object 0 (16), text 1 (16).
  EXPECT_EQ(linked.image.code.size(), 64u);
  EXPECT_EQ(linked.image.code[32], 0xC0);
  EXPECT_EQ(linked.image.data.size(), 4u) << "only the kept copy's associated data";
  ReferenceLoader loader(linked.image);
  std::string error;
  ASSERT_TRUE(loader.Link(error)) << error;
  EXPECT_EQ(loader.DisplacementTarget(16 + 4), loader.codeBase() + 32);
  EXPECT_EQ(loader.DisplacementTarget(48 + 4), loader.codeBase() + 32);
}

TEST(Comdat, NoDuplicatesSelectionRefusesASecondDefinition) {
  std::vector<CoffObject> objects;
  for (int i = 0; i < 2; ++i) {
    CoffWriter writer(Machine::Amd64);
    int16_t text = writer.Section({".text$Only", test::kText, Bytes(4, 0x90)}, kComdatNoDuplicates);
    writer.Symbol({i == 0 ? "QuillonMain" : "QuillonMain", 0, text, kSymExternal});
    objects.push_back(writer.Object("object" + std::to_string(i) + ".o"));
  }
  Linked linked = Link(objects);
  EXPECT_FALSE(linked.ok);
  EXPECT_NE(linked.FirstError().find("forbids duplicates"), std::string::npos) << linked.FirstError();
}

// Each case builds one object and expects a refusal naming what is wrong.
struct RefusalCase {
  const char* label;
  std::function<std::vector<CoffObject>()> objects;
  const char* message;  // part of the expected message
};

CoffObject WithSection(Machine machine, const std::string& name, uint32_t characteristics, Bytes contents) {
  Fixture fixture(machine);
  // Zero-filled sections have no contents: make this one claim 1 GiB.
  uint32_t size = (characteristics & kScnCntUninitializedData) != 0 ? 1u << 30 : 0;
  fixture.writer.Section({name, characteristics, std::move(contents), size});
  return fixture.Object();
}

CoffObject WithReference(Machine machine, const std::string& symbol, uint16_t type, int64_t addend = 0) {
  Fixture fixture(machine);
  fixture.Reference(symbol, type, addend);
  return fixture.Object();
}

const RefusalCase kRefusals[] = {
    {"static constructors", [] { return std::vector{WithSection(Machine::Amd64, ".ctors", test::kData, Bytes(8))}; },
     "section .ctors: static constructors"},
    {"initialiser tables",
     [] { return std::vector{WithSection(Machine::I386, ".CRT$XCU", test::kData, Bytes(4))}; },
     "C runtime initialiser tables"},
    {"thread-local storage", [] { return std::vector{WithSection(Machine::Amd64, ".tls$", test::kData, Bytes(4))}; },
     "thread-local storage"},
    {"a section that is neither code nor data",
     [] { return std::vector{WithSection(Machine::Amd64, ".odd", 0x40000000, Bytes(4))}; }, "neither code nor data"},
    {"a pointer in writable data",
     [] {
       Fixture f(Machine::I386);
       f.writer.Relocate(f.data, 0, f.Symbol("text"), kRelI386Dir32);
       return std::vector{f.Object()};
     },
     "the data section holds no pointers"},
    {"a C library call", [] { return std::vector{WithReference(Machine::Amd64, "strlen", kRelAmd64Rel32)}; },
     "fixture.o: needs strlen"},
    {"a stack probe", [] { return std::vector{WithReference(Machine::Amd64, "___chkstk_ms", kRelAmd64Rel32)}; },
     "needs ___chkstk_ms"},
    {"64-bit division on IA-32", [] { return std::vector{WithReference(Machine::I386, "___udivdi3", kRelI386Rel32)}; },
     "needs ___udivdi3"},
    {"a routine the manifest does not name",
     [] { return std::vector{WithReference(Machine::Amd64, "__imp_ExitProcess", kRelAmd64Rel32)}; },
     "needs __imp_ExitProcess"},
    {"an entry point declared __stdcall",
     [] { return std::vector{WithReference(Machine::I386, "_RuntimeInit@0", kRelI386Rel32)}; },
     "declared __stdcall"},
    {"an offset from an imported address",
     [] { return std::vector{WithReference(Machine::I386, "_RuntimeInit", kRelI386Dir32, 4)}; },
     "offset from an imported address"},
    {"a 32-bit address on x64",
     [] { return std::vector{WithReference(Machine::Amd64, "data", kRelAmd64Addr32)}; }, "ADDR32 at 0x8"},
    {"an image-relative address",
     [] { return std::vector{WithReference(Machine::Amd64, "data", kRelAmd64Addr32Nb)}; }, "ADDR32NB"},
    {"a section-relative address in code",
     [] { return std::vector{WithReference(Machine::I386, "data", kRelI386SecRel)}; }, "SECREL at 0x8"},
    {"a reference into string padding",
     [] { return std::vector{WithReference(Machine::I386, "string", kRelI386Dir32, 30)}; }, "not into a string record"},
    {"a malformed string record",
     [] {
       Bytes record = test::StringRecord(Machine::Amd64, "Hi");
       PutU32(record, 16, 9);  // size must be length + 2
       return std::vector{WithSection(Machine::Amd64, ".qlstr$b", test::kStrings8, record)};
     },
     "string record at 0x0 is malformed"},
    {"a string record without its NUL",
     [] {
       Bytes record = test::StringRecord(Machine::I386, "Hi");
       record[20 + 3] = '!';
       return std::vector{WithSection(Machine::I386, ".qlstr$b", test::kStrings8, record)};
     },
     "length byte, the text and a NUL"},
    {"an oversized zero-filled section",
     [] { return std::vector{WithSection(Machine::Amd64, ".bss$huge", test::kBss, Bytes{})}; }, "larger than 64 MiB"},
    {"objects of two machines",
     [] { return std::vector{Fixture(Machine::I386).Object(), Fixture(Machine::Amd64).Object()}; },
     "is an amd64 object, but"},
    {"two definitions",
     [] { return std::vector{Fixture(Machine::Amd64).Object(), Fixture(Machine::Amd64).Object()}; },
     "QuillonMain is defined in both"},
    {"no entry",
     [] {
       CoffWriter w(Machine::Amd64);
       w.Section({".text", test::kText, Bytes(4, 0x90)});
       return std::vector{w.Object("empty.o")};
     },
     "entry function QuillonMain is not defined"},
    {"a reference into a dropped section",
     [] {
       Fixture f(Machine::Amd64);
       int16_t x = f.writer.Section({".xdata", test::kRdata, Bytes(8)});
       uint32_t s = f.writer.Symbol({"unwind", 0, x, kSymStatic});
       f.writer.Relocate(f.text, kSite, s, kRelAmd64Rel32);
       return std::vector{f.Object()};
     },
     "which the image leaves out"},
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.label; }

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, IsReportedWithWhatIsWrong) {
  Linked linked = Link(GetParam().objects());
  EXPECT_FALSE(linked.ok);
  bool found = false;
  for (const std::string& e : linked.errors) found = found || e.find(GetParam().message) != std::string::npos;
  EXPECT_TRUE(found) << "expected \"" << GetParam().message << "\", got: " << linked.FirstError();
}

INSTANTIATE_TEST_SUITE_P(Linker, Refusal, testing::ValuesIn(kRefusals),
                         [](const testing::TestParamInfo<RefusalCase>& info) {
                           std::string name;
                           for (char ch : std::string(info.param.label)) name += isalnum(ch) ? ch : '_';
                           return name;
                         });

TEST(Linker, DropsUnwindDebugAndDirectiveSectionsWithTheirRelocations) {
  Fixture fixture(Machine::Amd64);
  for (const char* name : {".pdata", ".xdata", ".debug_info", ".drectve", ".rdata$zzz", ".eh_frame"}) {
    int16_t s = fixture.writer.Section({name, test::kRdata, Bytes(16, 0x44)});
    fixture.writer.Relocate(s, 0, fixture.Symbol("text"), kRelAmd64Addr32Nb);
  }
  fixture.writer.Section({".ctors", test::kData, {}});  // empty: harmless
  Linked linked = Link({fixture.Object()});
  ASSERT_TRUE(linked.ok) << linked.FirstError();
  EXPECT_EQ(linked.image.code.size(), 56u) << "jump, .text and .rdata only";
  EXPECT_TRUE(linked.image.import.empty());
}

TEST(Linker, LongStringRecordsCarryLengthByte255) {
  Fixture fixture(Machine::I386);
  fixture.writer.Section({".qlstr$long", test::kStrings8, test::StringRecord(Machine::I386, std::string(300, 'x'))});
  Linked linked = Link({fixture.Object()});
  EXPECT_TRUE(linked.ok) << linked.FirstError();
}

TEST(Linker, CommonSymbolsAreZeroFilledData) {
  Fixture fixture(Machine::I386);
  uint32_t common = fixture.writer.Symbol({"_shared", 12, kSymUndefined, kSymExternal});
  fixture.writer.Relocate(fixture.text, kSite, common, kRelI386Dir32);
  Linked linked = Link({fixture.Object()});
  ASSERT_TRUE(linked.ok) << linked.FirstError();
  ReferenceLoader loader(linked.image);
  std::string error;
  ASSERT_TRUE(loader.Link(error)) << error;
  uint64_t address = loader.Word(16 + kSite);
  EXPECT_GE(address, loader.dataBase() + 48u) << "after .data, the record and .bss";
  EXPECT_LE(address + 12, loader.dataBase() + linked.image.data.size());
}

}  // namespace
}  // namespace qlimage
