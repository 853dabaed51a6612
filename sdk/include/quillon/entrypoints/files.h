// Entry points: files.
#pragma once

#include "quillon/entrypoints/common.h"
