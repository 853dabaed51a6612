// The intrinsic classes Control and RectControl: their tables and the
// destroy hook every control runs.
#include <stddef.h>

#include <utility>

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_panes.h"
#include "ui/window.h"

namespace ql::ui {
namespace {

// A control that dies leaves its window's table (if the table still lists
// it: a closed window keeps the entries of controls referenced elsewhere)
// and gives back what it holds.
void DestroyControl(RuntimeObject* o) {
  ControlObject* c = AsControl(o);
  if (c->pane) DestroyControlPane(o);
  if (RuntimeObject* window = std::exchange(c->window, nullptr)) {
    StringMap<RuntimeObject>* table = AsWindow(window)->controls;
    if (table) {
      RuntimeString* key = nullptr;
      table->ForEach([&](RuntimeString* k, RuntimeObject* v) {
        if (v == o && !key) key = k;
      });
      if (key) {
        String keep = String::Retain(key);
        table->Remove(keep.get());
      }
    }
  }
  c->windowView = nullptr;
  ReleaseString(std::exchange(c->name, nullptr));
  ReleaseString(std::exchange(c->balloonHelp, nullptr));
  ReleaseString(std::exchange(c->disabledBalloonHelp, nullptr));
  ReleaseString(std::exchange(c->helpTag, nullptr));
  RuntimeUnlockObject(std::exchange(c->mouseCursor, nullptr));
  RuntimeUnlockObject(std::exchange(c->parent, nullptr));
  ReleaseMenuHandlerTable(&c->menuHandlers);
}

const EventDeclarationEntry kControlEvents[] = {
    Event("CreatePane"),
    Event("Open"),
    Event("Close"),
};

const PropertyEntry kControlProperties[] = {
    Property("Name", types::String, QL_LINK(stringGetter), QL_LINK(stringSetter), offsetof(ControlObject, name)),
    Property("Index", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter), offsetof(ControlObject, index)),
    Property("TabPanelIndex", types::Integer, QL_LINK(intGetter), QL_LINK(ControlTabPanelIndexSetter),
             offsetof(ControlObject, tabPanelIndex)),
    ReadOnlyProperty("MouseX", types::Integer, QL_LINK(controlMouseXGetter)),
    ReadOnlyProperty("MouseY", types::Integer, QL_LINK(controlMouseYGetter)),
    ReadOnlyProperty("Window", TypeOf(intrinsic::Window), QL_LINK(controlWindowGetter)),
    ReadOnlyProperty("Handle", types::Integer, QL_LINK(controlMacControlHandleGetter)),
};

const MethodEntry kControlMethods[] = {
    Method("Close", QL_LINK(ControlClose)),
};

const EventDeclarationEntry kRectControlEvents[] = {
    Event("MouseMove", "X As Integer, Y As Integer"),
    Event("MouseEnter"),
    Event("MouseExit"),
    Event("DropObject", "obj As DragItem"),
};

const PropertyEntry kRectControlProperties[] = {
    Property("HelpTag", types::String, QL_LINK(stringGetter), QL_LINK(controlHelpTagSetter),
             offsetof(ControlObject, helpTag)),
    Property("BalloonHelp", types::String, QL_LINK(stringGetter), QL_LINK(controlBalloonHelpSetter),
             offsetof(ControlObject, balloonHelp)),
    Property("DisabledBalloonHelp", types::String, QL_LINK(stringGetter), QL_LINK(controlDisabledBalloonHelpSetter),
             offsetof(ControlObject, disabledBalloonHelp)),
    Property("MouseCursor", TypeOf(intrinsic::MouseCursor), QL_LINK(objGetter), QL_LINK(controlMouseCursorSetter),
             offsetof(ControlObject, mouseCursor)),
    Property("Visible", types::Boolean, QL_LINK(controlVisibleGetter), QL_LINK(ControlVisibleSetter)),
    Property("Left", types::Integer, QL_LINK(ctlPosGetter), QL_LINK(ctlPosSetter), 0),
    Property("Top", types::Integer, QL_LINK(ctlPosGetter), QL_LINK(ctlPosSetter), 1),
    Property("Width", types::Integer, QL_LINK(ctlPosGetter), QL_LINK(ctlPosSetter), 2),
    Property("Height", types::Integer, QL_LINK(ctlPosGetter), QL_LINK(ctlPosSetter), 3),
    Property("Enabled", types::Boolean, QL_LINK(controlEnabledGetter), QL_LINK(controlEnabledSetter)),
    ReadOnlyProperty("Active", types::Boolean, QL_LINK(controlActiveGetter)),
    Property("AutoDeactivate", types::Boolean, QL_LINK(controlAutoDeactivateGetter),
             QL_LINK(controlAutoDeactivateSetter)),
    Property("LockLeft", types::Boolean, QL_LINK(controlLockLeftGetter), QL_LINK(controlLockLeftSetter)),
    Property("LockTop", types::Boolean, QL_LINK(controlLockTopGetter), QL_LINK(controlLockTopSetter)),
    Property("LockRight", types::Boolean, QL_LINK(controlLockRightGetter), QL_LINK(controlLockRightSetter)),
    Property("LockBottom", types::Boolean, QL_LINK(controlLockBottomGetter), QL_LINK(controlLockBottomSetter)),
    Property("Parent", TypeOf(intrinsic::Control), QL_LINK(ControlParentGetter), QL_LINK(ControlParentSetter)),
    WriteOnlyProperty("InitialParent", types::String, QL_LINK(ControlInitialParentSetter)),
};
static_assert(sizeof kControlProperties / sizeof kControlProperties[0] +
                  sizeof kRectControlProperties / sizeof kRectControlProperties[0] ==
              25);

const ParameterEntry kRectParameters[] = {Parameter("x", types::Integer), Parameter("y", types::Integer),
                                          Parameter("width", types::Integer), Parameter("height", types::Integer)};
const ParameterEntry kTypeParameters[] = {Parameter("type", types::String)};
const ParameterEntry kAddMenuHandlerParameters[] = {Parameter("name", types::String),
                                                    Parameter("handler", TypeOf(intrinsic::MenuHandler))};

const MethodEntry kRectControlMethods[] = {
    Method("Refresh", QL_LINK(RuntimeControlRefresh)),
    Method("RefreshRect", QL_LINK(RuntimeControlRefreshRect), nullptr, kRectParameters),
    Method("SetFocus", QL_LINK(RuntimeSetFocus)),
    Method("AcceptTextDrop", kNoLink),
    Method("AcceptPictureDrop", kNoLink),
    Method("AcceptFileDrop", kNoLink, nullptr, kTypeParameters),
    Method("AcceptMacDataDrop", kNoLink, nullptr, kTypeParameters),
    Method("NewDragItem", QL_LINK(controlNewDragItem), TypeOf(intrinsic::DragItem), kRectParameters),
    Method("_AddMenuHandler", QL_LINK(ControlAddMenuHandler), nullptr, kAddMenuHandlerParameters),
    Method("RectControl", QL_LINK(RectControlDefaultConstructor)),
};

}  // namespace
}  // namespace ql::ui

namespace ql::intrinsic {

const ClassDescription ControlDescription{
    .name = "Control",
    .instanceSize = sizeof(ui::ControlObject),
    .destroyHook = ui::DestroyControl,
    .events = ui::kControlEvents,
    .properties = ui::kControlProperties,
    .methods = ui::kControlMethods,
};
ObjectDefinition Control(ControlDescription);

const ClassDescription RectControlDescription{
    .name = "RectControl",
    .super = &Control,
    .instanceSize = sizeof(ui::ControlObject),
    .events = ui::kRectControlEvents,
    .properties = ui::kRectControlProperties,
    .methods = ui::kRectControlMethods,
};
ObjectDefinition RectControl(RectControlDescription);

}  // namespace ql::intrinsic
