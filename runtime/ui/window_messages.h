// A window's messages as typed calls: the native window procedure decodes
// wParam and lParam once and calls one of these; they turn the message into
// the window's and its controls' events. Portable, so that the rules are
// tested natively; the Win32 procedure is ui/win32/view_procedure_win32.cpp.
#pragma once

#include <stdint.h>

#include "ui/native.h"
#include "ui/pane.h"
#include "ui/view_window.h"
#include "ui/window_geometry.h"

namespace ql::ui {

// WM_ACTIVATE: active or not.
void OnActivate(RuntimeViewWindow* view, bool active);
// WM_ACTIVATEAPP.
void OnActivateApp(RuntimeViewWindow* view, bool active);
// WM_MOVE.
void OnMove(RuntimeViewWindow* view);
// WM_SIZE; `minimized` for SIZE_MINIMIZED (the bounds are not read back).
void OnSize(RuntimeViewWindow* view, bool minimized);
// WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE; WM_SYSCOMMAND SC_MAXIMIZE / SC_RESTORE.
void OnEnterSizeMove(RuntimeViewWindow* view);
void OnExitSizeMove(RuntimeViewWindow* view);
void OnMaximizeOrRestore(RuntimeViewWindow* view);
// WM_SIZING: clamps the dragged rectangle (screen coordinates).
void OnSizing(RuntimeViewWindow* view, SizingEdge edge, native::Box* rect);
// WM_GETMINMAXINFO: the smallest and largest window sizes for the limits;
// false when the window has none.
bool OnMinMaxInfo(RuntimeViewWindow* view, native::Point* minTrack, native::Point* maxTrack);
// WM_PAINT: the backdrop, then Paint(g).
void OnPaint(RuntimeViewWindow* view, void* deviceContext, const Rect16& update);
// WM_ERASEBKGND: the colour to fill the client area with (0x00BBGGRR), or
// -1 for the system's button face.
int64_t BackgroundFill(RuntimeViewWindow* view);
// WM_CLOSE: CancelClose, then the close sequence.
void OnClose(RuntimeViewWindow* view);
// WM_COMMAND without a control: the menu command; true when handled.
bool OnMenuCommand(RuntimeViewWindow* view, uint32_t commandId);
// WM_INITMENU.
void OnInitMenu(RuntimeViewWindow* view);
// WM_QUERYENDSESSION: whether the application agrees to end.
bool OnQueryEndSession();

// Mouse, window client coordinates. A press goes to the topmost pane that
// handles it, else to the window's MouseDown; a handled press tracks the
// mouse (drags, then the release).
void OnMouseDown(RuntimeViewWindow* view, const MouseEvent& event);
void OnMouseUp(RuntimeViewWindow* view, const MouseEvent& event);
void OnMouseMove(RuntimeViewWindow* view, const MouseEvent& event);
// The pointer left the window.
void OnMouseLeave(RuntimeViewWindow* view);
// While the mouse is tracked: the cursor's position now; a released
// button ends the tracking with MouseUp.
void TrackMouse(RuntimeViewWindow* view, native::Point screen, bool buttonDown);
// The cursor object (a MouseCursor) for the point: the control's under it,
// else the window's; nil for the arrow.
RuntimeObject* CursorAt(RuntimeViewWindow* view, int32_t x, int32_t y);

// WM_MOUSEACTIVATE: false when the click must not activate the window
// (another window of the dialog list is showing).
bool MayActivateByMouse(RuntimeViewWindow* view);

}  // namespace ql::ui
