#include "startup/entrypoint_table.h"

namespace ql {

// No rows yet.
const EntryPointTable kFileEntryPoints{nullptr, 0};

}  // namespace ql
