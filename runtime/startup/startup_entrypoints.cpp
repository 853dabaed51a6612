#include "startup/entrypoint_table.h"

namespace ql {

// No rows yet.
const EntryPointTable kStartupEntryPoints{nullptr, 0};

}  // namespace ql
