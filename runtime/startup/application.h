// The application object (class Application): registration and its events,
// quitting, activation and the handling of exceptions that no application
// code catches. The exported operations are in
// quillon/entrypoints/application.h; this header adds what the window and
// menu layers need.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"
#include "startup/application_object.h"

namespace ql {

// Event slots of class Application.
enum class ApplicationEvent : int32_t {
  Open = 0,
  Close = 1,
  EnableMenuItems = 2,
  NewDocument = 3,
  OpenDocument = 4,
  HandleAppleEvent = 5,
  Activate = 6,
  Deactivate = 7,
  UnhandledException = 8,
};

// The registered application object, without a new reference, or nil.
ApplicationObject* CurrentApplication();

// The receiver of an Application accessor or method: nil raises
// NilObjectException, an object of another class is reported; both give nil.
ApplicationObject* ApplicationReceiver(RuntimeObject* object);

// Try-quit: CancelClose of every document window, then their closing and
// the application's Close; true when the quit went through. Without an
// application object it is reported ("gApplicationObject") and refused.
bool TryQuit();

// From the window procedures: the application becomes active (fires
// Activate once until the next deactivation) or stops being active.
void ApplicationActivated();
void ApplicationDeactivated();

// The handler of exceptions that no protected call site takes: offered to
// UnhandledException, else reported ("An exception of class %1 was not
// handled." ...), then the quit flag is set. Installed at start-up as the
// hook of RuntimeUnhandledException and used by the loop runner.
void HandleUnhandledException(RuntimeObject* exception);

// For tests that register several applications in one process: the
// application object released, the active and inside-UnhandledException
// flags cleared. The runtime itself never calls it.
void ResetApplicationState();

}  // namespace ql
