#include "startup/runtimeinit.h"

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

// Slot: the application-level and window intrinsic classes and the global
// functions, which also enter their link names into the registry.
void RegisterIntrinsicClassesAndFunctions() {}

// Slot: the message-dialog font ("System", 12).
void SetMessageDialogFont() {}

// Slot: the stack limit, 0x40000 bytes below the current position.
void InitialiseStackChecker() {}

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
