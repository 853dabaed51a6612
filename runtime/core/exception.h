// Runtime exceptions: raising, delivery to the innermost protected call site
// of the calling thread, the hooks, and the class slots of the exceptions
// the runtime raises itself. See docs/exceptions.md.
#pragma once

#include "quillon/abi.h"

namespace ql {

// Creates an instance of `cls` and raises it; afterwards only the receiving
// slot holds it. The caller then returns its ordinary failure value.
void RaiseNewException(RuntimeClass* cls);

// The three exceptions the runtime raises itself.
void RaiseNilObjectException();
void RaiseIllegalCastException();
void RaiseOutOfBoundsException();

enum class RaisedException { NilObject, IllegalCast, OutOfBounds };
// The class a runtime raise of this kind creates (set at start-up).
RuntimeClass* RaisedExceptionClass(RaisedException which);
void SetRaisedExceptionClass(RaisedException which, RuntimeClass* cls);

using ExceptionHook = void (*)(RuntimeObject* exception);
// Called by RuntimeRaiseException before delivery (debugging support).
ExceptionHook SetRaiseHook(ExceptionHook hook);
// Receives every exception that no protected call site takes (installed by
// the application layer). Returns the previous hook.
ExceptionHook SetUnhandledExceptionHook(ExceptionHook hook);

// The innermost protected call site of the calling thread, or nil.
RuntimeHandlerFrame* InnermostHandlerFrame();

}  // namespace ql
