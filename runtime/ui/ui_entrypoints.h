// The window layer's parts of the compiled-in entry-point table.
#pragma once

#include "core/entrypoint_table.h"

namespace ql {
extern const EntryPointTable kWindowEntryPoints;   // window_entrypoints.cpp
extern const EntryPointTable kControlEntryPoints;  // control_entrypoints.cpp
}  // namespace ql
