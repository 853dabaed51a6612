// Runtime strings against plain C++ baselines, side by side in one run.
#include <benchmark/benchmark.h>
#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "core/formatnumber.h"
#include "core/string.h"
#include "quillon/entrypoints/strings.h"

namespace {

using ql::String;

void BM_StringReferenceTakeRelease(benchmark::State& state) {
  String s = ql::NewStringFromCText("reference");
  RuntimeString* r = s.get();
  for (auto _ : state) {
    benchmark::DoNotOptimize(RuntimeLockString(r));
    RuntimeUnlockString(r);
  }
}
BENCHMARK(BM_StringReferenceTakeRelease);

void BM_SharedPtrCopyDestroy(benchmark::State& state) {
  auto p = std::make_shared<std::string>("reference");
  for (auto _ : state) {
    std::shared_ptr<std::string> copy = p;
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_SharedPtrCopyDestroy);

// libstdc++ counts shared_ptr references without atomic instructions while
// the process has a single thread; once a thread was started it uses them,
// as the runtime always must.
void BM_SharedPtrCopyDestroyAfterAThread(benchmark::State& state) {
  std::thread([] {}).join();
  auto p = std::make_shared<std::string>("reference");
  for (auto _ : state) {
    std::shared_ptr<std::string> copy = p;
    benchmark::DoNotOptimize(copy);
  }
}
BENCHMARK(BM_SharedPtrCopyDestroyAfterAThread);

// Short: 8 + 7 bytes fit std::string's inline buffer; 12 + 12 do not.
const char* ConcatLeft(int64_t size) { return size == 15 ? "Solution" : "Molecular we"; }
const char* ConcatRight(int64_t size) { return size == 15 ? "s: 0.5M" : "ight: 58.44g"; }

void BM_RuntimeAddString(benchmark::State& state) {
  String a = ql::NewStringFromBytes(ConcatLeft(state.range(0)), static_cast<int32_t>(strlen(ConcatLeft(state.range(0)))),
                                    QL_ENCODING_UTF8);
  String b = ql::NewStringFromBytes(ConcatRight(state.range(0)),
                                    static_cast<int32_t>(strlen(ConcatRight(state.range(0)))), QL_ENCODING_UTF8);
  for (auto _ : state) {
    RuntimeString* joined = RuntimeAddString(a.get(), b.get());
    benchmark::DoNotOptimize(joined);
    RuntimeUnlockString(joined);
  }
}
BENCHMARK(BM_RuntimeAddString)->Arg(15)->Arg(24);

void BM_StdStringAppend(benchmark::State& state) {
  const std::string a = ConcatLeft(state.range(0)), b = ConcatRight(state.range(0));
  for (auto _ : state) {
    std::string joined = a;
    joined += b;
    benchmark::DoNotOptimize(joined.data());
  }
}
BENCHMARK(BM_StdStringAppend)->Arg(15)->Arg(24);

constexpr char kLeft32[] = "Sodium chloride 0.5 mol/L, 250mL";
constexpr char kRight32[] = "SODIUM CHLORIDE 0.5 MOL/L, 250ML";
static_assert(sizeof kLeft32 == 33 && sizeof kRight32 == 33);

void BM_RuntimeStringCompare(benchmark::State& state) {
  String a = ql::NewStringFromBytes(kLeft32, 32, QL_ENCODING_UTF8);
  String b = ql::NewStringFromBytes(kRight32, 32, QL_ENCODING_UTF8);
  for (auto _ : state) benchmark::DoNotOptimize(RuntimeStringCompare(a.get(), b.get()));
}
BENCHMARK(BM_RuntimeStringCompare);

void BM_Memcmp(benchmark::State& state) {
  const char* a = kLeft32;
  const char* b = kRight32;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(memcmp(a, b, 32));
  }
}
BENCHMARK(BM_Memcmp);

void BM_Strcasecmp(benchmark::State& state) {
  const char* a = kLeft32;
  const char* b = kRight32;
  for (auto _ : state) {
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(strcasecmp(a, b));
  }
}
BENCHMARK(BM_Strcasecmp);

void BM_StringStr(benchmark::State& state) {
  double x = 58.44277;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    RuntimeString* s = StringStr(x);
    benchmark::DoNotOptimize(s);
    RuntimeUnlockString(s);
  }
}
BENCHMARK(BM_StringStr);

// One atom of the calculator's repeated addition: the sum read back with
// Val, the weight added, the result written again with Str.
void BM_StrValAtom(benchmark::State& state) {
  RuntimeString* sum = StringStr(0);
  for (auto _ : state) {
    RuntimeString* next = StringStr(12.011 + StringVal(sum));
    RuntimeUnlockString(sum);
    sum = next;
  }
  benchmark::DoNotOptimize(sum);
  RuntimeUnlockString(sum);
}
BENCHMARK(BM_StrValAtom);

void BM_Snprintf(benchmark::State& state) {
  double x = 58.44277;
  char buffer[64];
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(snprintf(buffer, sizeof buffer, "%.5f", x));
  }
}
BENCHMARK(BM_Snprintf);

}  // namespace
