// The entry-point registry: link name -> function, made of the compiled-in
// table (core/entrypoint_table.h) and the rows registered at run time by class
// registration and plug-ins.
#pragma once

#include <stddef.h>

namespace ql {

// Appends a row. A name already present with the same function is accepted
// silently; with another function it is reported and the first one stays.
// A null name adds an unnamed row.
void RegisterEntryPoint(const char* name, void* function);

// What the linker's search finds for a link name: the first table row in
// table order, else the first registered row, compared without regard to
// case. nullptr when no row has the name. The intrinsic classes are
// registered first when start-up has not done so yet.
void* LookupEntryPoint(const char* name, size_t length);
void* LookupEntryPoint(const char* name);

// Rows added at run time so far, named or not (the compiled table excluded).
size_t RegisteredEntryPointCount();

}  // namespace ql
