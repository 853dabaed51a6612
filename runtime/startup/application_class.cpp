// The intrinsic class Application: its table (events in slot order,
// properties in index order), its accessors and `_AddMenuHandler`.
#include <stddef.h>

#include <utility>

#include "core/assertion.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/menus.h"
#include "quillon/entrypoints/objects.h"
#include "startup/application.h"

namespace ql {
namespace {

constexpr const char kSource[] = "application";

void ReleaseMenuHandlers(ApplicationObject* app) {
  StringMap<RuntimeObject>* handlers = std::exchange(app->menuHandlers, nullptr);
  if (!handlers) return;
  handlers->ForEach([](RuntimeString*, RuntimeObject* handler) { RuntimeUnlockObject(handler); });
  delete handlers;
}

void DestroyApplication(RuntimeObject* o) {
  ApplicationObject* app = AsApplication(o);
  RuntimeUnlockObject(std::exchange(app->mouseCursor, nullptr));
  RuntimeUnlockObject(std::exchange(app->mdiWindow, nullptr));
  RuntimeUnlockObject(std::exchange(app->menuBar, nullptr));
  ReleaseMenuHandlers(app);
}

const EventDeclarationEntry kEvents[] = {
    Event("Open"),
    Event("Close"),
    Event("EnableMenuItems"),
    Event("NewDocument"),
    Event("OpenDocument", "item As FolderItem"),
    Event("HandleAppleEvent", "theEvent As AppleEvent, eventClass As String, eventID As String", "Boolean"),
    Event("Activate"),
    Event("Deactivate"),
    Event("UnhandledException", "error As RuntimeException", "Boolean"),
};

const PropertyEntry kProperties[] = {
    Property("MouseCursor", TypeOf(intrinsic::MouseCursor), QL_LINK(objGetter), QL_LINK(appMouseCursorSetter),
             offsetof(ApplicationObject, mouseCursor)),
    ReadOnlyProperty("ResourceFork", TypeOf(intrinsic::ResourceFork), QL_LINK(appResourceForkGetter)),
    Property("MDIWindow", TypeOf(intrinsic::MDIWindow), QL_LINK(objGetter), QL_LINK(objSetter),
             offsetof(ApplicationObject, mdiWindow)),
    Property("BalloonHelpVisible", types::Boolean, QL_LINK(AppBalloonHelpVisibleGetter),
             QL_LINK(AppBalloonHelpVisibleSetter), offsetof(ApplicationObject, balloonHelpVisible)),
    ReadOnlyProperty("MajorVersion", types::Integer, QL_LINK(AppIntegerVersionStuffGetter), 0),
    ReadOnlyProperty("MinorVersion", types::Integer, QL_LINK(AppIntegerVersionStuffGetter), 1),
    ReadOnlyProperty("BugVersion", types::Integer, QL_LINK(AppIntegerVersionStuffGetter), 2),
    ReadOnlyProperty("StageCode", types::Integer, QL_LINK(AppIntegerVersionStuffGetter), 3),
    ReadOnlyProperty("NonReleaseVersion", types::Integer, QL_LINK(AppIntegerVersionStuffGetter), 4),
    ReadOnlyProperty("RegionCode", types::Integer, QL_LINK(AppIntegerVersionStuffGetter), 5),
    ReadOnlyProperty("ShortVersion", types::String, QL_LINK(AppStringVersionStuffGetter), 0),
    ReadOnlyProperty("LongVersion", types::String, QL_LINK(AppStringVersionStuffGetter), 1),
    ReadOnlyProperty("PackageInfo", types::String, QL_LINK(AppStringVersionStuffGetter), 2),
    Property("MenuBar", TypeOf(intrinsic::MenuBar), QL_LINK(AppMenuBarGetter), QL_LINK(AppMenuBarSetter)),
    ReadOnlyProperty("DockItem", TypeOf(intrinsic::DockItem), QL_LINK(AppDockItemGetter)),
};

const ParameterEntry kAddMenuHandlerParameters[] = {
    Parameter("name", types::String),
    Parameter("handler", TypeOf(intrinsic::MenuHandler)),
};

const MethodEntry kMethods[] = {
    Method("_AddMenuHandler", QL_LINK(ApplicationAddMenuHandler), nullptr, kAddMenuHandlerParameters),
};

}  // namespace

namespace intrinsic {
const ClassDescription ApplicationDescription{
    .name = "Application",
    .instanceSize = sizeof(ApplicationObject),
    .destroyHook = DestroyApplication,
    .events = kEvents,
    .properties = kProperties,
    .methods = kMethods,
};
ObjectDefinition Application(ApplicationDescription);
}  // namespace intrinsic

ApplicationObject* ApplicationReceiver(RuntimeObject* o) {
  if (!o) {
    RaiseNilObjectException();
    return nullptr;
  }
  if (!QL_CHECK(ClassDescendsFrom(o->cls, ClassOf(intrinsic::Application)), kSource, __LINE__,
                "RuntimeObjectIsa(self, Application)"))
    return nullptr;
  return AsApplication(o);
}

}  // namespace ql

