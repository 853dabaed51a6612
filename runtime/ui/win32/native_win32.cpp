// The native side of windows and panes on Win32.
#include <windows.h>

#include "core/string.h"
#include "platform/module.h"
#include "platform/version.h"
#include "ui/native.h"
#include "ui/win32/window_classes.h"

namespace ql::ui::native {
namespace {

constexpr UINT kDestroyMessage = 0x862;  // wParam 1, lParam 2: the last step of closing

HWND H(Handle h) { return static_cast<HWND>(h); }
HINSTANCE Instance() { return static_cast<HINSTANCE>(platform::ModuleInstance()); }

// Text handed to the system: UTF-16 on NT, the system encoding otherwise.
struct SystemText {
  explicit SystemText(RuntimeString* s) {
    if (platform::IsNTPlatform()) wide = ConvertToUTF16(s);
    else ansi = ConvertToSystem(s);
  }
  const wchar_t* W() const {
    return wide.empty() ? L"" : reinterpret_cast<const wchar_t*>(WideStringText(wide.get()));
  }
  const char* A() const { return StringText(ansi.get()); }
  String wide, ansi;
};

// Class names are ASCII literals.
struct WideName {
  explicit WideName(const char* s) {
    int i = 0;
    for (; s[i] && i < 63; ++i) text[i] = static_cast<wchar_t>(static_cast<unsigned char>(s[i]));
    text[i] = 0;
  }
  wchar_t text[64];
};

const wchar_t kInstanceProperty[] = L"QLInstance";
const wchar_t kPreviousProcProperty[] = L"QLPreviousProc";

}  // namespace

Handle CreateChild(const ChildSpec& plan) {
  HWND window;
  if (platform::IsNTPlatform()) {
    SystemText text(plan.text);
    WideName className(plan.className);
    window = CreateWindowExW(plan.exStyle, className.text, text.W(), plan.style, plan.position.x, plan.position.y,
                             plan.width, plan.height, H(plan.parent), nullptr, Instance(), nullptr);
  } else {
    SystemText text(plan.text);
    window = CreateWindowExA(plan.exStyle, plan.className, text.A(), plan.style, plan.position.x, plan.position.y,
                             plan.width, plan.height, H(plan.parent), nullptr, Instance(), nullptr);
  }
  if (!window) return nullptr;
  if (win32::IsDrawnPaneWindow(window)) {
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(plan.pane));
  } else {
    SetPropW(window, kInstanceProperty, plan.pane);
    const LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC,
                                                reinterpret_cast<LONG_PTR>(&win32::StandardControlProcedure));
    SetPropW(window, kPreviousProcProperty, reinterpret_cast<HANDLE>(previous));
  }
  return window;
}

Pane* PaneOf(Handle window) {
  if (!window) return nullptr;
  if (win32::IsDrawnPaneWindow(H(window))) return reinterpret_cast<Pane*>(GetWindowLongPtrW(H(window), 0));
  return static_cast<Pane*>(GetPropW(H(window), kInstanceProperty));
}

Handle CreateTopLevel(const TopLevelSpec& plan) {
  RECT r{plan.content.left, plan.content.top, plan.content.right, plan.content.bottom};
  AdjustWindowRect(&r, plan.style, FALSE);
  HWND window;
  SystemText title(plan.title);
  if (plan.mdiChild && win32::MdiClientWindow())
    window = CreateMDIWindowW(L"QL_MDICHILD", title.W(), plan.style, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, win32::MdiClientWindow(), Instance(), 0);
  else if (platform::IsNTPlatform())
    window = CreateWindowExW(plan.exStyle, L"QLWindow", title.W(), plan.style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, H(plan.owner), nullptr, Instance(), nullptr);
  else
    window = CreateWindowExA(plan.exStyle, "QLWindow", title.A(), plan.style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, H(plan.owner), nullptr, Instance(), nullptr);
  if (!window) return nullptr;
  // The MDI client adds its own frame styles: size again with the styles the
  // child has, before the view is attached and would see the change.
  if (plan.mdiChild && win32::MdiClientWindow()) PlaceClientArea(window, plan.content);
  SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(plan.view));
  return window;
}

RuntimeViewWindow* ViewOf(Handle window) {
  if (!window || !win32::IsViewWindow(H(window))) return nullptr;
  return reinterpret_cast<RuntimeViewWindow*>(GetWindowLongPtrW(H(window), 0));
}

void DestroyTopLevel(Handle window, bool mdiChild) {
  if (!window) return;
  SetWindowLongPtrW(H(window), 0, 0);
  // The menus layer owns the menu. Taken off only now: SetMenu's frame
  // change sends messages, which must not reach the view being destroyed.
  DetachMenu(window);
  if (mdiChild && MdiClient()) SendMessageW(H(MdiClient()), WM_MDIDESTROY, reinterpret_cast<WPARAM>(window), 0);
  else SendMessageW(H(window), kDestroyMessage, 1, 2);
}

