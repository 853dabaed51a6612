// Fuzz entry: any bytes as an appended image block, read, its options and
// resources parsed, and linked for both targets against stand-in entry
// points and libraries. Must never crash, hang or touch memory outside the
// image's own buffers.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "core/assertion.h"
#include "startup/bytesource.h"
#include "startup/imagelinker.h"
#include "startup/imageoptions.h"
#include "startup/imagereader.h"
#include "startup/resourcemanager.h"
#include "support/fuzz_support.h"

namespace {

// Reports (a missing entry point, an unknown option key) are expected here.
const bool kQuietReports = (ql::fuzz::QuietReports(), true);

// Every name starting with "Runtime" exists; the rest is missing.
class StandInEntries final : public ql::EntryPointResolver {
 public:
  uint64_t Find(const char* name, size_t length) override {
    return length >= 7 && memcmp(name, "Runtime", 7) == 0 ? 0x7000'0000'1000u + length : 0;
  }
};

// kernel32.dll loads and has every routine whose name starts with a capital.
class StandInLibraries final : public ql::LibraryLoader {
 public:
  uint64_t Load(const char* fileName) override { return strcmp(fileName, "kernel32.dll") == 0 ? 0x4000 : 0; }
  uint64_t FindRoutine(uint64_t, const char* routine) override {
    return routine[0] >= 'A' && routine[0] <= 'Z' ? 0x7FF0'0000'0000u + static_cast<uint8_t>(routine[1]) : 0;
  }
};

size_t Align16(size_t n) { return (n + 15) & ~size_t{15}; }

template <class Target>
void Link(const ql::ImageSections& sections) {
  ql::ImageLinker<Target> linker;
  ql::LoadFailure failure;
  if (!linker.Plan(sections.code.view(), sections.data.view(), sections.imports.view(), &failure)) return;
  StandInEntries entries;
  StandInLibraries loader;
  ql::LibraryImports libraries(loader);
  ql::LinkMessage message;
  if (!linker.Resolve(entries, libraries, &message)) return;
  std::vector<uint8_t> code(sections.code.data(), sections.code.data() + sections.code.size());
  std::vector<uint8_t> data(sections.data.data(), sections.data.data() + sections.data.size());
  std::vector<uint8_t> thunks(linker.ThunkAreaSize());
  ql::LinkAddresses at;
  at.codeBase = 0x1000'0000;
  at.dataBase = at.codeBase + Align16(code.size());
  at.thunkBase = at.dataBase + Align16(data.size());
  at.missingEntryRoutine = 0x2000'0000;
  linker.Apply(code.data(), data.data(), thunks.data(), at, &failure);
}

void ReadAndLink(const uint8_t* bytes, size_t size) {
  ql::MemoryByteSource source(ql::ByteView{bytes, size});
  ql::ImageSections sections;
  ql::LoadFailure failure;
  if (!ql::ReadAppendedBlock(source, 0, &sections, &failure)) return;
  ql::ImageOptions options;
  ql::ParseOptions(sections.options.view(), &options, &failure);
  ql::ResourceIndex resources;
  if (resources.Index(sections.resources.view(), 0, &failure)) {
    for (size_t i = 0; i < resources.Count(); ++i) resources.Find(resources.EntryAt(i).type, 0xFFFF);
  }
  Link<ql::Ia32Image>(sections);
  Link<ql::X64Image>(sections);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const ql::fuzz::AllocationBalance balance;
  ReadAndLink(bytes, size);
  balance.Check("the sections, options, index and plans are freed");
  return 0;
}
