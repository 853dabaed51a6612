#include "ui/win32/window_classes.h"

#include "platform/module.h"
#include "platform/version.h"
#include "ui/native.h"
#include "ui/pane.h"

namespace ql::ui::win32 {
namespace {

constexpr WORD kIconResource = 102;

ATOM g_viewClass = 0;
ATOM g_paneClass = 0;
ATOM g_canvasClass = 0;

ATOM ClassAtom(HWND window) { return static_cast<ATOM>(GetClassWord(window, GCW_ATOM)); }

ATOM Register(const wchar_t* wideName, const char* name, UINT style, WNDPROC procedure, bool icon) {
  HINSTANCE instance = static_cast<HINSTANCE>(platform::ModuleInstance());
  if (platform::IsNTPlatform()) {
    WNDCLASSW c{};
    c.style = style;
    c.lpfnWndProc = procedure;
    c.cbWndExtra = sizeof(void*);
    c.hInstance = instance;
    c.hIcon = icon ? LoadIconW(instance, MAKEINTRESOURCEW(kIconResource)) : nullptr;
    c.lpszClassName = wideName;
    return RegisterClassW(&c);
  }
  WNDCLASSA c{};
  c.style = style;
  c.lpfnWndProc = procedure;
  c.cbWndExtra = sizeof(void*);
  c.hInstance = instance;
  c.hIcon = icon ? LoadIconA(instance, MAKEINTRESOURCEA(kIconResource)) : nullptr;
  c.lpszClassName = name;
  return RegisterClassA(&c);
}

LRESULT Default(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                 : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterWindowClasses() {
  if (g_viewClass) return;
  g_viewClass = Register(L"QLWindow", "QLWindow", CS_OWNDC, ViewWindowProcedure, true);
  g_paneClass = Register(L"QL_Pane", "QL_Pane", CS_HREDRAW | CS_VREDRAW, PaneProcedure, false);
  g_canvasClass = Register(L"QL_CanvasPane", "QL_CanvasPane", CS_HREDRAW | CS_VREDRAW, PaneProcedure, false);
}

bool IsViewWindow(HWND window) { return window && g_viewClass && ClassAtom(window) == g_viewClass; }

bool IsDrawnPaneWindow(HWND window) {
  if (!window) return false;
  const ATOM atom = ClassAtom(window);
  return atom && (atom == g_paneClass || atom == g_canvasClass);
}

HWND MdiFrameWindow() { return nullptr; }
HWND MdiClientWindow() { return nullptr; }

LRESULT CALLBACK ViewWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == 0x862 && wParam == 1 && lParam == 2) {
    DestroyWindow(window);
    return 1;
  }
  return Default(window, message, wParam, lParam);
}

LRESULT CALLBACK PaneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Pane* pane = native::PaneOf(window);
  if (pane && message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintContext context{dc, Rect16{static_cast<int16_t>(ps.rcPaint.top), static_cast<int16_t>(ps.rcPaint.left),
                                    static_cast<int16_t>(ps.rcPaint.bottom), static_cast<int16_t>(ps.rcPaint.right)}};
    {
      PaneLock lock(pane);
      pane->Paint(context);
    }
    EndPaint(window, &ps);
    return 0;
  }
  return Default(window, message, wParam, lParam);
}

LRESULT CALLBACK StandardControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = reinterpret_cast<WNDPROC>(GetPropW(window, L"QLPreviousProc"));
  if (Pane* pane = native::PaneOf(window)) {
    intptr_t result = 0;
    PaneLock lock(pane);
    if (pane->NativeMessage(message, wParam, lParam, &result)) return result;
  }
  if (message == WM_NCDESTROY) {
    RemovePropW(window, L"QLPreviousProc");
    RemovePropW(window, L"QLInstance");
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
  }
  return previous ? CallWindowProcW(previous, window, message, wParam, lParam) : Default(window, message, wParam, lParam);
}

}  // namespace ql::ui::win32
