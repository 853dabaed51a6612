#include <ctype.h>
#include <string.h>

#include <memory>
#include <vector>

#include "core/string.h"
#include "ui/native.h"
#include "ui/posix/fake_windows.h"

namespace ql::ui::native {
namespace {

using fake::FakeFont;
using fake::FakeWindow;

struct Desktop {
  std::vector<std::unique_ptr<FakeWindow>> windows;  // kept after destruction for inspection
  std::vector<std::unique_ptr<FakeFont>> fonts;
  Handle focus = nullptr;
  Handle foreground = nullptr;
  Handle capture = nullptr;
  uint32_t modifiers = 0;
  Point cursor;
  bool left = false, right = false;
  bool failNext = false;
  int32_t beeps = 0;
};

Desktop& TheDesktop() {
  static Desktop& desktop = *new Desktop;
  return desktop;
}

FakeWindow* W(Handle h) { return static_cast<FakeWindow*>(h); }

std::string Utf8(RuntimeString* s) {
  String u = ConvertToUTF8(s);
  return std::string(StringText(u.get()), static_cast<size_t>(StringLength(u.get())));
}

// Screen position of a window's client origin.
Point Origin(Handle h) {
  Point p;
  for (FakeWindow* w = W(h); w; w = W(w->parent)) {
    p.x += w->position.x;
    p.y += w->position.y;
  }
  return p;
}

Handle Make(std::unique_ptr<FakeWindow> w) {
  Desktop& d = TheDesktop();
  d.windows.push_back(std::move(w));
  return d.windows.back().get();
}

bool SameName(const std::string& a, const char* b) {
  if (a.size() != strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (toupper(static_cast<unsigned char>(a[i])) != toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

Handle CreateChild(const ChildSpec& plan) {
  auto w = std::make_unique<FakeWindow>();
  w->className = plan.className;
  w->text = Utf8(plan.text);
  w->style = plan.style;
  w->exStyle = plan.exStyle;
  w->parent = plan.parent;
  w->position = plan.position;
  w->width = plan.width;
  w->height = plan.height;
  w->visible = (plan.style & 0x10000000u) != 0;
  w->pane = plan.pane;
  return Make(std::move(w));
}

Pane* PaneOf(Handle window) { return window && !W(window)->destroyed ? W(window)->pane : nullptr; }

Handle CreateTopLevel(const TopLevelSpec& plan) {
  Desktop& d = TheDesktop();
  if (d.failNext) {
    d.failNext = false;
    return nullptr;
  }
  auto w = std::make_unique<FakeWindow>();
  w->className = plan.mdiChild ? "QL_MDICHILD" : "QLWindow";
  w->text = Utf8(plan.title);
  w->style = plan.style;
  w->exStyle = plan.exStyle;
  w->owner = plan.owner;
  w->position = Point{plan.content.left, plan.content.top};
  w->width = plan.content.Width();
  w->height = plan.content.Height();
  w->topLevel = true;
  w->mdiChild = plan.mdiChild;
  w->view = plan.view;
  return Make(std::move(w));
}

RuntimeViewWindow* ViewOf(Handle window) { return window && !W(window)->destroyed ? W(window)->view : nullptr; }

void DestroyTopLevel(Handle window, bool) {
  if (!window) return;
  W(window)->view = nullptr;
  DetachMenu(window);
  Destroy(window);
}

Box ClientBox(Handle window) { return ClientBoxOnScreen(window); }

Box ClientBoxOnScreen(Handle window) {
  if (!window) return Box{};
  const Point o = Origin(window);
  return Box{o.x, o.y, o.x + W(window)->width, o.y + W(window)->height};
}

void PlaceClientArea(Handle window, const Box& content) {
  if (!window) return;
  W(window)->position = Point{content.left, content.top};
  W(window)->width = content.Width();
  W(window)->height = content.Height();
}

// The stand-in's frames have no borders: a window's frame is its client area.
void MoveWindowTo(Handle window, const Box& frame) { PlaceClientArea(window, frame); }

void SetTitle(Handle window, RuntimeString* title) {
  if (window) W(window)->text = Utf8(title);
}
uint32_t StyleOf(Handle window) { return window ? W(window)->style : 0; }
void SetStyle(Handle window, uint32_t style) {
  if (window) W(window)->style = style;
}
bool HasMenu(Handle window) { return window && W(window)->hasMenu; }
void DetachMenu(Handle window) {
  if (window) W(window)->hasMenu = false;
}
void BringToTop(Handle window) {
  if (window) TheDesktop().foreground = window;
}
bool IsMaximized(Handle) { return false; }
Handle ForegroundWindow() { return TheDesktop().foreground; }
Handle ActiveWindow() { return TheDesktop().foreground; }
// The stand-in has no MDI mode.
bool CreateMdiFrame(RuntimeString*) { return false; }
bool TranslateMdiAccelerator(Handle, uint32_t, uintptr_t, intptr_t) { return false; }
void ShowPendingMdiFrame() {}
Handle MdiFrame() { return nullptr; }
Handle MdiClient() { return nullptr; }
Handle ActiveVisibleMdiChild() { return nullptr; }

Handle NextWindowBelow(Handle window) {
  // Z-order of the stand-in: newest top-level window first.
  Desktop& d = TheDesktop();
  bool seen = false;
  for (size_t i = d.windows.size(); i-- > 0;) {
    FakeWindow* w = d.windows[i].get();
    if (!w->topLevel || w->destroyed) continue;
    if (seen) return w;
    if (w == window) seen = true;
  }
  return nullptr;
}

RuntimeViewWindow* ViewContaining(Handle window) {
  for (FakeWindow* w = W(window); w; w = W(w->parent))
    if (w->view && !w->destroyed) return w->view;
  return nullptr;
}

void ForEachTopLevel(void (*f)(Handle window, void* context), void* context) {
  // Newest first: the stand-in's Z-order.
  std::vector<Handle> order;
  Desktop& d = TheDesktop();
  for (size_t i = d.windows.size(); i-- > 0;)
    if (d.windows[i]->topLevel && !d.windows[i]->destroyed) order.push_back(d.windows[i].get());
  for (Handle h : order) f(h, context);
}

void RegisterWindowClasses() {}

uint32_t SystemColour(int32_t index) {
  switch (index) {
    case 15: return 0x00F0F0F0;  // COLOR_BTNFACE
    case 16: return 0x00A0A0A0;  // COLOR_BTNSHADOW
    case 20: return 0x00FFFFFF;  // COLOR_BTNHIGHLIGHT
    case 5: return 0x00FFFFFF;   // COLOR_WINDOW
    default: return 0;
  }
}

void Destroy(Handle window) {
  if (!window) return;
  Desktop& d = TheDesktop();
  for (auto& w : d.windows)
    if (w->parent == window && !w->destroyed) Destroy(w.get());
  W(window)->destroyed = true;
  W(window)->visible = false;
  W(window)->pane = nullptr;
  if (d.focus == window) d.focus = nullptr;
  if (d.foreground == window) d.foreground = nullptr;
}

void Show(Handle window, ShowCommand command) {
  if (!window) return;
  W(window)->visible = command != ShowCommand::Hide;
  if (W(window)->topLevel && command != ShowCommand::Hide) TheDesktop().foreground = window;
}

bool IsShown(Handle window) {
  for (FakeWindow* w = W(window); w; w = W(w->parent))
    if (!w->visible || w->destroyed) return false;
  return window != nullptr;
}

void Enable(Handle window, bool enabled) {
  if (window) W(window)->enabled = enabled;
}

void Move(Handle window, Point position, int32_t width, int32_t height) {
  if (!window) return;
  W(window)->position = position;
  W(window)->width = width;
  W(window)->height = height;
}

void Reparent(Handle window, Handle parent) {
  if (!window) return;
  // SetParent keeps the window's position in the new parent's coordinates.
  W(window)->parent = parent;
}

Handle ParentOf(Handle window) { return window ? W(window)->parent : nullptr; }

Point MapPoint(Handle from, Handle to, Point point) {
  const Point a = from ? Origin(from) : Point{};
  const Point b = to ? Origin(to) : Point{};
  return Point{point.x + a.x - b.x, point.y + a.y - b.y};
}

void Invalidate(Handle window, const Box*, bool) {
  if (window) ++W(window)->invalidations;
}
void RedrawNow(Handle window) {
  if (window) ++W(window)->invalidations;
}
void UpdateNow(Handle) {}

void SetText(Handle window, RuntimeString* text) {
  if (window) W(window)->text = Utf8(text);
}
void SetFontOf(Handle window, void* font) {
  if (window) W(window)->font = font;
}

void Focus(Handle window) { TheDesktop().focus = window; }
Handle FocusedWindow() { return TheDesktop().focus; }

bool ClassNameIs(Handle window, const char* className) { return window && SameName(W(window)->className, className); }

void CaptureMouse(Handle window) { TheDesktop().capture = window; }
void ReleaseMouse() { TheDesktop().capture = nullptr; }
void WatchMouseLeave(Handle) {}
void DrawBitmap(void*, void*, int32_t, int32_t, int32_t, int32_t) {}

void* NewFont(const FontSpec& plan) {
  auto f = std::make_unique<FakeFont>();
  f->face = plan.face ? plan.face : "";
  f->plan = plan;
  f->plan.face = nullptr;
  Desktop& d = TheDesktop();
  d.fonts.push_back(std::move(f));
  return d.fonts.back().get();
}

void FreeFont(void* font) {
  if (font) static_cast<FakeFont*>(font)->deleted = true;
}

const Metrics& SystemMetrics() {
  // Borderless frames (see MoveWindowTo) on one 1280 x 1024 screen.
  static const Metrics metrics{1280, 1024, 0, 0, 0, 0, 0, 0, 0, Box{0, 0, 1280, 1024}};
  return metrics;
}

Point CursorPosition() { return TheDesktop().cursor; }
bool MouseButtonDown(bool right) { return right ? TheDesktop().right : TheDesktop().left; }
void Beep() { ++TheDesktop().beeps; }
uint32_t ModifiersNow() { return TheDesktop().modifiers; }

// A US keyboard.
int16_t ScanCharacter(uint8_t c) {
  static const char kShiftedDigits[] = ")!@#$%^&*(";
  struct Oem {
    char plain, shifted;
    uint8_t key;
  };
  static const Oem kOem[] = {{';', ':', 0xBA}, {'=', '+', 0xBB}, {',', '<', 0xBC}, {'-', '_', 0xBD},
                             {'.', '>', 0xBE}, {'/', '?', 0xBF}, {'`', '~', 0xC0}, {'[', '{', 0xDB},
                             {'\\', '|', 0xDC}, {']', '}', 0xDD}, {'\'', '"', 0xDE}};
  if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
  if (c >= '0' && c <= '9') return static_cast<int16_t>(c);
  if (c == ' ') return 0x20;
  for (int i = 0; i < 10; ++i)
    if (c == kShiftedDigits[i]) return static_cast<int16_t>(0x100 | ('0' + i));
  for (const Oem& o : kOem) {
    if (c == static_cast<uint8_t>(o.plain)) return o.key;
    if (c == static_cast<uint8_t>(o.shifted)) return static_cast<int16_t>(0x100 | o.key);
  }
  return -1;
}

void ShowKeyboardCues(Handle) {}

}  // namespace ql::ui::native

namespace ql::ui::fake {

FakeWindow* WindowOf(native::Handle window) { return static_cast<FakeWindow*>(window); }
const FakeFont* FontOf(void* font) { return static_cast<const FakeFont*>(font); }

size_t LiveWindowCount() {
  size_t n = 0;
  for (auto& w : native::TheDesktop().windows) n += !w->destroyed;
  return n;
}

size_t LiveFontCount() {
  size_t n = 0;
  for (auto& f : native::TheDesktop().fonts) n += !f->deleted;
  return n;
}

void SetForeground(native::Handle window) { native::TheDesktop().foreground = window; }
void SetModifiers(uint32_t modifiers) { native::TheDesktop().modifiers = modifiers; }
void SetCursor(native::Point screen) { native::TheDesktop().cursor = screen; }
void SetMouseButtons(bool left, bool right) {
  native::TheDesktop().left = left;
  native::TheDesktop().right = right;
}
void FailNextWindow() { native::TheDesktop().failNext = true; }
int32_t BeepCount() { return native::TheDesktop().beeps; }

}  // namespace ql::ui::fake
