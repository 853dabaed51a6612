// Reading and linking an image the size of the calculator's (105 imports,
// about 3,000 sites) against reading the same bytes with plain file reads.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/readonly_file.h"
#include "startup/imagelinker.h"
#include "startup/imagememory.h"
#include "startup/imagereader.h"

namespace {

using Bytes = std::vector<uint8_t>;
using ql::X64Image;

constexpr size_t kCodeSize = 320 * 1024;
constexpr size_t kDataSize = 48 * 1024;
constexpr int kImports = 105;
constexpr int kSites = 3000;
constexpr int kStrings = 400;
constexpr size_t kExecutablePrefix = 1024 * 1024;

void Append32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::string EntryName(int i) { return "RuntimeEntryPoint" + std::to_string(i); }

// Case-folded names as the registry's index holds them.
class BenchEntries final : public ql::EntryPointResolver {
 public:
  BenchEntries() {
    for (int i = 0; i < 1491; ++i) rows_[Fold(EntryName(i))] = 0x10000000u + 16u * static_cast<uint32_t>(i);
  }
  uint64_t Find(const char* name, size_t length) override {
    auto it = rows_.find(Fold(std::string(name, length)));
    return it == rows_.end() ? 0 : it->second;
  }

 private:
  static std::string Fold(std::string s) {
    for (char& c : s)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
  }
  std::unordered_map<std::string, uint64_t> rows_;
};

class NoLibraries final : public ql::LibraryLoader {
 public:
  uint64_t Load(const char*) override { return 0; }
  uint64_t FindRoutine(uint64_t, const char*) override { return 0; }
};

class FileSource final : public ql::ByteSource {
 public:
  explicit FileSource(const char* path) : file_(ql::platform::ReadOnlyFile::Open(path)) {}
  ~FileSource() override { delete file_; }
  uint64_t Size() const override { return file_->Size(); }
  bool ReadAt(uint64_t offset, void* out, size_t count) override { return file_->ReadAt(offset, out, count); }

 private:
  ql::platform::ReadOnlyFile* file_;
};

// An executable-sized prefix, then the appended block of a synthetic x64
// image: every eighth-aligned site threaded into one of 105 chains (a third
// of them call sites), plus static strings.
struct BenchImage {
  std::string path;
  size_t blockOffset = kExecutablePrefix;
  size_t blockSize = 0;

  BenchImage() {
    Bytes code(kCodeSize, 0x90), data(kDataSize, 0), imports;
    std::mt19937 random(7);
    std::vector<uint32_t> slots;
    for (uint32_t s = 16; s + 8 <= kCodeSize; s += 8) slots.push_back(s);
    std::shuffle(slots.begin(), slots.end(), random);
    size_t next = 0;
    for (int i = 0; i < kImports; ++i) {
      const bool relative = i % 3 == 0;
      const int count = kSites / kImports + (i < kSites % kImports ? 1 : 0);
      std::vector<uint32_t> sites(slots.begin() + next, slots.begin() + next + count);
      next += count;
      for (int k = 0; k < count; ++k) {
        const uint64_t link = k + 1 < count ? sites[k + 1] : 0;
        memcpy(code.data() + sites[k], &link, relative ? 4 : 8);
      }
      imports.push_back(0x01);
      imports.push_back(relative ? 1 : 0);
      Append32(imports, sites[0]);
      const std::string name = EntryName(i * 13);
      imports.push_back(static_cast<uint8_t>(name.size()));
      imports.insert(imports.end(), name.begin(), name.end());
      imports.push_back(0);
    }
    for (int i = 0; i < kStrings; ++i) {
      const uint32_t record = static_cast<uint32_t>(i * 64);
      const uint32_t length = 20;
      memcpy(data.data() + record + 20, &length, 4);
      const uint64_t offset = record;
      memcpy(code.data() + slots[next], &offset, 8);
      imports.push_back(0x05);
      Append32(imports, slots[next++]);
    }
    Bytes file(kExecutablePrefix, 0x4D);
    for (const Bytes* section : {&code, &data, &imports}) {
      Append32(file, static_cast<uint32_t>(section->size()));
      file.insert(file.end(), section->begin(), section->end());
    }
    Append32(file, 0);
    Append32(file, 0);
    blockSize = file.size() - kExecutablePrefix;
    char name[] = "/tmp/quillon-bench-XXXXXX";
    const int fd = mkstemp(name);
    path = name;
    if (write(fd, file.data(), file.size()) != static_cast<ssize_t>(file.size())) abort();
    close(fd);
  }
  ~BenchImage() { unlink(path.c_str()); }
};

BenchImage& Image() {
  static BenchImage image;
  return image;
}

void BM_ReadAndLinkImage(benchmark::State& state) {
  BenchImage& image = Image();
  BenchEntries entries;
  NoLibraries loader;
  for (auto _ : state) {
    ql::LibraryImports libraries(loader);
    FileSource file(image.path.c_str());
    ql::ImageSections sections;
    ql::LoadFailure failure;
    ql::ImageLinker<X64Image> linker;
    ql::LinkMessage message;
    ql::PlacedImage placed;
    if (!ql::ReadAppendedBlock(file, static_cast<uint32_t>(image.blockOffset), &sections, &failure) ||
        !linker.Plan(sections.code.view(), sections.data.view(), sections.imports.view(), &failure) ||
        !linker.Resolve(entries, libraries, &message) ||
        !ql::PlaceImage(sections.code.size(), sections.data.size(), linker.ThunkAreaSize(), &placed, &failure)) {
      state.SkipWithError(failure.failed() ? failure.message() : message.text);
      break;
    }
    memcpy(placed.code, sections.code.data(), sections.code.size());
    memcpy(placed.data, sections.data.data(), sections.data.size());
    ql::LinkAddresses at{reinterpret_cast<uintptr_t>(placed.code), reinterpret_cast<uintptr_t>(placed.data),
                         reinterpret_cast<uintptr_t>(placed.thunks), 0x1000};
    // The entry addresses are fake: a code base next to them keeps every
    // 32-bit call site within reach.
    at.codeBase = 0x10000000;
    if (!linker.Apply(placed.code, placed.data, placed.thunks, at, &failure)) {
      state.SkipWithError(failure.message());
      break;
    }
    benchmark::DoNotOptimize(placed.code[16]);
    state.counters["sites"] = static_cast<double>(linker.SiteCount());
    ql::ReleasePlacedImage(&placed);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.blockSize));
}
BENCHMARK(BM_ReadAndLinkImage)->Unit(benchmark::kMicrosecond);

