// The file layer's part of the compiled-in entry-point table.
#pragma once

#include "core/entrypoint_table.h"

namespace ql {
extern const EntryPointTable kFileEntryPoints;  // file_entrypoints.cpp
}  // namespace ql
