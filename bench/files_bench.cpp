// Reading a 5 MB text file of 80-byte lines: the runtime's text stream
// against a plain buffered std::getline loop over the same file.
#include <benchmark/benchmark.h>

#include <stdio.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "files/file.h"
#include "files/text_input_stream.h"

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

void TextInputStreamReadLine(benchmark::State& state) {
  for (auto _ : state) {
    int32_t error = 0;
    ql::TextInputStreamObject stream{};
    stream.file = ql::OpenSystemFile(TextFile(), ql::platform::OpenDisposition::ReadExisting, &error).release();
    size_t bytes = 0;
    while (!ql::StreamAtEnd(stream)) bytes += static_cast<size_t>(ql::ReadLine(stream, QL_ENCODING_UTF8).length());
    ql::CloseInputStream(stream);
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kFileBytes));
}
BENCHMARK(TextInputStreamReadLine)->Unit(benchmark::kMillisecond);

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
