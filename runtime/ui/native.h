// The native side of windows and panes: everything the portable window and
// pane code asks of the window system, and nothing more. Win32 implements it
// in ui/win32 (user32, gdi32); POSIX has a stand-in in ui/posix that records
// the state a real window would have (ui/posix/fake_windows.h), so the tree
// rules, visibility, Tab order and hit-testing are tested natively.
//
// Rectangles here are left, top, right, bottom (the system's order); the
// runtime's Rect16 is top, left, bottom, right.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

namespace ql::ui {
class Pane;
class RuntimeViewWindow;
}  // namespace ql::ui

namespace ql::ui::native {

// An HWND; nil for none.
using Handle = void*;

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};

struct Box {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
};

// --- Child windows of panes ---
struct ChildSpec {
  const char* className = "";     // "QL_Pane", "QL_CanvasPane" or a standard class
  RuntimeString* text = nullptr;  // window text, any encoding
  uint32_t style = 0;             // WS_CHILD | WS_VISIBLE added by the caller
  uint32_t exStyle = 0;
  Point position;                 // in the parent's client coordinates
  int32_t width = 0;
  int32_t height = 0;             // "COMBOBOX" gets +200 from the caller
  Handle parent = nullptr;
  Pane* pane = nullptr;           // the extra word of a drawn pane, "QLInstance" of a standard control
};
// A drawn pane's window or a standard control (then subclassed so that its
// messages reach NativeMessage first). nil when the system refused.
Handle CreateChild(const ChildSpec& plan);
// A standard control's or drawn pane's window back to its pane, or nil.
Pane* PaneOf(Handle window);