using namespace ql;

QL_ENTRY void appMouseCursorSetter(RuntimeObject* o, uint32_t, RuntimeObject* cursor) {
  // The cursor is kept for the getter; this build does not change the
  // system's cursor for it.
  if (ApplicationObject* app = ApplicationReceiver(o)) {
    if (app->mouseCursor == cursor) return;
    RuntimeLockObject(cursor);
    RuntimeUnlockObject(std::exchange(app->mouseCursor, cursor));
  }
}

// Windows applications have no resource fork.
QL_ENTRY RuntimeObject* appResourceForkGetter(RuntimeObject* o, uint32_t) {
  ApplicationReceiver(o);
  return nullptr;
}

QL_ENTRY bool AppBalloonHelpVisibleGetter(RuntimeObject* o, uint32_t) {
  ApplicationObject* app = ApplicationReceiver(o);
  return app && app->balloonHelpVisible != 0;
}

QL_ENTRY void AppBalloonHelpVisibleSetter(RuntimeObject* o, uint32_t, bool visible) {
  if (ApplicationObject* app = ApplicationReceiver(o)) app->balloonHelpVisible = visible ? 1 : 0;
}

// The image carries no version of the application: every part reads 0.
QL_ENTRY int32_t AppIntegerVersionStuffGetter(RuntimeObject* o, uint32_t) {
  ApplicationReceiver(o);
  return 0;
}

// ... and every version text is empty.
QL_ENTRY RuntimeString* AppStringVersionStuffGetter(RuntimeObject* o, uint32_t) {
  ApplicationReceiver(o);
  return nullptr;
}

// There is no dock on Windows.
QL_ENTRY RuntimeObject* AppDockItemGetter(RuntimeObject* o, uint32_t) {
  ApplicationReceiver(o);
  return nullptr;
}

QL_ENTRY void ApplicationAddMenuHandler(RuntimeObject* o, RuntimeString* name, RuntimeObject* handler) {
  if (!QL_CHECK(o != nullptr, "application", __LINE__, "self") ||
      !QL_CHECK(name != nullptr, "application", __LINE__, "name"))
    return;
  ApplicationObject* app = ApplicationReceiver(o);
  if (!app || !handler) return;
  if (!app->menuHandlers) app->menuHandlers = new StringMap<RuntimeObject>;
  RuntimeLockObject(handler);
  RuntimeUnlockObject(app->menuHandlers->Set(name, handler));
}

// Stand-ins for the MenuBar accessors until the menu layer, which installs
// menu bars, defines them: they store the menu bar (one reference) and
// return it. Weak, so that the menu layer's definitions replace them at link
// time; they sit in this file because an archive member holding only weak
// definitions would never be linked in.
QL_ENTRY __attribute__((weak)) RuntimeObject* AppMenuBarGetter(RuntimeObject* o, uint32_t) {
  ApplicationObject* app = ApplicationReceiver(o);
  if (!app) return nullptr;
  RuntimeLockObject(app->menuBar);
  return app->menuBar;
}

QL_ENTRY __attribute__((weak)) void AppMenuBarSetter(RuntimeObject* o, uint32_t, RuntimeObject* menuBar) {
  ApplicationObject* app = ApplicationReceiver(o);
  if (!app || app->menuBar == menuBar) return;
  RuntimeLockObject(menuBar);
  RuntimeUnlockObject(std::exchange(app->menuBar, menuBar));
}
