// The runtime entry-point table compiled into the runtime: one part per
// subsystem, searched in the order of the registry's table list
// (relocentry.cpp). The row and table types and the core's parts are in
// core/entrypoint_table.h.
#pragma once

#include "core/entrypoint_table.h"

namespace ql {

// Each defined in its subsystem's *_entrypoints.cpp.
extern const EntryPointTable kStartupEntryPoints;
extern const EntryPointTable kFileEntryPoints;
extern const EntryPointTable kWindowEntryPoints;
extern const EntryPointTable kControlEntryPoints;
extern const EntryPointTable kMenuEntryPoints;

}  // namespace ql
