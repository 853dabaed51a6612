#include "startup/runtimeinit.h"

#include "core/intrinsic_classes.h"
#include "core/stack_limit.h"
#include "startup/plugins.h"
#include "startup/processinfo.h"

namespace ql {
namespace {

// Steps that belong to later subsystems are slots: each is called in its
// place and filled by its subsystem (docs/startup.md lists which are).

// Slot: the main loop's unhandled-exception handler becomes the hook of
// RuntimeUnhandledException.
void InstallUnhandledExceptionHandler() {}

// Slot: "QLWindow" (icon 102), "QL_Pane" and "QL_CanvasPane".
void RegisterWindowClasses() {}

// Slot: OleInitialize, with its OleUninitialize in the runtime shutdown.
void InitialiseOle() {}

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
