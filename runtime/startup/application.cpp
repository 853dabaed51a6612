// The application object: registration and its events, quitting,
// activation, exceptions that no application code catches.
#include "startup/application.h"

#include <string>
#include <type_traits>
#include <utility>

#include "core/assertion.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/string.h"
#include "platform/message_box.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"
#include "startup/command_line.h"
#include "startup/document_items.h"
#include "startup/mainloop.h"
#include "startup/processinfo.h"

namespace ql {
namespace {

constexpr const char kSource[] = "application";

RuntimeObject* g_application = nullptr;  // one reference, kept for the process
bool g_active = false;
bool g_insideUnhandledException = false;

// --- Firing the application's events ---

void* HandlerOf(ApplicationObject* app, ApplicationEvent event) {
  return app ? EventHandlerAt(&app->header, static_cast<int32_t>(event)) : nullptr;
}

// Fires the event when the application implements it; the object is kept
// alive while its handler runs.
template <class... Args>
void Fire(ApplicationObject* app, ApplicationEvent event, std::type_identity_t<Args>... args) {
  void* handler = HandlerOf(app, event);
  if (!handler) return;
  ObjectRef keep = ObjectRef::Retain(&app->header);
  reinterpret_cast<void (*)(RuntimeObject*, Args...)>(handler)(&app->header, args...);
}

void FireOpen(intptr_t) { Fire(CurrentApplication(), ApplicationEvent::Open); }

// --- Registration ---

// The object that becomes the application: `app` itself, or a new
// Application for nil and for an object of another class, whose fields
// the runtime could not use.
ObjectRef AcceptedApplication(RuntimeObject* app) {
  if (app && QL_CHECK(ClassDescendsFrom(app->cls, ClassOf(intrinsic::Application)), kSource, __LINE__,
                      "RuntimeObjectIsa(app, Application)"))
    return ObjectRef::Retain(app);
  return ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::Application)));
}

void SetApplicationObject(ObjectRef app) { RuntimeUnlockObject(std::exchange(g_application, app.release())); }

// OpenDocument once per argument, with one FolderItem pointed at each in
// turn. An argument that names no item ("" among them) is passed over.
void FireOpenDocuments(ApplicationObject* app, const char* commandLine) {
  ObjectRef item;
  ForEachCommandLineArgument(commandLine, [&](const CommandLineArgument& argument) {
    if (argument.length == 0) return;
    String path = NewStringFromBytes(argument.text, static_cast<int32_t>(argument.length), SystemEncoding());
    if (!item)
      item = ObjectRef::Adopt(NewDocumentItem(path.get()));
    else if (!PointDocumentItemAt(item.get(), path.get()))
      return;
    if (item) Fire<RuntimeObject*>(app, ApplicationEvent::OpenDocument, item.get());
  });
}

// The documents of the command line, or NewDocument when the application
// does not open documents or none were given. A line of only spaces fires
// neither.
void OpenCommandLineDocuments() {
  ApplicationObject* app = CurrentApplication();
  if (!app) return;
  const char* line = RawCommandLine();
  if (HandlerOf(app, ApplicationEvent::OpenDocument) && *line)
    FireOpenDocuments(app, line);
  else
    Fire(app, ApplicationEvent::NewDocument);
}

// --- Unhandled exceptions ---

bool IsEndException(RuntimeObject* exception) {
  return ClassDescendsFrom(exception->cls, ClassOf(intrinsic::EndException));
}

// UnhandledException's answer: true when the application handled it. An
// exception escaping the handler itself counts as "not handled"; it is
// dropped, the first one is reported.
bool OfferToApplication(RuntimeObject* exception) {
  ApplicationObject* app = CurrentApplication();
  void* handler = HandlerOf(app, ApplicationEvent::UnhandledException);
  if (!handler) return false;
  ObjectRef keep = ObjectRef::Retain(&app->header);
  RuntimeObject* escaped = nullptr;
  RuntimeHandlerFrame frame;
  RuntimePushHandlerFrame(&frame, &escaped);
  const bool handled = reinterpret_cast<bool (*)(RuntimeObject*, RuntimeObject*)>(handler)(&app->header, exception);
  const bool raised = RuntimePopHandlerFrame(&frame);
  RuntimeUnlockObject(escaped);
  return handled && !raised;
}

std::string ClassNameOf(RuntimeObject* object) {
  RuntimeString* name = object->cls ? object->cls->name : nullptr;
  return std::string(StringText(name), static_cast<size_t>(StringLength(name)));
}

// "%1" stands for the exception's class, wherever it occurs.
std::string UnhandledExceptionText(const std::string& className) {
  std::string text = "An exception of class %1 was not handled.\r\nThe application must shut down.";
  for (size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at + className.size()))
    text.replace(at, 2, className);
  return text;
}

// The one place the runtime's own messages to the user are shown.
void ShowRuntimeMessage(const std::string& text) { platform::ShowMessageBox(text.c_str()); }

}  // namespace

ApplicationObject* CurrentApplication() { return g_application ? AsApplication(g_application) : nullptr; }

bool TryQuit() {
  ApplicationObject* app = CurrentApplication();
  if (!QL_CHECK(app != nullptr, kSource, 1923, "gApplicationObject")) return false;
  if (app->quitting) return false;
  ObjectRef keep = ObjectRef::Retain(&app->header);
  app->quitting = 1;
  const WindowLayerHooks& hooks = CurrentWindowLayerHooks();
  if (AskHook(hooks.anyDocumentWindowCancelsClose)) {
    app->quitting = 0;
    return false;
  }
  CallHook(hooks.closeDocumentWindows);
  Fire(app, ApplicationEvent::Close);
  app->quitting = 0;
  return true;
}

void ApplicationActivated() {
  ApplicationObject* app = CurrentApplication();
  if (g_active || !app) return;
  g_active = true;
  Fire(app, ApplicationEvent::Activate);
}

void ApplicationDeactivated() {
  ApplicationObject* app = CurrentApplication();
  if (!g_active || !app) return;
  g_active = false;
  Fire(app, ApplicationEvent::Deactivate);
}

void HandleUnhandledException(RuntimeObject* exception) {
  if (!exception) return;
  ObjectRef keep = ObjectRef::Retain(exception);
  const bool end = IsEndException(exception);
  const bool wasInside = std::exchange(g_insideUnhandledException, true);
  const bool handled = !end && OfferToApplication(exception);
  g_insideUnhandledException = wasInside;
  if (handled || QuitRequested()) return;
  if (end)
    CloseEveryOpenWindow();
  else
    ShowRuntimeMessage(UnhandledExceptionText(ClassNameOf(exception)));
  RequestQuit();
}

void ResetApplicationState() {
  SetApplicationObject(ObjectRef());
  g_active = false;
  g_insideUnhandledException = false;
}

}  // namespace ql

using namespace ql;

QL_ENTRY void RuntimeRegisterAppObject(RuntimeObject* app) {
  SetApplicationObject(AcceptedApplication(app));
  RunProtected(FireOpen);
  const WindowLayerHooks& hooks = CurrentWindowLayerHooks();
  if (AskHook(hooks.mdiMode)) CallHook(hooks.showPendingMdiFrame);
  OpenCommandLineDocuments();
}

// Exceptions redirect rather than unwind: the EndException reaches the
// nearest loop runner once the application's code has returned to it, and
// that runner closes the remaining windows and sets the quit flag.
QL_ENTRY void ApplicationQuit(void) {
  if (!TryQuit()) return;
  if (g_insideUnhandledException) {
    RequestQuit();
    return;
  }
  RaiseNewException(ClassOf(intrinsic::EndException));
}
