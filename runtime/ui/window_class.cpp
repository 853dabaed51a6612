// The intrinsic class Window: its table (events in slot order, properties in
// index order, methods) and its destroy hook.
#include <stddef.h>

#include <utility>

#include "core/assertion.h"
#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/menus.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/menu_hooks.h"
#include "ui/window.h"

namespace ql::ui {
namespace {

// A window dies only when closed (its view holds it while open); the
// controls its table still lists are the ones referenced elsewhere, and
// they forget the window.
void DestroyWindowObject(RuntimeObject* o) {
  WindowObject* w = AsWindow(o);
  ReleaseString(std::exchange(w->title, nullptr));
  ReleaseString(std::exchange(w->balloonHelp, nullptr));
  ReleaseString(std::exchange(w->floaterProcess, nullptr));
  RuntimeUnlockObject(std::exchange(w->backdrop, nullptr));
  RuntimeUnlockObject(std::exchange(w->mouseCursor, nullptr));
  RuntimeUnlockObject(std::exchange(w->menuBar, nullptr));
  if (StringMap<RuntimeObject>* controls = std::exchange(w->controls, nullptr)) {
    controls->ForEach([&](RuntimeString*, RuntimeObject* c) {
      if (IsControl(c) && AsControl(c)->window == o) {
        AsControl(c)->window = nullptr;
        AsControl(c)->windowView = nullptr;
      }
    });
    delete controls;
  }
  ReleaseMenuHandlerTable(&w->menuHandlers);
}

const EventDeclarationEntry kEvents[] = {
    Event("Layout"),
    Event("CreateControls"),
    Event("SetupBindings"),
    Event("Open"),
    Event("Close"),
    Event("CancelClose", "", "Boolean"),
    Event("KeyDown", "Key As String", "Boolean"),
    Event("MouseMove", "X As Integer, Y As Integer"),
    Event("MouseEnter"),
    Event("MouseExit"),
    Event("Paint", "g As Graphics"),
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseDrag", "X As Integer, Y As Integer"),
    Event("MouseUp", "X As Integer, Y As Integer"),
    Event("EnableMenuItems"),
    Event("Resized"),
    Event("Resizing"),
    Event("Moved"),
    Event("DropObject", "obj As DragItem"),
    Event("Activate"),
    Event("Deactivate"),
};
static_assert(sizeof kEvents / sizeof kEvents[0] == kWindowEventCount);

const PropertyEntry kProperties[] = {
    Property("Visible", types::Boolean, QL_LINK(WindowVisibleGetter), QL_LINK(WindowVisibleSetter)),
    Property("Left", types::Integer, QL_LINK(windowPosGetter), QL_LINK(windowPosSetter), 0),
    Property("Top", types::Integer, QL_LINK(windowPosGetter), QL_LINK(windowPosSetter), 1),
    Property("Width", types::Integer, QL_LINK(windowPosGetter), QL_LINK(windowPosSetter), 2),
    Property("Height", types::Integer, QL_LINK(windowPosGetter), QL_LINK(windowPosSetter), 3),
    Property("Placement", types::Integer, QL_LINK(windowPlacementGetter), QL_LINK(windowPlacementSetter)),
    Property("Title", types::String, QL_LINK(windowTitleGetter), QL_LINK(windowTitleSetter)),
    Property("FullScreen", types::Boolean, QL_LINK(windowFullScreenGetter), QL_LINK(windowFullScreenSetter)),
    Property("MenuBarVisible", types::Boolean, QL_LINK(windowMenusVisibleGetter), QL_LINK(windowMenusVisibleSetter)),
    Property("CloseBox", types::Boolean, QL_LINK(windowCloseBoxGetter), QL_LINK(windowCloseBoxSetter)),
    Property("GrowIcon", types::Boolean, QL_LINK(windowGrowIconGetter), QL_LINK(windowGrowIconSetter)),
    Property("ZoomIcon", types::Boolean, QL_LINK(windowZoomIconGetter), QL_LINK(windowZoomIconSetter)),
    Property("Frame", types::Integer, QL_LINK(windowFrameGetter), QL_LINK(windowFrameSetter)),
    Property("Composite", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter), offsetof(WindowObject, composite)),
    Property("LiveResize", types::Boolean, QL_LINK(windowLiveResizeGetter), QL_LINK(windowLiveResizeSetter)),
    Property("Backdrop", TypeOf(intrinsic::Picture), QL_LINK(windowBackdropGetter), QL_LINK(windowBackdropSetter)),
    ReadOnlyProperty("Graphics", TypeOf(intrinsic::Graphics), QL_LINK(windowGraphicsGetter)),
    Property("HasBackColor", types::Boolean, QL_LINK(windowHasBackColorGetter), QL_LINK(windowHasBackColorSetter)),
    Property("BackColor", types::Color, QL_LINK(windowBackColorGetter), QL_LINK(windowBackColorSetter)),
    Property("BalloonHelp", types::String, QL_LINK(stringGetter), QL_LINK(windowBalloonHelpSetter),
             offsetof(WindowObject, balloonHelp)),
    Property("MinWidth", types::Integer, QL_LINK(shortGetter), QL_LINK(shortSetter), offsetof(WindowObject, minWidth)),
    Property("MinHeight", types::Integer, QL_LINK(shortGetter), QL_LINK(shortSetter),
             offsetof(WindowObject, minHeight)),
    Property("MaxWidth", types::Integer, QL_LINK(shortGetter), QL_LINK(shortSetter), offsetof(WindowObject, maxWidth)),
    Property("MaxHeight", types::Integer, QL_LINK(shortGetter), QL_LINK(shortSetter),
             offsetof(WindowObject, maxHeight)),
    Property("MacProcId", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter), offsetof(WindowObject, macProcId)),
    Property("MouseCursor", TypeOf(intrinsic::MouseCursor), QL_LINK(objGetter), QL_LINK(formMouseCursorSetter),
             offsetof(WindowObject, mouseCursor)),
    ReadOnlyProperty("ControlCount", types::Integer, QL_LINK(windowControlCountGetter)),
    Property("FloaterProcess", types::String, QL_LINK(stringGetter), QL_LINK(stringSetter),
             offsetof(WindowObject, floaterProcess)),
    ReadOnlyProperty("MouseX", types::Integer, QL_LINK(windowMouseXGetter)),
    ReadOnlyProperty("MouseY", types::Integer, QL_LINK(windowMouseYGetter)),
    ReadOnlyProperty("MacWindowPtr", types::Integer, QL_LINK(windowWindowPtrGetter)),
    ReadOnlyProperty("WinHWND", types::Integer, QL_LINK(windowHWNDGetter)),
    ReadOnlyProperty("DockItem", TypeOf(intrinsic::DockItem), QL_LINK(WindowDockItemGetter)),
    Property("MenuBar", TypeOf(intrinsic::MenuBar), QL_LINK(WindowMenuBarGetter), QL_LINK(WindowMenuBarSetter)),
};
static_assert(sizeof kProperties / sizeof kProperties[0] == 34);

