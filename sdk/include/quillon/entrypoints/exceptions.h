// Entry points: exceptions.
#pragma once

#include "quillon/entrypoints/common.h"

// Protected calls. Compiled code registers a frame for the duration of each
// call that has a handler; an exception raised while it is the innermost
// frame of the thread is delivered to it (stored into *slot with one
// reference when slot is not nil). Frames nest strictly.
QL_ENTRY void RuntimePushHandlerFrame(RuntimeHandlerFrame* frame, RuntimeObject** slot);
// Unregisters the innermost frame; true when an exception was delivered to it.
QL_ENTRY bool RuntimePopHandlerFrame(RuntimeHandlerFrame* frame);
