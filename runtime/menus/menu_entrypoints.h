// The menu layer's part of the compiled-in entry-point table.
#pragma once

#include "core/entrypoint_table.h"

namespace ql {
extern const EntryPointTable kMenuEntryPoints;  // menu_entrypoints.cpp
}  // namespace ql