const ParameterEntry kShowWithinParameters[] = {Parameter("parentWindow", TypeOf(intrinsic::Window)),
                                                Parameter("facing", types::Integer)};
const ParameterEntry kParentWindowParameters[] = {Parameter("parentWindow", TypeOf(intrinsic::Window))};
const ParameterEntry kRectParameters[] = {Parameter("x", types::Integer), Parameter("y", types::Integer),
                                          Parameter("width", types::Integer), Parameter("height", types::Integer)};
const ParameterEntry kTypeParameters[] = {Parameter("type", types::String)};
const ParameterEntry kIndexParameters[] = {Parameter("Index", types::Integer)};
const ParameterEntry kKeyParameters[] = {Parameter("str", types::String)};
const ParameterEntry kArrayItemParameters[] = {Parameter("name", types::String), Parameter("index", types::Integer)};
const ParameterEntry kDrawIntoParameters[] = {Parameter("g", TypeOf(intrinsic::Graphics)),
                                              Parameter("x", types::Integer), Parameter("y", types::Integer)};
const ParameterEntry kAddControlParameters[] = {Parameter("obj", TypeOf(intrinsic::Object))};
const ParameterEntry kAddMenuHandlerParameters[] = {Parameter("name", types::String),
                                                    Parameter("handler", TypeOf(intrinsic::MenuHandler))};

