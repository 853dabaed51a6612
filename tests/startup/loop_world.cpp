#include "startup/loop_world.h"

#include <stdio.h>

#include "core/compiled_code.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "files/folder_item.h"
#include "platform/message_box.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/exceptions.h"
#include "startup/application.h"
#include "startup/periodic_tasks.h"
#include "startup/processinfo.h"
#if !defined(_WIN32)
#include "platform/posix/message_queue_posix.h"
#endif

namespace ql::test {
namespace {

LoopWorld* g_world = nullptr;
ExceptionHook g_previousUnhandledHook = nullptr;

void Trace(const std::string& line) { World().trace.push_back(line); }

void IdlePass() { Trace("idle"); }
bool PreTranslateKey(const LoopMessage& m) {
  Trace("key " + MessageName(m.message));
  return World().consumeKeys;
}
void TrackMouse() { Trace("track"); }
bool MouseCaptured() { return World().mouseCaptured; }
void RunDeferredUpdates() { Trace("deferred"); }
void FocusedPaneIdle() { Trace("focus idle"); }
bool AnyWindowOpen() { return World().openWindows > 0; }
bool CloseFirstOpenWindow() {
  if (World().openWindows == 0) return false;
  --World().openWindows;
  Trace("close window");
  return true;
}
bool AnyDocumentWindowCancelsClose() {
  Trace("cancel close?");
  if (World().cancelCloses == 0) return false;
  --World().cancelCloses;
  return true;
}
void CloseDocumentWindows() {
  Trace("close documents");
  World().openWindows = 0;
}
bool TranslateMdiAccelerator(const LoopMessage& m) {
  Trace("mdi " + MessageName(m.message));
  return World().consumeMdi;
}
bool MdiMode() { return World().mdi; }
void ShowPendingMdiFrame() { Trace("show frame"); }

uint32_t WorldClock() { return World().milliseconds; }

void RecordMessageBox(const char* text) {
  World().messageBoxes.push_back(text);
  Trace("message box");
}

// --- The application's events ---

std::string ClassName(RuntimeObject* o) {
  RuntimeString* name = o && o->cls ? o->cls->name : nullptr;
  return name ? std::string(name->text + 1, name->length) : "(nil)";
}

void AppOpen(RuntimeObject*) {
  Trace("app Open");
  if (World().onOpen) World().onOpen();
}
void AppClose(RuntimeObject*) { Trace("app Close"); }
void AppEnableMenuItems(RuntimeObject*) { Trace("app EnableMenuItems"); }
void AppNewDocument(RuntimeObject*) { Trace("app NewDocument"); }
void AppOpenDocument(RuntimeObject*, RuntimeObject* item) {
  World().documentItems.push_back(item);
  FolderItemImp* imp = item ? reinterpret_cast<FolderItemObject*>(item)->imp : nullptr;
  Trace("app OpenDocument " + (imp ? std::string(imp->Path().text(), imp->Path().length()) : "(nil)"));
}
bool AppHandleAppleEvent(RuntimeObject*, RuntimeObject*, RuntimeString*, RuntimeString*) { return false; }
void AppActivate(RuntimeObject*) { Trace("app Activate"); }
void AppDeactivate(RuntimeObject*) { Trace("app Deactivate"); }
bool AppUnhandledException(RuntimeObject*, RuntimeObject* error) {
  Trace("app UnhandledException " + ClassName(error));
  if (World().quitInUnhandledException) {
    // Whatever Quit raises would arrive here.
    CatchScope scope;
    ApplicationQuit();
    Trace(scope.Close() ? "quit raised " + std::string(scope.CaughtClassName()) : "quit raised nothing");
  }
  if (World().raiseInUnhandledException) RuntimeNilObject();
  return World().handleExceptions;
}

void* const kAppHandlers[] = {
    reinterpret_cast<void*>(AppOpen),          reinterpret_cast<void*>(AppClose),
    reinterpret_cast<void*>(AppEnableMenuItems), reinterpret_cast<void*>(AppNewDocument),
    reinterpret_cast<void*>(AppOpenDocument),  reinterpret_cast<void*>(AppHandleAppleEvent),
    reinterpret_cast<void*>(AppActivate),      reinterpret_cast<void*>(AppDeactivate),
    reinterpret_cast<void*>(AppUnhandledException),
};

#if !defined(_WIN32)
void DispatchToWorld(const LoopMessage& m) {
  Trace("dispatch " + MessageName(m.message));
  if (World().onDispatch) World().onDispatch(m);
}
void TranslateInWorld(const LoopMessage& m) { Trace("translate " + MessageName(m.message)); }
void WaitInWorld() { Trace("wait"); }
#endif

}  // namespace

LoopWorld& World() { return *g_world; }

std::string MessageName(uint32_t message) {
  switch (message) {
    case platform::kMessagePaint: return "paint";
    case kClose: return "close";
    case platform::kMessageQuit: return "quit";
    case kNcLeftButtonDown: return "nclbuttondown";
    case kKeyDown: return "keydown";
    case kChar: return "char";
    case platform::kMessageSysKeyDown: return "syskeydown";
    case platform::kMessageTimer: return "timer";
    case platform::kMessageMouseMove: return "mousemove";
    case kLeftButtonDown: return "lbuttondown";
  }
  if (message >= kUser) return "user+" + std::to_string(message - kUser);
  char text[16];
  snprintf(text, sizeof text, "0x%x", message);
  return text;
}

WindowLayerHooks WorldHooks() {
  WindowLayerHooks hooks = {};
  hooks.idlePass = IdlePass;
  hooks.preTranslateKey = PreTranslateKey;
  hooks.trackMouse = TrackMouse;
  hooks.mouseCaptured = MouseCaptured;
  hooks.runDeferredUpdates = RunDeferredUpdates;
  hooks.focusedPaneIdle = FocusedPaneIdle;
  hooks.anyWindowOpen = AnyWindowOpen;
  hooks.closeFirstOpenWindow = CloseFirstOpenWindow;
  hooks.anyDocumentWindowCancelsClose = AnyDocumentWindowCancelsClose;
  hooks.closeDocumentWindows = CloseDocumentWindows;
  hooks.translateMdiAccelerator = TranslateMdiAccelerator;
  hooks.mdiMode = MdiMode;
  hooks.showPendingMdiFrame = ShowPendingMdiFrame;
  return hooks;
}

RuntimeClass* TracingApplicationClass(const std::vector<int>& implemented) {
  RuntimeClass* base = ClassOf(intrinsic::Application);
  RuntimeClass* cls = NewTestClass(base, base->methodCount, base->interfaceCount, base->eventCount,
                                   base->staticMethodCount, base->propertyCount);
  cls->instanceSize = base->instanceSize;
  for (int slot : implemented) cls->events[slot].handler = kAppHandlers[slot];
  return cls;
}

void LoopTest::SetUp() {
  g_world = new LoopWorld;
  ResetMainLoopState();
  ResetApplicationState();
  InstallWindowLayerHooks(WorldHooks());
  SetMillisecondClock(WorldClock);
  platform::SetMessageBoxObserver(RecordMessageBox);
  g_previousUnhandledHook = SetUnhandledExceptionHook(HandleUnhandledException);
  KeepRawCommandLine("");
#if !defined(_WIN32)
  platform::ClearMessageQueue();
  platform::SetDispatchObserver(DispatchToWorld);
  platform::SetTranslateObserver(TranslateInWorld);
  platform::SetWaitObserver(WaitInWorld);
  platform::SetEscapeKeyDown(false);
#endif
}

void LoopTest::TearDown() {
  ResetApplicationState();
  ResetMainLoopState();
  SetMillisecondClock(nullptr);
  platform::SetMessageBoxObserver(nullptr);
  SetUnhandledExceptionHook(g_previousUnhandledHook);
  KeepRawCommandLine("");
#if !defined(_WIN32)
  platform::ClearMessageQueue();
  platform::SetDispatchObserver(nullptr);
  platform::SetTranslateObserver(nullptr);
  platform::SetWaitObserver(nullptr);
#endif
  delete g_world;
  g_world = nullptr;
}

}  // namespace ql::test