Box ClientBoxOnScreen(Handle window) {
  RECT r{};
  GetClientRect(H(window), &r);
  POINT topLeft{0, 0};
  ClientToScreen(H(window), &topLeft);
  return Box{topLeft.x, topLeft.y, topLeft.x + r.right, topLeft.y + r.bottom};
}

Box ClientBox(Handle window) {
  RECT r{};
  GetClientRect(H(window), &r);
  POINT topLeft{0, 0};
  ClientToScreen(H(window), &topLeft);
  if (GetWindowLongW(H(window), GWL_STYLE) & WS_CHILD) ScreenToClient(GetParent(H(window)), &topLeft);
  return Box{topLeft.x, topLeft.y, topLeft.x + r.right, topLeft.y + r.bottom};
}

// `content` is where the bounds are kept (ClientBox); MoveWindow takes the
// same coordinates.
void PlaceClientArea(Handle window, const Box& content) {
  RECT r{content.left, content.top, content.right, content.bottom};
  const DWORD style = static_cast<DWORD>(GetWindowLongW(H(window), GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(H(window), GWL_EXSTYLE));
  // A child window's menu handle is its identifier.
  const bool menu = !(style & WS_CHILD) && GetMenu(H(window)) != nullptr;
  AdjustWindowRectEx(&r, style, menu, exStyle);
  MoveWindow(H(window), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void MoveWindowTo(Handle window, const Box& frame) {
  MoveWindow(H(window), frame.left, frame.top, frame.Width(), frame.Height(), TRUE);
}

void SetTitle(Handle window, RuntimeString* title) { SetText(window, title); }

uint32_t StyleOf(Handle window) { return static_cast<uint32_t>(GetWindowLongW(H(window), GWL_STYLE)); }

void SetStyle(Handle window, uint32_t style) {
  SetWindowLongW(H(window), GWL_STYLE, static_cast<LONG>(style));
  SetWindowPos(H(window), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HasMenu(Handle window) { return GetMenu(H(window)) != nullptr; }
void DetachMenu(Handle window) {
  if (GetMenu(H(window))) SetMenu(H(window), nullptr);
}
void BringToTop(Handle window) { BringWindowToTop(H(window)); }
bool IsMaximized(Handle window) { return IsZoomed(H(window)) != FALSE; }
Handle ForegroundWindow() { return GetForegroundWindow(); }
Handle ActiveWindow() { return GetActiveWindow(); }

bool CreateMdiFrame(RuntimeString* title) { return win32::CreateMdiFrame(title); }
bool TranslateMdiAccelerator(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  HWND client = win32::MdiClientWindow();
  if (!client) return false;
  MSG m{H(window), message, wParam, lParam, 0, POINT{0, 0}};
  return TranslateMDISysAccel(client, &m) != FALSE;
}
void ShowPendingMdiFrame() { win32::ShowPendingMdiFrame(); }
Handle MdiFrame() { return win32::MdiFrameWindow(); }
Handle MdiClient() { return win32::MdiClientWindow(); }

Handle ActiveVisibleMdiChild() {
  HWND client = H(MdiClient());
  if (!client) return nullptr;
  HWND first = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
  HWND child = first;
  while (child && !IsWindowVisible(child)) {
    SendMessageW(client, WM_MDINEXT, reinterpret_cast<WPARAM>(child), 0);
    child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    if (child == first) return nullptr;
  }
  return child;
}

Handle NextWindowBelow(Handle window) { return GetWindow(H(window), GW_HWNDNEXT); }

RuntimeViewWindow* ViewContaining(Handle window) {
  for (HWND h = H(window); h; h = GetParent(h))
    if (RuntimeViewWindow* view = ViewOf(h)) return view;
  return nullptr;
}

namespace {
struct TopLevelWalk {
  void (*f)(Handle, void*);
  void* context;
  DWORD process;
};
BOOL CALLBACK VisitTopLevel(HWND window, LPARAM argument) {
  const TopLevelWalk* walk = reinterpret_cast<const TopLevelWalk*>(argument);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == walk->process) walk->f(window, walk->context);
  return TRUE;
}
}  // namespace

void ForEachTopLevel(void (*f)(Handle window, void* context), void* context) {
  TopLevelWalk walk{f, context, GetCurrentProcessId()};
  EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&walk));
  if (HWND client = H(MdiClient())) EnumChildWindows(client, VisitTopLevel, reinterpret_cast<LPARAM>(&walk));
}

void RegisterWindowClasses() { win32::RegisterWindowClasses(); }

uint32_t SystemColour(int32_t index) { return GetSysColor(index); }

void Destroy(Handle window) {
  if (!window) return;
  if (win32::IsDrawnPaneWindow(H(window))) SetWindowLongPtrW(H(window), 0, 0);
  else RemovePropW(H(window), kInstanceProperty);
  DestroyWindow(H(window));
}

void Show(Handle window, ShowCommand command) {
  ShowWindow(H(window), command == ShowCommand::Hide ? SW_HIDE : command == ShowCommand::Show ? SW_SHOW : SW_SHOWNORMAL);
}

bool IsShown(Handle window) { return window && IsWindowVisible(H(window)); }
void Enable(Handle window, bool enabled) { EnableWindow(H(window), enabled); }

void Move(Handle window, Point position, int32_t width, int32_t height) {
  MoveWindow(H(window), position.x, position.y, width, height, TRUE);
}

void Reparent(Handle window, Handle parent) { SetParent(H(window), H(parent)); }

Handle ParentOf(Handle window) {
  return window && (GetWindowLongPtrW(H(window), GWL_STYLE) & WS_CHILD) ? GetParent(H(window)) : nullptr;
}

Point MapPoint(Handle from, Handle to, Point point) {
  POINT p{point.x, point.y};
  if (from) ClientToScreen(H(from), &p);
  if (to) ScreenToClient(H(to), &p);
  return Point{p.x, p.y};
}

void Invalidate(Handle window, const Box* box, bool erase) {
  if (!window) return;
  if (box) {
    RECT r{box->left, box->top, box->right, box->bottom};
    InvalidateRect(H(window), &r, erase);
  } else {
    InvalidateRect(H(window), nullptr, erase);
  }
}

void RedrawNow(Handle window) {
  if (window) RedrawWindow(H(window), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void UpdateNow(Handle window) {
  if (window) UpdateWindow(H(window));
}

void SetText(Handle window, RuntimeString* text) {
  if (!window) return;
  SystemText t(text);
  if (platform::IsNTPlatform()) SetWindowTextW(H(window), t.W());
  else SetWindowTextA(H(window), t.A());
}

void SetFontOf(Handle window, void* font) {
  if (window) SendMessageW(H(window), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Focus(Handle window) { SetFocus(H(window)); }
Handle FocusedWindow() { return GetFocus(); }

bool ClassNameIs(Handle window, const char* className) {
  char name[64];
  if (!window || !GetClassNameA(H(window), name, sizeof name)) return false;
  return lstrcmpiA(name, className) == 0;
}

void CaptureMouse(Handle window) { SetCapture(H(window)); }
void ReleaseMouse() { ReleaseCapture(); }

void WatchMouseLeave(Handle window) {
  TRACKMOUSEEVENT track{};
  track.cbSize = sizeof track;
  track.dwFlags = TME_LEAVE;
  track.hwndTrack = H(window);
  TrackMouseEvent(&track);
}

void DrawBitmap(void* deviceContext, void* bitmap, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!deviceContext || !bitmap) return;
  HDC source = CreateCompatibleDC(static_cast<HDC>(deviceContext));
  HGDIOBJ previous = SelectObject(source, static_cast<HBITMAP>(bitmap));
  BitBlt(static_cast<HDC>(deviceContext), x, y, width, height, source, 0, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

void* NewFont(const FontSpec& plan) {
  return CreateFontA(plan.height, 0, 0, 0, plan.weight, plan.italic, plan.underline, FALSE, plan.charset,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, plan.face);
}

void FreeFont(void* font) {
  if (font) DeleteObject(static_cast<HFONT>(font));
}

const Metrics& SystemMetrics() {
  static Metrics m;
  m.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  m.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  m.frameX = GetSystemMetrics(SM_CXFRAME);
  m.frameY = GetSystemMetrics(SM_CYFRAME);
  m.dialogFrameX = GetSystemMetrics(SM_CXDLGFRAME);
  m.dialogFrameY = GetSystemMetrics(SM_CYDLGFRAME);
  m.caption = GetSystemMetrics(SM_CYCAPTION);
  m.smallCaption = GetSystemMetrics(SM_CYSMCAPTION);
  m.menu = GetSystemMetrics(SM_CYMENU);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info))
    m.mainScreen = Box{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
  else
    m.mainScreen = Box{0, 0, m.screenWidth, m.screenHeight};
  return m;
}

Point CursorPosition() {
  POINT p{};
  GetCursorPos(&p);
  return Point{p.x, p.y};
}

bool MouseButtonDown(bool right) { return (GetAsyncKeyState(right ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0; }

void Beep() { MessageBeep(0); }

uint32_t ModifiersNow() {
  uint32_t m = 0;
  if (GetAsyncKeyState(VK_CONTROL) & 0x8000) m |= 0x1000;
  if (GetAsyncKeyState(VK_SHIFT) & 0x8000) m |= 0x200;
  if (GetAsyncKeyState(VK_MENU) & 0x8000) m |= 0x800;
  if ((GetAsyncKeyState(VK_LWIN) | GetAsyncKeyState(VK_RWIN)) & 0x8000) m |= 0x100;
  return m;
}

int16_t ScanCharacter(uint8_t character) { return VkKeyScanA(static_cast<CHAR>(character)); }

void ShowKeyboardCues(Handle window) {
  if (window) SendMessageW(H(window), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0);
}

}  // namespace ql::ui::native
