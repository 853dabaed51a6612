// Entry points: startup.
#pragma once

#include "quillon/entrypoints/common.h"

// The image's first call: installs the plug-ins its resources carry and, in
// MDI mode, creates the MDI frame window.
QL_ENTRY void RuntimeInit(void);
// The image's last call; does nothing (teardown follows the entry's return).
QL_ENTRY void RuntimeExit(void);
// `count` pointer-sized slots, contents undefined; null when count is 0 or
// less (or too large to address).
QL_ENTRY void** RuntimeAllocatePluginEntrypointsTable(int32_t count);
