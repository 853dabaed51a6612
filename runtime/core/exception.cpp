#include "core/exception.h"

#include "core/assertion.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

constexpr const char kSource[] = "RuntimeExceptionFoundation";

// Each thread walks only its own protected call sites.
thread_local RuntimeHandlerFrame* t_innermost = nullptr;
// Set while the unhandled-exception hook runs on this thread.
thread_local bool t_inUnhandledHook = false;
// Exception objects being created on this thread (see RaiseNewException).
thread_local int t_creating = 0;

ExceptionHook g_raiseHook = nullptr;
ExceptionHook g_unhandledHook = nullptr;
RuntimeClass* g_raisedClasses[3] = {};

// The innermost frame takes the exception; a frame that already holds one
// from an earlier raise gets the newer one, and the older is released.
void DeliverToFrame(RuntimeHandlerFrame* frame, RuntimeObject* exception) {
  frame->raised = 1;
  if (!frame->slot) return;
  RuntimeObject* old = *frame->slot;
  RuntimeLockObject(exception);
  *frame->slot = exception;
  RuntimeUnlockObject(old);
}

void Deliver(RuntimeObject* exception) {
  if (RuntimeHandlerFrame* frame = t_innermost)
    DeliverToFrame(frame, exception);
  else
    RuntimeUnhandledException(exception);
}

}  // namespace

void RaiseNewException(RuntimeClass* cls) {
  if (!QL_CHECK(cls != nullptr, kSource, __LINE__, "exclass")) return;
  // Creating the exception may itself fail and raise NilObjectException;
  // one nested attempt is allowed, a second would only recurse.
  if (t_creating >= 2) return;
  ++t_creating;
  RuntimeObject* exception = RuntimeNewObject(cls);
  --t_creating;
  if (!exception) return;
  RuntimeRaiseException(exception);
  RuntimeUnlockObject(exception);
}

RuntimeClass* RaisedExceptionClass(RaisedException which) {
  RuntimeClass*& slot = g_raisedClasses[static_cast<int>(which)];
  if (!slot) RegisterIntrinsicClasses();
  return slot;
}

void SetRaisedExceptionClass(RaisedException which, RuntimeClass* cls) {
  if (!QL_CHECK(cls != nullptr, kSource, __LINE__, "exc")) return;
  g_raisedClasses[static_cast<int>(which)] = cls;
}

void RaiseNilObjectException() { RaiseNewException(RaisedExceptionClass(RaisedException::NilObject)); }

void RaiseIllegalCastException() { RaiseNewException(RaisedExceptionClass(RaisedException::IllegalCast)); }

void RaiseOutOfBoundsException() { RaiseNewException(RaisedExceptionClass(RaisedException::OutOfBounds)); }

ExceptionHook SetRaiseHook(ExceptionHook hook) {
  ExceptionHook old = g_raiseHook;
  g_raiseHook = hook;
  return old;
}

ExceptionHook SetUnhandledExceptionHook(ExceptionHook hook) {
  ExceptionHook old = g_unhandledHook;
  g_unhandledHook = hook;
  return old;
}

RuntimeHandlerFrame* InnermostHandlerFrame() { return t_innermost; }

}  // namespace ql

using namespace ql;

QL_ENTRY void RuntimePushHandlerFrame(RuntimeHandlerFrame* frame, RuntimeObject** slot) {
  if (!QL_CHECK(frame != nullptr, kSource, __LINE__, "frame")) return;
  frame->link = t_innermost;
  frame->slot = slot;
  frame->raised = 0;
  t_innermost = frame;
}

QL_ENTRY bool RuntimePopHandlerFrame(RuntimeHandlerFrame* frame) {
  if (!frame) return false;
  // A frame popped out of order still unregisters every frame inside it,
  // so the chain never points into a finished call.
  if (!QL_CHECK(t_innermost == frame, kSource, __LINE__, "frame == innermost")) {
    RuntimeHandlerFrame* f = t_innermost;
    while (f && f != frame) f = f->link;
    if (!f) return frame->raised != 0;
  }
  t_innermost = frame->link;
  return frame->raised != 0;
}

QL_ENTRY void RuntimeRaiseException(RuntimeObject* exception) {
  if (!QL_CHECK(exception != nullptr, kSource, __LINE__, "exception")) return;
  if (g_raiseHook) g_raiseHook(exception);
  Deliver(exception);
}

QL_ENTRY void RuntimeReraiseException(RuntimeObject* exception) {
  if (!QL_CHECK(exception != nullptr, kSource, __LINE__, "exception")) return;
  Deliver(exception);
}

QL_ENTRY void RuntimeUnhandledException(RuntimeObject* exception) {
  if (!QL_CHECK(g_unhandledHook != nullptr, kSource, __LINE__, "gUnhandledExceptionHook")) return;
  // An exception escaping the hook's own work is not offered to it again:
  // that could only recurse.
  if (!QL_CHECK(!t_inUnhandledHook, kSource, __LINE__, "!inUnhandledException")) return;
  t_inUnhandledHook = true;
  g_unhandledHook(exception);
  t_inUnhandledHook = false;
}

QL_ENTRY void RuntimeNilObject(void) { RaiseNilObjectException(); }

QL_ENTRY void RuntimeStackCheck(void) {}
