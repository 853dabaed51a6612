// The window procedures of views ("QLWindow"), drawn panes ("QL_Pane",
// "QL_CanvasPane") and subclassed standard controls: each decodes wParam
// and lParam once and calls the typed handler of ui/window_messages.h or
// the pane's operation.
#include <windows.h>

#include "startup/resource_classes.h"
#include "ui/menu_hooks.h"
#include "ui/native.h"
#include "ui/pane.h"
#include "ui/view_window.h"
#include "ui/win32/window_classes.h"
#include "ui/window_messages.h"

namespace ql::ui::win32 {
namespace {

constexpr UINT kDestroyMessage = 0x862;

// The message being handled, as the runtime's current event.
struct CurrentEvent {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  LONG time;
  DWORD position;
};
CurrentEvent g_currentEvent{};

HBRUSH g_controlBrush = nullptr;  // the last WM_CTLCOLOR* brush of a window's back colour

LRESULT Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                 : DefWindowProcA(window, message, wParam, lParam);
}

Rect16 RectOf(const RECT& r) {
  return Rect16{static_cast<int16_t>(r.top), static_cast<int16_t>(r.left), static_cast<int16_t>(r.bottom),
                static_cast<int16_t>(r.right)};
}

uint32_t MouseModifiers(WPARAM keys) {
  uint32_t m = 0;
  if (keys & MK_SHIFT) m |= kModifierShift;
  if (keys & MK_CONTROL) m |= kModifierControl;
  if (GetKeyState(VK_MENU) & 0x8000) m |= kModifierAlt;
  return m;
}

int32_t PointX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int32_t PointY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

// A mouse message at a point of `window`'s client area, in the view's
// window coordinates (`offset`: the pane's place in the window).
MouseEvent MouseAt(UINT message, WPARAM wParam, LPARAM lParam, POINT offset) {
  MouseEvent e;
  e.x = PointX(lParam) + offset.x;
  e.y = PointY(lParam) + offset.y;
  e.modifiers = MouseModifiers(wParam);
  e.doubleClick = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK;
  e.rightButton = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK || message == WM_RBUTTONUP;
  return e;
}

void WatchLeave(HWND window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = window;
  TrackMouseEvent(&track);
}

// The pointer left one of the view's windows: it left the view only when it
// is outside the view's client area now.
void PointerLeft(RuntimeViewWindow* view) {
  POINT p;
  GetCursorPos(&p);
  HWND h = static_cast<HWND>(view->NativeHandle());
  ScreenToClient(h, &p);
  RECT client;
  GetClientRect(h, &client);
  if (!PtInRect(&client, p)) OnMouseLeave(view);
}

// Notifications a standard control sends its parent go to the control's
// pane; true when the message was one (with its result).
bool ForwardNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  Pane* pane = nullptr;
  switch (message) {
    case WM_COMMAND:
      if (!lParam) return false;
      pane = native::PaneOf(reinterpret_cast<HWND>(lParam));
      if (!pane) return false;
      {
        PaneLock lock(pane);
        *result = pane->Command(HIWORD(wParam), native::ModifiersNow());
      }
      return true;
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      pane = header ? native::PaneOf(header->hwndFrom) : nullptr;
      if (!pane) return false;
      PaneLock lock(pane);
      *result = pane->Notify(header);
      return true;
    }
    case WM_DRAWITEM: {
      const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      pane = item ? native::PaneOf(item->hwndItem) : nullptr;
      if (!pane) return false;
      PaneLock lock(pane);
      *result = pane->DrawItem(item) ? TRUE : FALSE;
      return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      pane = lParam ? native::PaneOf(reinterpret_cast<HWND>(lParam)) : nullptr;
      if (!pane) return false;
      {
        PaneLock lock(pane);
        pane->Scroll(message == WM_VSCROLL, LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam)));
      }
      *result = 0;
      return true;
    default:
      return false;
  }
}

// WM_CTLCOLORBTN / WM_CTLCOLORSTATIC: the window's back colour behind a
// control that does not choose its own.
bool ControlColour(RuntimeViewWindow* view, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  Pane* pane = native::PaneOf(reinterpret_cast<HWND>(lParam));
  if ((pane && pane->ChoosesOwnColours()) || !view->HasBackgroundColour()) return false;
  if (g_controlBrush) DeleteObject(g_controlBrush);
  g_controlBrush = CreateSolidBrush(view->BackgroundColour());
  SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
  *result = reinterpret_cast<LRESULT>(g_controlBrush);
  return true;
}

