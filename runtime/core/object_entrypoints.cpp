#include "startup/entrypoint_table.h"

namespace ql {

// No rows yet.
const EntryPointTable kObjectEntryPoints{nullptr, 0};

}  // namespace ql
