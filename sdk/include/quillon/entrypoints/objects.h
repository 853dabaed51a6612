// Entry points: objects.
#pragma once

#include "quillon/entrypoints/common.h"
