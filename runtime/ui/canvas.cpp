// Class Canvas: its tables and accessors.
#include "ui/canvas.h"

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "ui/canvas_pane.h"
#include "ui/control_fields.h"

namespace ql::ui {
namespace {

CanvasPane* PaneOf(CanvasObject* c) { return static_cast<CanvasPane*>(c->control.pane); }

void DestroyCanvas(RuntimeObject* o) {
  CanvasObject* c = AsCanvas(o);
  RuntimeUnlockObject(c->backdrop);
  c->backdrop = nullptr;
}

void CreateCanvasPane(RuntimeObject* o) { CanvasPane::Create(AsCanvas(o)); }

const PropertyEntry kProperties[] = {
    ReadOnlyProperty("Graphics", TypeOf(intrinsic::Graphics), QL_LINK(canvasGraphicsGetter)),
    Property("Backdrop", TypeOf(intrinsic::Picture), QL_LINK(objGetter), QL_LINK(canvasBackdropSetter),
             offsetof(CanvasObject, backdrop)),
    Property("AcceptFocus", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(CanvasObject, acceptFocus)),
    Property("AcceptTabs", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(CanvasObject, acceptTabs)),
    Property("UseFocusRing", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(CanvasObject, useFocusRing)),
};

const EventDeclarationEntry kEvents[] = {
    Event("Paint", "g As Graphics"),
    Event("GotFocus"),
    Event("LostFocus"),
    Event("KeyDown", "Key As String", "Boolean"),
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseDrag", "X As Integer, Y As Integer"),
    Event("MouseUp", "X As Integer, Y As Integer"),
    Event("EnableMenuItems"),
};

const ParameterEntry kScrollParameters[] = {
    Parameter("dx", types::Integer),    Parameter("dy", types::Integer),     Parameter("x", types::Integer),
    Parameter("y", types::Integer),     Parameter("width", types::Integer),  Parameter("height", types::Integer),
    Parameter("moveControls", types::Boolean),
};

const MethodEntry kMethods[] = {
    Method("Scroll", QL_LINK(canvasScroll), nullptr, kScrollParameters),
};

const EventImplementation kHandlers[] = {Handles("CreatePane", CreateCanvasPane)};

}  // namespace
}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription CanvasDescription{
    .name = "Canvas",
    .super = &RectControl,
    .instanceSize = sizeof(ui::CanvasObject),
    .destroyHook = ui::DestroyCanvas,
    .events = ui::kEvents,
    .properties = ui::kProperties,
    .methods = ui::kMethods,
    .eventHandlers = ui::kHandlers,
};
ObjectDefinition Canvas(CanvasDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

// A Graphics object exists only while Paint runs (its argument).
QL_ENTRY RuntimeObject* canvasGraphicsGetter(RuntimeObject* o, uint32_t) {
  FieldsOf<CanvasObject>(o);
  return nullptr;
}

QL_ENTRY void canvasBackdropSetter(RuntimeObject* o, uint32_t, RuntimeObject* picture) {
  CanvasObject* c = FieldsOf<CanvasObject>(o);
  if (!c) return;
  RuntimeLockUnlockObjects(picture, c->backdrop);
  c->backdrop = picture;
  if (CanvasPane* pane = PaneOf(c)) pane->Repaint();
}

// The canvas's content is the application's Paint: scrolling repaints it
// (its own controls are not moved).
QL_ENTRY void canvasScroll(RuntimeObject* o, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool) {
  CanvasObject* c = FieldsOf<CanvasObject>(o);
  if (CanvasPane* pane = c ? PaneOf(c) : nullptr) pane->Repaint();
}
