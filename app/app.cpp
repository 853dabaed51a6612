// The image's entry and its application class App: the runtime is
// initialised, the application object registered with its menu bar, the
// main window opened, and the event loop run until the application quits.
#include "quillon/intrinsic_tables.h"
#include "titrix.h"

namespace titrix {
namespace {

using quillon::ApplicationEvent::Close;
using quillon::ApplicationEvent::UnhandledException;

void AppClose(RuntimeObject*) {}
// False: the runtime's own report applies.
bool AppUnhandledException(RuntimeObject*, RuntimeObject*) { return false; }

constexpr quillon::EventSpec kAppEvents[] = {
    {Close, QL_CODE(AppClose), QL_ASCII("Close"), QL_ASCII("#Close%%o<App>")},
    {UnhandledException, QL_CODE(AppUnhandledException), QL_ASCII("UnhandledException"),
     QL_ASCII("#UnhandledException%b%o<App>o<RuntimeException>")},
};

constexpr quillon::ClassSpec kApp{.name = QL_ASCII("App"),
                                  .superclass = QL_ASCII("Application"),
                                  .superEvents = quillon::ApplicationEvent::Count,
                                  .events = kAppEvents};

constinit RuntimeClass* gApp = nullptr;
// The (empty) table plug-ins would find the image's entry points in.
constinit void** gPluginEntryPoints = nullptr;

Object NewApplication() {
  Object app = Object::Adopt(RuntimeNewObject(AppClass()));
  if (!quillon::IsNil(app.get())) AppMenuBarSetter(app.get(), 0, MenuBar1Instance());
  return app;
}

// Window1 by its name: its implicit instance, created and opened now; then
// drawn at once.
void OpenMainWindow() {
  Object window = quillon::ImplicitWindow(QL_ASCII("Window1"), Window1Class());
  if (!quillon::IsNil(window.get())) WindowForceUpdateFrontBuffer(window.get());
}

}  // namespace

RuntimeClass* AppClass() { return quillon::ClassFor(gApp, kApp); }

}  // namespace titrix

QL_IMAGE_ENTRY() {
  using namespace titrix;
  using quillon::Protected;
  RuntimeInit();
  gPluginEntryPoints = RuntimeAllocatePluginEntrypointsTable(0);
  Object app, error;
  // Each step a protected call; the first that raises ends the sequence and
  // its exception is reported as unhandled.
  const bool raised =
      Protected(error, [] { RuntimeRegisterFileType(QL_ASCII("text"), QL_ASCII("QLrt"), QL_ASCII("TEXT"), nullptr); }) ||
      Protected(error, [&] { app = NewApplication(); }) ||
      Protected(error, [&] { RuntimeRegisterAppObject(app.get()); }) || Protected(error, [] { OpenMainWindow(); }) ||
      Protected(error, [] { RuntimeRun(); });
  if (raised) RuntimeUnhandledException(error.get());
  error = nullptr;
  app = nullptr;
  RuntimeExit();
}
