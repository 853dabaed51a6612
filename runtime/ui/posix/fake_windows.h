// The POSIX stand-in for native windows: every window a pane or view asks
// for is a record of the state a real window would have, so that tests on
// linux can read what the window layer did (parents, positions, visibility,
// enabling, fonts, focus) and play the user (foreground window, modifier
// keys, cursor).
#pragma once

#include <stdint.h>

#include <string>

#include "ui/native.h"

namespace ql::ui::fake {

struct FakeWindow {
  std::string className;
  std::string text;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  native::Handle parent = nullptr;  // nil for a top-level window
  native::Handle owner = nullptr;
  native::Point position;           // in the parent's client coordinates (screen for top-level)
  int32_t width = 0;                // client size for top-level windows
  int32_t height = 0;
  bool visible = false;
  bool enabled = true;
  bool destroyed = false;
  bool topLevel = false;
  bool mdiChild = false;
  bool hasMenu = false;
  void* font = nullptr;
  Pane* pane = nullptr;
  RuntimeViewWindow* view = nullptr;
  int32_t invalidations = 0;  // Invalidate and RedrawNow calls
};

struct FakeFont {
  std::string face;
  native::FontSpec plan;
  bool deleted = false;
};

// The record behind a handle (nil for nil).
FakeWindow* WindowOf(native::Handle window);
const FakeFont* FontOf(void* font);
// Windows made and not destroyed, top-level and child.
size_t LiveWindowCount();
size_t LiveFontCount();

// Playing the user.
void SetForeground(native::Handle window);
void SetModifiers(uint32_t modifiers);
void SetCursor(native::Point screen);
void SetMouseButtons(bool left, bool right);
// The next top-level window the stand-in creates fails (CreateWindowEx
// returning nil).
void FailNextWindow();
int32_t BeepCount();

}  // namespace ql::ui::fake