const MethodEntry kMethods[] = {
    Method("Show", QL_LINK(RuntimeShowWindow)),
    Method("ShowWithin", QL_LINK(RuntimeShowWithinWindow), nullptr, kShowWithinParameters),
    Method("ShowModalWithin", QL_LINK(RuntimeShowModalWithinWindow), nullptr, kParentWindowParameters),
    Method("Hide", QL_LINK(RuntimeHideWindow)),
    Method("Close", QL_LINK(RuntimeCloseWindow)),
    Method("Refresh", QL_LINK(formRefresh)),
    Method("RefreshRect", QL_LINK(formRefreshRect), nullptr, kRectParameters),
    Method("ShowModal", QL_LINK(RuntimeShowModal)),
    Method("NewDragItem", QL_LINK(formNewDragItem), TypeOf(intrinsic::DragItem), kRectParameters),
    Method("AcceptTextDrop", QL_LINK(formAcceptTextDrop)),
    Method("AcceptPictureDrop", QL_LINK(formAcceptPictureDrop)),
    Method("AcceptFileDrop", QL_LINK(formAcceptFileDrop), nullptr, kTypeParameters),
    Method("AcceptMacDataDrop", QL_LINK(formAcceptMacDataDrop), nullptr, kTypeParameters),
    Method("Control", QL_LINK(windowControl), TypeOf(intrinsic::Control), kIndexParameters),
    Method("Control", QL_LINK(RuntimeControlReference), TypeOf(intrinsic::Control), kKeyParameters),
    Method("Control", QL_LINK(RuntimeControlArrayItemReference), TypeOf(intrinsic::Control), kArrayItemParameters),
    Method("SetFocus", QL_LINK(formSetFocus)),
    Method("DrawInto", QL_LINK(formDrawInto), nullptr, kDrawIntoParameters),
    Method("UpdateNow", QL_LINK(WindowForceUpdateFrontBuffer)),
    Method("_AddControl", QL_LINK(WindowAddControl), nullptr, kAddControlParameters),
    Method("_AddMenuHandler", QL_LINK(WindowAddMenuHandler), nullptr, kAddMenuHandlerParameters),
    Method("Window", QL_LINK(WindowDefaultConstructor)),
};

}  // namespace
}  // namespace ql::ui

namespace ql::intrinsic {

const ClassDescription WindowDescription{
    .name = "Window",
    .instanceSize = sizeof(ui::WindowObject),
    .initHook = ui::RuntimeCreateWindow,
    .destroyHook = ui::DestroyWindowObject,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .methods = ui::kMethods,
};
ObjectDefinition Window(WindowDescription);

}  // namespace ql::intrinsic

// Stand-ins for the window's MenuBar accessors until the menu layer, which
// owns menu bars, defines them: they store the menu bar (one reference),
// return it, and ask the menus hook to put an open window's menu on its
// native window. Weak, so the menu layer's definitions replace them at link
// time; here in the class's own file, so the linker always sees them.
using namespace ql;
using namespace ql::ui;

QL_ENTRY __attribute__((weak)) RuntimeObject* WindowMenuBarGetter(RuntimeObject* window, uint32_t) {
  if (!QL_CHECK(window != nullptr, "runctl", 1510, "window")) return nullptr;
  RuntimeObject* menuBar = AsWindow(window)->menuBar;
  RuntimeLockObject(menuBar);
  return menuBar;
}

QL_ENTRY __attribute__((weak)) void WindowMenuBarSetter(RuntimeObject* window, uint32_t, RuntimeObject* menuBar) {
  if (!QL_CHECK(window != nullptr, "runctl", 1520, "window") ||
      !QL_CHECK(menuBar != nullptr, "runctl", 1521, "newMenuBar"))
    return;
  WindowObject* w = AsWindow(window);
  if (w->menuBar == menuBar) return;
  RuntimeLockObject(menuBar);
  RuntimeUnlockObject(std::exchange(w->menuBar, menuBar));
  if (w->view && CurrentMenuHooks().attachMenuBar) CurrentMenuHooks().attachMenuBar(window);
}