// --- Top-level windows of views ---
struct TopLevelSpec {
  RuntimeString* title = nullptr;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  Box content;                 // the content area the window is to have, screen pixels
  Handle owner = nullptr;
  bool mdiChild = false;       // a child of the MDI client instead of a "QLWindow"
  RuntimeViewWindow* view = nullptr;  // the extra word
};
// A hidden "QLWindow" whose client area is `content` (AdjustWindowRect with
// the style, no menu). nil when the system refused.
Handle CreateTopLevel(const TopLevelSpec& plan);
RuntimeViewWindow* ViewOf(Handle window);
// Clears the extra word, takes the menu off (the menus layer owns it), then
// destroys the window (an MDI child through the MDI client, any other with
// the private message 0x862).
void DestroyTopLevel(Handle window, bool mdiChild);
// The client area in screen coordinates.
Box ClientBoxOnScreen(Handle window);
// The client area where the window's bounds are kept: on the screen for a
// top-level window, in the MDI client for an MDI child.
Box ClientBox(Handle window);
// Moves and sizes the window so that its client area becomes `content`.
void PlaceClientArea(Handle window, const Box& content);
// MoveWindow to the whole window rectangle.
void MoveWindowTo(Handle window, const Box& frame);
void SetTitle(Handle window, RuntimeString* title);
uint32_t StyleOf(Handle window);
void SetStyle(Handle window, uint32_t style);
bool HasMenu(Handle window);
// SetMenu with no menu, so that destroying the window leaves the menu alone.
void DetachMenu(Handle window);
void BringToTop(Handle window);
bool IsMaximized(Handle window);
// The foreground window and the active window of this thread.
Handle ForegroundWindow();
Handle ActiveWindow();
// MDI mode: the frame window ("QL_MDIFRAME", 640 by 480, the title given)
// with its MDI client; false when it could not be made (POSIX: always).
bool CreateMdiFrame(RuntimeString* title);
// The MDI frame and its client window, nil outside MDI mode.
Handle MdiFrame();
Handle MdiClient();
// TranslateMDISysAccel with the MDI client; true when the key was taken.
bool TranslateMdiAccelerator(Handle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// After the application's Open: the frame, marked visible, is shown.
void ShowPendingMdiFrame();
// The active MDI child, stepping past invisible ones (WM_MDINEXT) until a
// visible one is found or all were seen; nil when none.
Handle ActiveVisibleMdiChild();
// The next top-level window below `window` in the Z-order (GW_HWNDNEXT).
Handle NextWindowBelow(Handle window);

// The runtime window a window belongs to: the view of the window itself or
// of its nearest ancestor that is one; nil when none is.
RuntimeViewWindow* ViewContaining(Handle window);
// Every top-level window of the process in the system's order (Z-order,
// EnumWindows), then in MDI mode the MDI children; f(Handle).
void ForEachTopLevel(void (*f)(Handle window, void* context), void* context);

// Registers "QLWindow", "QL_Pane", "QL_CanvasPane" (POSIX: nothing).
void RegisterWindowClasses();
// GetSysColor (0x00BBGGRR); POSIX: a fixed palette.
uint32_t SystemColour(int32_t index);

// --- Any window ---
void Destroy(Handle window);
// SW_SHOW / SW_HIDE; `normal` shows with SW_SHOWNORMAL.
enum class ShowCommand { Hide, Show, ShowNormal };
void Show(Handle window, ShowCommand command);
bool IsShown(Handle window);
void Enable(Handle window, bool enabled);
// Position in the parent's client coordinates.
void Move(Handle window, Point position, int32_t width, int32_t height);
void Reparent(Handle window, Handle parent);
// The native parent of a child window (nil for a top-level one).
Handle ParentOf(Handle window);
// A point in `from`'s client coordinates into `to`'s (ClientToScreen, then
// ScreenToClient).
Point MapPoint(Handle from, Handle to, Point point);
// Invalidate a rectangle of the client area (nil: all of it).
void Invalidate(Handle window, const Box* box, bool erase);
// RedrawWindow with RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW.
void RedrawNow(Handle window);
void UpdateNow(Handle window);
void SetText(Handle window, RuntimeString* text);
void SetFontOf(Handle window, void* font);
// The keyboard focus (SetFocus; nil clears it) and who has it.
void Focus(Handle window);
Handle FocusedWindow();
// The system class name of the window ("" when unknown).
bool ClassNameIs(Handle window, const char* className);

// --- Mouse ---
// SetCapture / ReleaseCapture.
void CaptureMouse(Handle window);
void ReleaseMouse();
// WM_MOUSELEAVE once the pointer leaves the window (TrackMouseEvent).
void WatchMouseLeave(Handle window);

// --- Drawing ---
// A bitmap of the platform (platform/bitmap.h) at (x, y).
void DrawBitmap(void* deviceContext, void* bitmap, int32_t x, int32_t y, int32_t width, int32_t height);

// --- Fonts ---
struct FontSpec {
  const char* face = "";  // the mapped face
  int32_t height = 0;     // CreateFontA's height: minus the size
  int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  uint8_t charset = 1;
};
void* NewFont(const FontSpec& plan);
void FreeFont(void* font);

// --- The screen and the system ---
struct Metrics {
  int32_t screenWidth, screenHeight;     // SM_CXSCREEN, SM_CYSCREEN
  int32_t frameX, frameY;                // SM_CXFRAME, SM_CYFRAME
  int32_t dialogFrameX, dialogFrameY;    // SM_CXDLGFRAME, SM_CYDLGFRAME
  int32_t caption, smallCaption, menu;   // SM_CYCAPTION, SM_CYSMCAPTION, SM_CYMENU
  Box mainScreen;                        // the main screen's rectangle
};
const Metrics& SystemMetrics();
// The cursor position in screen coordinates.
Point CursorPosition();
// Whether the left or right button is down now.
bool MouseButtonDown(bool right);
void Beep();

// --- Keys ---
// Modifier bits (pane.h) read now from the keyboard (GetAsyncKeyState).
uint32_t ModifiersNow();
// VkKeyScanA: low byte the virtual key, high byte the shift state (1 Shift,
// 2 Ctrl, 4 Alt); -1 when no key gives the character.
int16_t ScanCharacter(uint8_t character);
// Keyboard cues show (WM_CHANGEUISTATE UIS_CLEAR | UISF_HIDEACCEL).
void ShowKeyboardCues(Handle window);

}  // namespace ql::ui::native