// The three parts of the above, one at a time.
void BM_ReadAppendedBlockOnly(benchmark::State& state) {
  BenchImage& image = Image();
  for (auto _ : state) {
    FileSource file(image.path.c_str());
    ql::ImageSections sections;
    ql::LoadFailure failure;
    ql::ReadAppendedBlock(file, static_cast<uint32_t>(image.blockOffset), &sections, &failure);
    benchmark::DoNotOptimize(sections.code.data());
  }
}
BENCHMARK(BM_ReadAppendedBlockOnly)->Unit(benchmark::kMicrosecond);
void BM_PlanAndResolveOnly(benchmark::State& state) {
  BenchImage& image = Image();
  FileSource file(image.path.c_str());
  ql::ImageSections sections;
  ql::LoadFailure failure;
  ql::ReadAppendedBlock(file, static_cast<uint32_t>(image.blockOffset), &sections, &failure);
  BenchEntries entries;
  NoLibraries loader;
  for (auto _ : state) {
    ql::ImageLinker<X64Image> linker;
    linker.Plan(sections.code.view(), sections.data.view(), sections.imports.view(), &failure);
    ql::LibraryImports libraries(loader);
    ql::LinkMessage message;
    linker.Resolve(entries, libraries, &message);
    benchmark::DoNotOptimize(linker.SiteCount());
  }
}
BENCHMARK(BM_PlanAndResolveOnly)->Unit(benchmark::kMicrosecond);
void BM_PlaceImageOnly(benchmark::State& state) {
  for (auto _ : state) {
    ql::PlacedImage placed;
    ql::LoadFailure failure;
    ql::PlaceImage(kCodeSize, kDataSize, 0, &placed, &failure);
    memset(placed.code, 1, kCodeSize + kDataSize);
    ql::ReleasePlacedImage(&placed);
  }
}
BENCHMARK(BM_PlaceImageOnly)->Unit(benchmark::kMicrosecond);

void BM_PlainFileReadOfTheSameBytes(benchmark::State& state) {
  BenchImage& image = Image();
  std::vector<uint8_t> buffer(image.blockSize);
  for (auto _ : state) {
    FILE* f = fopen(image.path.c_str(), "rb");
    fseek(f, static_cast<long>(image.blockOffset), SEEK_SET);
    const size_t read = fread(buffer.data(), 1, buffer.size(), f);
    fclose(f);
    benchmark::DoNotOptimize(read);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * image.blockSize));
}
BENCHMARK(BM_PlainFileReadOfTheSameBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
