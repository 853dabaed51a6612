// The runtime entry-point table compiled into the runtime: one part per
// subsystem, searched in the order of kEntryPointTables.
#pragma once

#include <stddef.h>

namespace ql {

struct EntryPointRow {
  const char* name;  // link name, may be null
  void* function;    // the code it names
};

struct EntryPointTable {
  const EntryPointRow* rows;
  size_t count;
};

template <size_t N>
constexpr EntryPointTable MakeEntryPointTable(const EntryPointRow (&rows)[N]) {
  return EntryPointTable{rows, N};
}

// Each defined in its subsystem's *_entrypoints.cpp.
extern const EntryPointTable kStartupEntryPoints;
extern const EntryPointTable kObjectEntryPoints;
extern const EntryPointTable kStringEntryPoints;
extern const EntryPointTable kFileEntryPoints;

// Cast a function to a row's address.
template <class F>
void* EntryAddress(F* function) {
  return reinterpret_cast<void*>(function);
}

}  // namespace ql
