#include "ui/win32/window_classes.h"

#include "platform/module.h"
#include "platform/version.h"

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

}  // namespace

void RegisterWindowClasses() {
  if (g_viewClass) return;
  g_viewClass = Register(L"QLWindow", "QLWindow", CS_OWNDC, ViewWindowProcedure, true);
  g_paneClass = Register(L"QL_Pane", "QL_Pane", CS_HREDRAW | CS_VREDRAW, PaneProcedure, false);
  g_canvasClass = Register(L"QL_CanvasPane", "QL_CanvasPane", CS_HREDRAW | CS_VREDRAW, PaneProcedure, false);
}

bool IsViewWindow(HWND window) {
  if (!window) return false;
  const ATOM atom = ClassAtom(window);
  return atom && (atom == g_viewClass || atom == MdiChildClassAtom());
}

bool IsDrawnPaneWindow(HWND window) {
  if (!window) return false;
  const ATOM atom = ClassAtom(window);
  return atom && (atom == g_paneClass || atom == g_canvasClass);
}

}  // namespace ql::ui::win32
