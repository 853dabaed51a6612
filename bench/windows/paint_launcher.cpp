// Process start to first WM_PAINT: runs the benchmark image (appended to
// the benchmark's runtime) and the plain user32 program in turns, each in a
// fresh folder, and prints the median of each and their ratio.
//   paint_launcher IMAGE_EXE PLAIN_EXE [RUNS]
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

double Frequency() {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(f.QuadPart);
}

// Milliseconds from just before CreateProcess to the counter the child
// wrote at its first paint; negative when the child wrote nothing.
double RunOnce(const std::string& exe, const std::string& folder) {
  const std::string file = folder + "\\paint.txt";
  DeleteFileA(file.c_str());
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
    return -1;
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  FILE* f = fopen(file.c_str(), "rb");
  if (!f) return -1;
  long long painted = 0;
  const int read = fscanf(f, "%lld", &painted);
  fclose(f);
  if (read != 1) return -1;
  return (painted - start.QuadPart) * 1000.0 / Frequency();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: paint_launcher IMAGE_EXE PLAIN_EXE [RUNS]\n");
    return 2;
  }
  const int runs = argc > 3 ? atoi(argv[3]) : 10;
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "quillon-paint-bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<double> image, plain;
  RunOnce(argv[1], folder);  // warm the file cache for both
  RunOnce(argv[2], folder);
  for (int i = 0; i < runs; ++i) {
    const double a = RunOnce(argv[1], folder);
    const double b = RunOnce(argv[2], folder);
    if (a < 0 || b < 0) {
      fprintf(stderr, "run %d: a program did not report its first paint\n", i);
      return 1;
    }
    image.push_back(a);
    plain.push_back(b);
    printf("run %2d  image %8.2f ms  plain %8.2f ms\n", i + 1, a, b);
  }
  const double mi = Median(image), mp = Median(plain);
  printf("median  image %8.2f ms  plain %8.2f ms  ratio %.3f\n", mi, mp, mi / mp);
  DeleteFileA((folder + "\\paint.txt").c_str());
  RemoveDirectoryA(folder.c_str());
  return 0;
}
