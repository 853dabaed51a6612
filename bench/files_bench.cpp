// Reading a 5 MB text file of 80-byte lines: the runtime's text stream
// against a plain buffered std::getline loop over the same file.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "core/string.h"
#include "quillon/entrypoints/files.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/strings.h"

namespace {

constexpr size_t kFileBytes = 5 * 1024 * 1024;
constexpr size_t kLineBytes = 80;  // 79 characters and LF

// A plain array: the file is removed at exit, after static objects are gone.
char gPath[64];

void RemoveTextFile() { remove(gPath); }

const char* TextFile() {
  if (!gPath[0]) {
    snprintf(gPath, sizeof gPath, "/tmp/quillon-files-bench-%d.txt", static_cast<int>(getpid()));
    std::string line(kLineBytes - 1, ' ');
    for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char>('!' + i % 90);
    line += '\n';
    std::ofstream out(gPath, std::ios::binary);
    for (size_t written = 0; written < kFileBytes; written += kLineBytes) out << line;
    atexit(RemoveTextFile);
  }
  return gPath;
}

// As the calculator reads: While Not t.EOF: line = t.ReadLine: Wend.
void TextInputStreamReadLoop(benchmark::State& state) {
  const ql::String path = ql::NewStringFromCText(TextFile());
  RuntimeObject* item = RuntimeGetFolderItem(path.get());
  for (auto _ : state) {
    RuntimeObject* stream = FolderItemOpenTextFile(item);
    size_t bytes = 0;
    while (!TextInputStreamEOF(stream, 0)) {
      RuntimeString* line = TextInputStreamReadLine(stream, nullptr);
      bytes += static_cast<size_t>(ql::StringLength(line));
      RuntimeUnlockString(line);
    }
    RuntimeUnlockObject(stream);
    benchmark::DoNotOptimize(bytes);
  }
  RuntimeUnlockObject(item);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(TextInputStreamReadLoop)->Unit(benchmark::kMillisecond);

void StdGetline(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream in(TextFile(), std::ios::binary);
    std::string line;
    size_t bytes = 0;
    while (std::getline(in, line)) bytes += line.size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(StdGetline)->Unit(benchmark::kMillisecond);

}  // namespace
