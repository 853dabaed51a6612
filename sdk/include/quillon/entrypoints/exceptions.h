// Entry points: exceptions and stack checking.
#pragma once

#include "quillon/entrypoints/common.h"

// Protected calls. Compiled code registers a frame for the duration of each
// call that has a handler; an exception raised while it is the innermost
// frame of the thread is delivered to it (stored into *slot with one
// reference when slot is not nil). Frames nest strictly.
QL_ENTRY void RuntimePushHandlerFrame(RuntimeHandlerFrame* frame, RuntimeObject** slot);
// Unregisters the innermost frame; true when an exception was delivered to it.
QL_ENTRY bool RuntimePopHandlerFrame(RuntimeHandlerFrame* frame);

// Calls the raise hook, then delivers the exception to the innermost frame
// of the calling thread, or to RuntimeUnhandledException when there is none.
// Returns normally; the caller goes on to return its failure value.
QL_ENTRY void RuntimeRaiseException(RuntimeObject* exception);
// The same delivery without the raise hook: a clean-up passing an exception on.
QL_ENTRY void RuntimeReraiseException(RuntimeObject* exception);
// Passes the exception to the unhandled-exception hook.
QL_ENTRY void RuntimeUnhandledException(RuntimeObject* exception);
// Raises a new NilObjectException (a member access through nil).
QL_ENTRY void RuntimeNilObject(void);
// Called at function entry by compiled code; checks nothing.
QL_ENTRY void RuntimeStackCheck(void);
