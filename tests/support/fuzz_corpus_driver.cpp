// Runs a fuzz entry point over its corpus (the files named on the command
// line) and over a fixed, seeded set of mutations of each: truncations,
// byte flips and boundary values written over aligned words. Any crash,
// sanitizer report or hang fails the test.
#include <stdint.h>
#include <stdio.h>

#include <algorithm>
#include <random>
#include <vector>


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr int kMutationsPerInput = 2000;
constexpr uint32_t kBoundaries[] = {0, 1, 0x7F, 0x80, 0xFF, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF0};

void Run(const std::vector<uint8_t>& input) { LLVMFuzzerTestOneInput(input.data(), input.size()); }

bool ReadWholeFile(const char* path, std::vector<uint8_t>& out) {
  FILE* f = fopen(path, "rb");
  if (!f) return false;
  uint8_t chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + n);
  const bool ok = !ferror(f);
  fclose(f);
  return ok;
}

// An offset in the first 512 bytes (headers), the last 1024 (an appended
// block) or anywhere, chosen alike.
size_t Position(size_t size, std::mt19937& random) {
  switch (random() % 3) {
    case 0:
      return random() % std::min<size_t>(size, 512);
    case 1:
      return size - 1 - random() % std::min<size_t>(size, 1024);
    default:
      return random() % size;
  }
}

void Mutate(const std::vector<uint8_t>& seed, std::mt19937& random) {
  for (int i = 0; i < kMutationsPerInput; ++i) {
    std::vector<uint8_t> input = seed;
    if (input.empty()) return;
    switch (i % 4) {
      case 0:
        input.resize(random() % input.size());
        break;
      case 1:
        for (int n = 0; n < 4; ++n) input[Position(input.size(), random)] ^= static_cast<uint8_t>(1u << (random() % 8));
        break;
      case 2: {
        size_t at = Position(input.size(), random) & ~size_t{1};
        uint32_t value = kBoundaries[random() % (sizeof kBoundaries / sizeof kBoundaries[0])];
        for (int b = 0; b < 4 && at + b < input.size(); ++b) input[at + b] = static_cast<uint8_t>(value >> (8 * b));
        break;
      }
      default:
        for (int n = 0; n < 16; ++n) input[Position(input.size(), random)] = static_cast<uint8_t>(random());
        break;
    }
    Run(input);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::mt19937 random(20240611);
  Run({});
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<uint8_t> seed;
    if (!ReadWholeFile(argv[i], seed)) {
      fprintf(stderr, "corpus: cannot read %s\n", argv[i]);
      return 1;
    }
    Run(seed);
    Mutate(seed, random);
    ++inputs;
  }
  printf("ran %d corpus inputs with %d mutations each\n", inputs, kMutationsPerInput);
  return 0;
}
