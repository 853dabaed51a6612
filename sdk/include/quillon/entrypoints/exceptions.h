// Entry points: exceptions.
#pragma once

#include "quillon/entrypoints/common.h"
