// How a control kind plugs into the framework, and the window services every
// control kind uses.
//
// A control kind's class handles the hidden event CreatePane:
//
//   void CreatePushButtonPane(RuntimeObject* control) {
//     ControlObject* c = AsControl(control);
//     auto* pane = new PushButtonPane;                       // a Pane subclass
//     pane->CreatePaneWindow(ControlView(control), nullptr, c->bounds,
//                            {.className = "BUTTON", .text = caption, .style = 0});
//     pane->SetFont(AcquireControlFont({face, size, bold, italic, underline}));
//     InstallControlPane(control, pane, &kPushButtonSlots);
//   }
//
// and lists Handles("CreatePane", CreatePushButtonPane) in its class
// description. The framework fires CreatePane when the window's panes are
// built (or when a control joins a built window) and then applies the tab
// page, Visible, Enabled, the containers' state, the tool tips and
// AutoDeactivate (BuildControlPane below).
#pragma once

#include "quillon/abi.h"
#include "ui/control_object.h"
#include "ui/pane.h"
#include "ui/view_window.h"

namespace ql::ui {

// --- Control references ---
// The control's window view (nil while its window is closed or when it
// belongs to no window).
RuntimeViewWindow* ControlView(RuntimeObject* control);
// The Window it belongs to, without a new reference, or nil.
RuntimeObject* ControlWindow(RuntimeObject* control);
// Its pane, or nil while it has none.
Pane* ControlPane(RuntimeObject* control);
// The control whose pane is `pane`, or nil.
RuntimeObject* PaneControl(const Pane* pane);

// --- Plugging in ---
// From a kind's CreatePane: stores `pane` as the control's pane, attaches
// its event sink with the kind's event slots (nil: the control has none of
// those events) and, when Parent already has a pane, moves the new pane
// under it.
void InstallControlPane(RuntimeObject* control, Pane* pane, const ControlEventSlots* slots);
// The framework's pass: fires CreatePane; when a pane was stored, gives it
// the control's tab page, hides or disables it as Visible and Enabled say,
// follows the containers it lies in, installs the tool tips and the help
// tag and copies AutoDeactivate.
void BuildControlPane(RuntimeObject* control);
// The pane goes (window closing, ControlClose): focus given up, sink
// detached, pane and the panes below it destroyed; control->pane cleared.
void DestroyControlPane(RuntimeObject* control);

// --- Window services ---
// Redraws the control now when it and its pane are visible and enabled
// (Refresh).
void RedrawControl(RuntimeObject* control);
// Invalidates a rectangle of the control (control coordinates) and updates.
void RedrawControlRect(RuntimeObject* control, int32_t x, int32_t y, int32_t width, int32_t height);
// Every Control of the window whose pane lies inside `container` (any
// depth), in control-table order; f(RuntimeObject* control). f must not
// change the control table (fire no events).
template <class F>
void ForEachControlInside(RuntimeObject* window, const Pane* container, F&& f);
// The window's control table, in table order; f(RuntimeObject* object) for
// every entry (controls and other _PaneChild objects); f must not change
// the table.
template <class F>
void ForEachTableEntry(RuntimeObject* window, F&& f);
// The object is a Control (of any kind).
bool IsControl(const RuntimeObject* object);

// --- Implementation of the templates ---
template <class F>
void ForEachTableEntry(RuntimeObject* window, F&& f) {
  WindowObject* w = window ? AsWindow(window) : nullptr;
  if (!w || !w->controls) return;
  w->controls->ForEach([&](RuntimeString*, RuntimeObject* o) { f(o); });
}

template <class F>
void ForEachControlInside(RuntimeObject* window, const Pane* container, F&& f) {
  if (!container) return;
  ForEachTableEntry(window, [&](RuntimeObject* o) {
    if (!IsControl(o)) return;
    Pane* p = ControlPane(o);
    if (p && p != container && container->Contains(p)) f(o);
  });
}

}  // namespace ql::ui
