// Start-up's part of the compiled-in entry-point table.
#pragma once

#include "core/entrypoint_table.h"

namespace ql {
extern const EntryPointTable kStartupEntryPoints;  // startup_entrypoints.cpp
}  // namespace ql