void Paint(RuntimeViewWindow* view, HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  OnPaint(view, dc, RectOf(ps.rcPaint));
  EndPaint(window, &ps);
}

void EraseBackground(RuntimeViewWindow* view, HWND window, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  const int64_t fill = BackgroundFill(view);
  HBRUSH brush = fill < 0 ? GetSysColorBrush(COLOR_BTNFACE) : CreateSolidBrush(static_cast<COLORREF>(fill));
  FillRect(dc, &client, brush);
  if (fill >= 0) DeleteObject(brush);
}

bool SetCursorFor(RuntimeViewWindow* view, HWND window) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  RuntimeObject* cursor = CursorAt(view, p.x, p.y);
  HCURSOR handle = cursor ? static_cast<HCURSOR>(reinterpret_cast<MouseCursorObject*>(cursor)->cursor) : nullptr;
  SetCursor(handle ? handle : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
  return true;
}

// The view's messages; false passes one on to the default procedure.
bool HandleViewMessage(RuntimeViewWindow* view, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* result) {
  *result = 0;
  if (ForwardNotification(message, wParam, lParam, result)) return true;
  switch (message) {
    case WM_COMMAND:  // no control: a menu command
      return OnMenuCommand(view, LOWORD(wParam));
    case WM_ACTIVATE:
      OnActivate(view, LOWORD(wParam) != WA_INACTIVE);
      return true;
    case WM_ACTIVATEAPP:
      OnActivateApp(view, wParam != 0);
      return true;
    case WM_MOVE:
      OnMove(view);
      return true;
    case WM_SIZE:
      OnSize(view, wParam == SIZE_MINIMIZED);
      return true;
    case WM_ENTERSIZEMOVE:
      OnEnterSizeMove(view);
      return false;
    case WM_EXITSIZEMOVE:
      OnExitSizeMove(view);
      return false;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MAXIMIZE || (wParam & 0xFFF0) == SC_RESTORE) OnMaximizeOrRestore(view);
      return false;
    case WM_SIZING: {
      RECT* r = reinterpret_cast<RECT*>(lParam);
      native::Box box{r->left, r->top, r->right, r->bottom};
      OnSizing(view, static_cast<SizingEdge>(wParam), &box);
      *r = RECT{box.left, box.top, box.right, box.bottom};
      *result = TRUE;
      return true;
    }
    case WM_GETMINMAXINFO: {
      MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
      native::Point minTrack{info->ptMinTrackSize.x, info->ptMinTrackSize.y};
      native::Point maxTrack{info->ptMaxTrackSize.x, info->ptMaxTrackSize.y};
      if (!OnMinMaxInfo(view, &minTrack, &maxTrack)) return false;
      info->ptMinTrackSize = POINT{minTrack.x, minTrack.y};
      info->ptMaxTrackSize = POINT{maxTrack.x, maxTrack.y};
      return true;
    }
    case WM_PAINT:
      Paint(view, window);
      return true;
    case WM_ERASEBKGND:
      EraseBackground(view, window, reinterpret_cast<HDC>(wParam));
      *result = 1;
      return true;
    case WM_CLOSE:
      OnClose(view);
      return true;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      return ControlColour(view, wParam, lParam, result);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnMouseDown(view, MouseAt(message, wParam, lParam, POINT{0, 0}));
      return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      OnMouseUp(view, MouseAt(message, wParam, lParam, POINT{0, 0}));
      return true;
    case WM_MOUSEMOVE:
      WatchLeave(window);
      OnMouseMove(view, MouseAt(message, wParam, lParam, POINT{0, 0}));
      return true;
    case WM_MOUSELEAVE:
      PointerLeft(view);
      return true;
    case WM_SETCURSOR:
      if (LOWORD(lParam) != HTCLIENT) return false;
      *result = SetCursorFor(view, window) ? TRUE : FALSE;
      return true;
    case WM_MOUSEACTIVATE:
      if (MayActivateByMouse(view)) return false;
      MessageBeep(0);
      *result = MA_NOACTIVATEANDEAT;
      return true;
    case WM_SHOWWINDOW:
      // Focus rectangles always show.
      SendMessageW(window, WM_CHANGEUISTATE, 0x10002, 0);
      return false;
    case WM_INITMENU:
      OnInitMenu(view);
      return true;
    case WM_QUERYENDSESSION:
      *result = OnQueryEndSession() ? 1 : 0;
      return true;
    default:
      return false;
  }
}

