// Runs a fuzz entry point without libFuzzer: over its inputs (the files
// named on the command line, and every file of the folders named there)
// and over a fixed, seeded set of mutations of each: truncations, byte
// flips and boundary values written over aligned words. Any crash,
// sanitizer report or hang fails the test; the input that stopped it is
// written beside the executable, as <name>.failed-input.
#include <fcntl.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>
#include <vector>


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// Mutations are shared out among the inputs, so that a large corpus keeps
// the test as fast as a few seeds do; each input gets at least a few.
constexpr size_t kMutationBudget = 8000;
constexpr size_t kLeastMutationsPerInput = 16;
constexpr uint32_t kBoundaries[] = {0, 1, 0x7F, 0x80, 0xFF, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF0};

const std::vector<uint8_t>* g_running = nullptr;
std::string g_failedInputPath;

void Run(const std::vector<uint8_t>& input) {
  g_running = &input;
  LLVMFuzzerTestOneInput(input.data(), input.size());
  g_running = nullptr;
}

// Only what a signal handler may call: open, write, close.
void KeepFailedInput(int signal) {
  if (g_running) {
    const int fd = open(g_failedInputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      if (!g_running->empty()) (void)!write(fd, g_running->data(), g_running->size());
      close(fd);
      static const char note[] = "corpus: the failing input is in ";
      (void)!write(2, note, sizeof note - 1);
      (void)!write(2, g_failedInputPath.data(), g_failedInputPath.size());
      (void)!write(2, "\n", 1);
    }
  }
  ::signal(signal, SIG_DFL);
  raise(signal);
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return false;
  uint8_t chunk[65536];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + n);
  const bool ok = !ferror(f);
  fclose(f);
  return ok;
}

// The files a command-line argument names, a folder's in name order (so
// every run makes the same mutations).
bool AddInputs(const char* argument, std::vector<std::string>& paths) {
  std::error_code error;
  if (!std::filesystem::is_directory(argument, error)) {
    paths.push_back(argument);
    return true;
  }
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(argument, error))
    if (entry.is_regular_file()) found.push_back(entry.path().string());
  if (error) return false;
  std::sort(found.begin(), found.end());
  paths.insert(paths.end(), found.begin(), found.end());
  return true;
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

void Mutate(const std::vector<uint8_t>& seed, size_t mutations, std::mt19937& random) {
  if (seed.empty()) return;
  for (size_t i = 0; i < mutations; ++i) {
    std::vector<uint8_t> input = seed;
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
  g_failedInputPath = std::string(argv[0]) + ".failed-input";
  for (int s : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL}) signal(s, KeepFailedInput);
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    if (!AddInputs(argv[i], paths)) {
      fprintf(stderr, "corpus: cannot list %s\n", argv[i]);
      return 1;
    }
  }
  const size_t mutations = std::max(kLeastMutationsPerInput, kMutationBudget / std::max<size_t>(paths.size(), 1));
  std::mt19937 random(20240611);
  Run({});
  for (const std::string& path : paths) {
    std::vector<uint8_t> input;
    if (!ReadWholeFile(path, input)) {
      fprintf(stderr, "corpus: cannot read %s\n", path.c_str());
      return 1;
    }
    Run(input);
    Mutate(input, mutations, random);
  }
  printf("ran %zu inputs with %zu mutations each\n", paths.size(), mutations);
  return 0;
}
