#include "startup/runtimeinit.h"

#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "core/stack_limit.h"
#include "platform/ole.h"
#include "startup/application.h"
#include "startup/plugins.h"
#include "startup/processinfo.h"

namespace ql {
namespace {

// Steps that belong to later subsystems are slots: each is called in its
// place and filled by its subsystem (docs/startup.md lists which are).

// Exceptions that reach no protected call site go to the main loop's
// handler (the application's UnhandledException, else the report).
void InstallUnhandledExceptionHandler() { SetUnhandledExceptionHook(HandleUnhandledException); }

// Slot: "QLWindow" (icon 102), "QL_Pane" and "QL_CanvasPane".
void RegisterWindowClasses() {}

// OleInitialize; the runtime shutdown balances it.
void InitialiseOle() { platform::InitialiseOle(); }

// Slot: the standard colours and the default text style ("System", 10).
void SetUpColoursAndTextStyle() {}

// The intrinsic classes and global functions; their link names enter the
// registry the linker searches, and the runtime-raised exception classes
// are created.
void RegisterIntrinsicClassesAndFunctions() { RegisterIntrinsicClasses(); }

// Slot: the message-dialog font ("System", 12).
void SetMessageDialogFont() {}

// The stack limit: 0x40000 bytes below the current position.
void InitialiseStackChecker() { RecordMainThreadStackLimit(); }

}  // namespace

void InitialiseRuntime() {
  RecordStartTickCount();
  InstallUnhandledExceptionHandler();
  RegisterWindowClasses();
  InitialiseOle();
  SetUpColoursAndTextStyle();
  RegisterIntrinsicClassesAndFunctions();
  RunPluginInstallationPass();  // the image is not read yet: it finds no plug-in
  SetMessageDialogFont();
  InitialiseStackChecker();
}

}  // namespace ql
