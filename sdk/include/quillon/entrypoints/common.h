// Shared by the entry-point headers.
#pragma once

#include "quillon/abi.h"

// Every entry point has C linkage and the C calling convention.
#define QL_ENTRY extern "C"
