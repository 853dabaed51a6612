// The rows of the runtime's compiled-in entry-point table: link name ->
// function. Each subsystem defines its part (a table of rows) in its
// *_entrypoints.cpp; the registry (startup/relocentry) searches them in a
// fixed order. The core's own parts are declared here, the others in
// startup/entrypoint_table.h.
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

// Cast a function to a row's address.
template <class F>
void* EntryAddress(F* function) {
  return reinterpret_cast<void*>(function);
}

// Defined in core/object_entrypoints.cpp and core/string_entrypoints.cpp.
extern const EntryPointTable kObjectEntryPoints;
extern const EntryPointTable kStringEntryPoints;

}  // namespace ql