// A view's messages; `handled` false when the default procedure is to run.
LRESULT ViewMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
  *handled = false;
  if (message == kDestroyMessage && wParam == 1 && lParam == 2) {
    *handled = true;
    DestroyWindow(window);
    return 1;
  }
  RuntimeViewWindow* view = native::ViewOf(window);
  if (!view) return 0;
  g_currentEvent = CurrentEvent{window, message, wParam, lParam, GetMessageTime(), GetMessagePos()};
  PaneLock hold(view);  // a handler may close the window
  if (message == WM_MDIACTIVATE) {
    const bool active = reinterpret_cast<HWND>(lParam) == window;
    OnActivate(view, active);
    if (active && view->WindowRef())
      if (auto attach = CurrentMenuHooks().attachMenuBar) attach(view->WindowRef());
    return 0;  // the MDI client's default handling follows
  }
  LRESULT result = 0;
  *handled = HandleViewMessage(view, window, message, wParam, lParam, &result);
  return result;
}

}  // namespace

LRESULT CALLBACK ViewWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  bool handled;
  const LRESULT result = ViewMessage(window, message, wParam, lParam, &handled);
  return handled ? result : Default(window, message, wParam, lParam);
}

// MDI children: WM_MDIACTIVATE instead of WM_ACTIVATE, and DefMDIChildProc,
// which must also see the WM_SIZE and WM_MOVE the view handles, and fills
// in the maximised size before the view's limits apply.
LRESULT CALLBACK MdiChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool defaultFirst = message == WM_GETMINMAXINFO;
  const LRESULT defaultResult = defaultFirst ? DefMDIChildProcW(window, message, wParam, lParam) : 0;
  bool handled;
  const LRESULT result = ViewMessage(window, message, wParam, lParam, &handled);
  if (!handled) return defaultFirst ? defaultResult : DefMDIChildProcW(window, message, wParam, lParam);
  if (message == WM_SIZE || message == WM_MOVE) DefMDIChildProcW(window, message, wParam, lParam);
  return result;
}

LRESULT CALLBACK PaneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Pane* pane = native::PaneOf(window);
  RuntimeViewWindow* view = pane ? pane->Root() : nullptr;
  if (!pane || !view) return Default(window, message, wParam, lParam);
  // Handlers may close the window: the view and the pane stay until the end.
  PaneLock holdView(view);
  PaneLock holdPane(pane);
  LRESULT result = 0;
  if (ForwardNotification(message, wParam, lParam, &result)) return result;
  const POINT offset{pane->OffsetX(), pane->OffsetY()};
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      pane->Paint(PaintContext{dc, RectOf(ps.rcPaint)});
      EndPaint(window, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      OnMouseDown(view, MouseAt(message, wParam, lParam, offset));
      return 0;
    case WM_MOUSEMOVE:
      WatchLeave(window);
      OnMouseMove(view, MouseAt(message, wParam, lParam, offset));
      return 0;
    case WM_MOUSELEAVE:
      PointerLeft(view);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      OnMouseUp(view, MouseAt(message, wParam, lParam, offset));
      return Default(window, WM_LBUTTONUP, wParam, lParam);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      if (ControlColour(view, wParam, lParam, &result)) return result;
      break;
    default:
      break;
  }
  return Default(window, message, wParam, lParam);
}

LRESULT CALLBACK StandardControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropW(window, L"QLPreviousProc"));
  Pane* pane = native::PaneOf(window);
  RuntimeViewWindow* view = pane ? pane->Root() : nullptr;
  if (view) {
    // Handlers may close the window: the view and the pane stay until the end.
    PaneLock holdView(view);
    PaneLock holdPane(pane);
    LRESULT result = 0;
    if (ForwardNotification(message, wParam, lParam, &result)) return result;
    intptr_t own = 0;
    if (pane->NativeMessage(message, wParam, lParam, &own)) return own;
    const POINT offset{pane->OffsetX(), pane->OffsetY()};
    // The control's own mouse events fire beside the system's handling.
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
        pane->MouseDown(MouseAt(message, wParam, lParam, offset));
        break;
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
        pane->MouseUp(MouseAt(message, wParam, lParam, offset));
        break;
      case WM_MOUSEMOVE:
        WatchLeave(window);
        OnMouseMove(view, MouseAt(message, wParam, lParam, offset));
        break;
      case WM_MOUSELEAVE:
        PointerLeft(view);
        break;
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORSTATIC:
        if (ControlColour(view, wParam, lParam, &result)) return result;
        break;
      default:
        break;
    }
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(window, L"QLPreviousProc");
    RemovePropW(window, L"QLInstance");
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return previous ? CallWindowProcW(previous, window, message, wParam, lParam) : Default(window, message, wParam, lParam);
}

}  // namespace ql::ui::win32
