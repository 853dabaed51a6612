// Class lookup by name: the class cache in front of the intrinsic and
// plug-in class definitions. RuntimeLookupClass is the exported form.
#pragma once

#include <string_view>

#include "quillon/abi.h"

namespace ql {

// The intrinsic or plug-in class of that name (case-insensitive), converted
// on first lookup and the same record on every later one; nil when none.
RuntimeClass* LookupClass(std::string_view name);

}  // namespace ql
