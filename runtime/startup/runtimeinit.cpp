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

InitialisationSlots g_slots;

// Steps that belong to later subsystems are slots: each is called in its
// place and filled by its subsystem (docs/startup.md lists which are).

// Exceptions that reach no protected call site go to the main loop's
// handler (the application's UnhandledException, else the report).
void InstallUnhandledExceptionHandler() { SetUnhandledExceptionHook(HandleUnhandledException); }

// "QLWindow" (icon 102), "QL_Pane" and "QL_CanvasPane" (the window layer).
void RegisterWindowClasses() {
  if (g_slots.registerWindowClasses) g_slots.registerWindowClasses();
}

// OleInitialize; the runtime shutdown balances it.
void InitialiseOle() { platform::InitialiseOle(); }

// The standard colours and the default text style ("System", 10), kept by
// the window layer.
void SetUpColoursAndTextStyle() {
  if (g_slots.setUpColoursAndTextStyle) g_slots.setUpColoursAndTextStyle();
}

// The intrinsic classes and global functions; their link names enter the
// registry the linker searches, and the runtime-raised exception classes
// are created.
void RegisterIntrinsicClassesAndFunctions() { RegisterIntrinsicClasses(); }

// Slot: the message-dialog font ("System", 12).
void SetMessageDialogFont() {}

// The stack limit: 0x40000 bytes below the current position.
void InitialiseStackChecker() { RecordMainThreadStackLimit(); }

}  // namespace

void InstallInitialisationSlots(const InitialisationSlots& slots) { g_slots = slots; }

const InitialisationSlots& CurrentInitialisationSlots() { return g_slots; }

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
