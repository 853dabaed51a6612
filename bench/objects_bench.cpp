// Object references and entry-point lookup against plain C++ baselines.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/class_lookup.h"
#include "core/entrypoint_registry.h"
#include "core/entrypoint_table.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"

namespace {

void BM_RuntimeLockUnlockObject(benchmark::State& state) {
  RuntimeObject* o = RuntimeNewObject(ql::LookupClass("Object"));
  for (auto _ : state) {
    RuntimeLockObject(o);
    RuntimeUnlockObject(o);
    benchmark::ClobberMemory();
  }
  RuntimeUnlockObject(o);
  state.SetItemsProcessed(state.iterations());  // pairs per second
}
BENCHMARK(BM_RuntimeLockUnlockObject);

// The same pair done inline on a counter in memory.
void BM_PlainIncrementDecrement(benchmark::State& state) {
  int32_t count = 1;
  int32_t* p = &count;
  benchmark::DoNotOptimize(p);
  for (auto _ : state) {
    ++*p;
    benchmark::ClobberMemory();
    --*p;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlainIncrementDecrement);

// Names the calculator image imports from these subsystems, in a fixed mix.
const char* const kNames[] = {
    "RuntimeNewClass", "RuntimeLookupClass", "RuntimeNewObject", "RuntimeLockObject", "RuntimeUnlockObject",
    "RuntimeLockUnlockObjects", "RuntimeCheckCast", "RuntimeMassPropertySetter", "RuntimeNewVtable",
    "RuntimeGetEndOfLineObject", "RuntimeEndOfLineAddRight", "RuntimeUnhandledException",
    "RuntimeReraiseException", "RuntimeNilObject", "RuntimeStackCheck", "RuntimeLockString",
};

void BM_RegistryLookup(benchmark::State& state) {
  ql::RegisterIntrinsicClasses();
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ql::LookupEntryPoint(kNames[i]));
    i = (i + 1) % std::size(kNames);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RegistryLookup);

// std::unordered_map over the same rows (case-sensitive, std::hash).
void BM_UnorderedMapLookup(benchmark::State& state) {
  ql::RegisterIntrinsicClasses();
  std::unordered_map<std::string_view, void*> map;
  for (size_t p = 0; p < ql::kCompiledInEntryPoints.count; ++p) {
    const ql::EntryPointTable* t = ql::kCompiledInEntryPoints.tables[p];
    for (size_t r = 0; r < t->count; ++r)
      if (t->rows[r].name) map.emplace(t->rows[r].name, t->rows[r].function);
  }
  for (const char* name : kNames) map.emplace(name, ql::LookupEntryPoint(name));
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(map.find(kNames[i]));
    i = (i + 1) % std::size(kNames);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_UnorderedMapLookup);

}  // namespace
