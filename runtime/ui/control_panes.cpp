#include "ui/control_panes.h"

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"
#include "ui/events.h"

namespace ql::ui {

bool IsControl(const RuntimeObject* object) {
  return object && object->cls && ClassDescendsFrom(object->cls, ClassOf(intrinsic::Control));
}

RuntimeViewWindow* ControlView(RuntimeObject* control) {
  if (!IsControl(control)) return nullptr;
  RuntimeObject* window = AsControl(control)->window;
  return window ? AsWindow(window)->view : nullptr;
}

RuntimeObject* ControlWindow(RuntimeObject* control) {
  return IsControl(control) ? AsControl(control)->window : nullptr;
}

Pane* ControlPane(RuntimeObject* control) { return IsControl(control) ? AsControl(control)->pane : nullptr; }

RuntimeObject* PaneControl(const Pane* pane) { return pane ? pane->Control() : nullptr; }

void InstallControlPane(RuntimeObject* control, Pane* pane, const ControlEventSlots* slots) {
  if (!IsControl(control) || !pane) return;
  ControlObject* c = AsControl(control);
  c->pane = pane;
  pane->AttachSink(new EventSink(control, slots));
  if (Pane* parent = ControlPane(c->parent)) pane->MoveUnder(parent);
}

void BuildControlPane(RuntimeObject* control) {
  if (!IsControl(control)) return;
  FireEvent(control, ControlEvent::CreatePane);
  ControlObject* c = AsControl(control);
  Pane* pane = c->pane;
  if (!pane) return;
  pane->SetTabPage(c->tabPanelIndex);
  if (!c->visible) pane->SetVisible(false);
  if (!c->enabled) pane->SetEnabled(false);
  ForEachTableEntry(c->window, [&](RuntimeObject* o) {
    if (!IsControl(o) || o == control) return;
    Pane* container = AsControl(o)->pane;
    if (!container || !container->Contains(pane)) return;
    if (!AsControl(o)->enabled && c->enabled) pane->SetEnabled(false);
    if (!AsControl(o)->visible && c->visible) pane->SetVisible(false);
  });
  pane->SetToolTips(c->balloonHelp, c->disabledBalloonHelp);
  pane->SetHelpTag(c->helpTag);
  pane->SetAutoDeactivate(c->autoDeactivate);
  if (!pane->Sink()) pane->AttachSink(new EventSink(control, nullptr));
}

void DestroyControlPane(RuntimeObject* control) {
  Pane* pane = ControlPane(control);
  if (!pane) return;
  AsControl(control)->pane = nullptr;
  pane->Close();
}

void RedrawControl(RuntimeObject* control) {
  Pane* pane = ControlPane(control);
  if (!pane || !AsControl(control)->visible || !pane->Showing() || !pane->Enabled()) return;
  if (pane->NativeHandle()) {
    native::Invalidate(pane->NativeHandle(), nullptr, true);
    native::UpdateNow(pane->NativeHandle());
  } else if (pane->Root()) {
    const Rect16 r = pane->Bounds();
    const native::Box box{r.left, r.top, r.right, r.bottom};
    native::Invalidate(pane->Root()->NativeHandle(), &box, true);
    native::UpdateNow(pane->Root()->NativeHandle());
  }
}

void RedrawControlRect(RuntimeObject* control, int32_t x, int32_t y, int32_t width, int32_t height) {
  Pane* pane = ControlPane(control);
  if (!pane || !pane->Root()) return;
  if (pane->NativeHandle()) {
    const native::Box box{x, y, x + width, y + height};
    native::Invalidate(pane->NativeHandle(), &box, true);
    native::UpdateNow(pane->NativeHandle());
    return;
  }
  const native::Box box{pane->OffsetX() + x, pane->OffsetY() + y, pane->OffsetX() + x + width,
                        pane->OffsetY() + y + height};
  native::Invalidate(pane->Root()->NativeHandle(), &box, true);
  native::UpdateNow(pane->Root()->NativeHandle());
}

}  // namespace ql::ui
