// The rows of the runtime's compiled-in entry-point table: link name ->
// function. Each subsystem defines its part (a table of rows) in its
// *_entrypoints.cpp and declares it in a header of its own; the registry
// (core/entrypoint_registry) searches the parts of kCompiledInEntryPoints in
// order. That list is assembled above every layer
// (runtime/entrypoint_tables.cpp), so no layer names one above it.
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

// Every compiled-in part, in search order (the first row of a name wins).
struct EntryPointTableList {
  const EntryPointTable* const* tables;
  size_t count;
};
extern const EntryPointTableList kCompiledInEntryPoints;

}  // namespace ql
