// MDI mode: the frame window "QL_MDIFRAME" with its MDI client, and the
// class "QL_MDICHILD" of the windows created as its children.
#include <windows.h>

#include "core/string.h"
#include "platform/module.h"
#include "startup/application.h"
#include "startup/mainloop.h"
#include "ui/menu_hooks.h"
#include "ui/win32/window_classes.h"

namespace ql::ui::win32 {
namespace {

constexpr WORD kIconResource = 102;
constexpr UINT kFrameClassStyle = 0xC0;
constexpr UINT kFirstChildId = 0xFF00;

HWND g_frame = nullptr;
HWND g_client = nullptr;
ATOM g_childClass = 0;
bool g_framePending = false;  // marked visible, not shown yet

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      CLIENTCREATESTRUCT client{nullptr, kFirstChildId};
      g_client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0,
                                 window, nullptr, static_cast<HINSTANCE>(platform::ModuleInstance()), &client);
      return 0;
    }
    case WM_CLOSE:
      // Closing the frame is quitting.
      if (TryQuit()) RequestQuit();
      return 0;
    case WM_COMMAND:
      if (!lParam)
        if (auto command = CurrentMenuHooks().menuCommand; command && command(ModalFrontOfTopmostWindow(), LOWORD(wParam)))
          return 0;
      break;
    case WM_INITMENU:
      if (auto update = CurrentMenuHooks().updateMenus) update(ModalFrontOfTopmostWindow());
      return 0;
    case WM_QUERYENDSESSION:
      return TryQuit() ? 1 : 0;
    case WM_DESTROY:
      g_frame = g_client = nullptr;
      return 0;
    default:
      break;
  }
  return DefFrameProcW(window, g_client, message, wParam, lParam);
}

ATOM RegisterMdiClass(const wchar_t* name, WNDPROC procedure, int extraBytes) {
  HINSTANCE instance = static_cast<HINSTANCE>(platform::ModuleInstance());
  WNDCLASSW c{};
  c.style = kFrameClassStyle;
  c.lpfnWndProc = procedure;
  c.cbWndExtra = extraBytes;
  c.hInstance = instance;
  c.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  c.lpszClassName = name;
  return RegisterClassW(&c);
}

}  // namespace

bool CreateMdiFrame(RuntimeString* title) {
  if (g_frame) return true;
  RegisterMdiClass(L"QL_MDIFRAME", FrameProcedure, 0);
  g_childClass = RegisterMdiClass(L"QL_MDICHILD", MdiChildProcedure, sizeof(void*));
  String wide = ConvertToUTF16(title);
  const wchar_t* text = wide.empty() ? L"" : reinterpret_cast<const wchar_t*>(WideStringText(wide.get()));
  g_frame = CreateWindowExW(WS_EX_LEFT, L"QL_MDIFRAME", text, WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, 640, 480, nullptr, nullptr,
                            static_cast<HINSTANCE>(platform::ModuleInstance()), nullptr);
  g_framePending = g_frame != nullptr;
  return g_frame != nullptr && g_client != nullptr;
}

HWND MdiFrameWindow() { return g_frame; }
HWND MdiClientWindow() { return g_client; }
ATOM MdiChildClassAtom() { return g_childClass; }

void ShowPendingMdiFrame() {
  if (!g_frame || !g_framePending || IsWindowVisible(g_frame)) return;
  g_framePending = false;
  ShowWindow(g_frame, SW_SHOW);
}

}  // namespace ql::ui::win32
