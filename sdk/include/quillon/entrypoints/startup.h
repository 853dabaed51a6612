// Entry points: startup.
#pragma once

#include "quillon/entrypoints/common.h"
