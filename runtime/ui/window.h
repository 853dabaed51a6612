// The object side of windows: creation in its fixed order, controls and menu
// handlers entering the window, implicit instances, showing, geometry and
// the close sequence. The exported operations are the entry points of
// quillon/entrypoints/windows.h; this header adds what the rest of the
// window layer calls.
#pragma once

#include <stdint.h>

#include "core/array.h"
#include "core/stringmap.h"
#include "quillon/abi.h"
#include "ui/view_window.h"
#include "ui/window_object.h"

namespace ql::ui {

// The initialisation hook of class Window: Layout, the placement, the
// tables, the view with CreateControls, the controls' _Layout and panes,
// SetupBindings, the page pass.
void RuntimeCreateWindow(RuntimeObject* window);

// The receiver of a Window entry point; nil raises NilObjectException.
WindowObject* WindowReceiver(RuntimeObject* window);

// Fires an event of a window or control; before the main loop runs, inside
// the loop's exception guard.
void FireGuarded(RuntimeObject* object, int32_t slot);

// CancelClose: true when the window keeps itself open.
bool WindowCancelsClose(RuntimeObject* window);
// The close sequence (without CancelClose): the controls' and the window's
// Close events while the panes exist, the implicit instance, the tables,
// the view.
void CloseWindowView(RuntimeObject* window);

// Closing the implicit instance of its class removes the entry, so the next
// reference by class name opens a new window.
void ForgetImplicitInstance(RuntimeObject* window);

// Releases every handler of a menu-handler table and deletes it.
void ReleaseMenuHandlerTable(StringMap<RuntimeObject>** table);

// The idle pass of the main loop: pending geometry applied, windows marked
// shown made visible.
void RunIdlePass();
// The view's pending geometry applied now.
void ApplyPendingGeometry(RuntimeViewWindow* view);

// Bounds read back from the native window (its client area on the screen,
// or in the MDI client for an MDI child).
void ReadBoundsBack(RuntimeViewWindow* view);
// The window's size changed (after ReadBoundsBack): the locked controls move by
// the change against the reference bounds, which then take the new bounds.
void MoveLockedControls(RuntimeObject* window);

// Every object of the control table as it was when the walk began, in
// table order, each held while `f` runs, so that `f` may fire events that
// change the table. With WhileClosing::Stop the walk ends once the window's
// view is closing (a handler closed the window).
enum class WhileClosing { Continue, Stop };
template <class F>
void ForEachTableObject(RuntimeObject* window, WhileClosing whileClosing, F&& f);

// --- Implementation of the template ---

void SnapshotControlTable(RuntimeObject* window, Array<RuntimeObject*>* out);  // each locked
void ReleaseSnapshot(Array<RuntimeObject*>* snapshot);
bool ViewClosing(RuntimeObject* window);

template <class F>
void ForEachTableObject(RuntimeObject* window, WhileClosing whileClosing, F&& f) {
  Array<RuntimeObject*> snapshot;
  SnapshotControlTable(window, &snapshot);
  for (RuntimeObject* o : snapshot) {
    if (whileClosing == WhileClosing::Stop && ViewClosing(window)) break;
    f(o);
  }
  ReleaseSnapshot(&snapshot);
}

}  // namespace ql::ui
