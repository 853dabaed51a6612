// Key presses: the character a KeyDown event receives for a virtual key, and
// the key pre-translation the main loop runs on every key-down before it is
// dispatched (shortcuts, the focused control's KeyDown, the window's
// KeyDown, then Tab / Shift+Tab, the arrow keys, Return and Escape).
#pragma once

#include <stdint.h>

#include "core/string.h"
#include "ui/pane.h"

namespace ql::ui {

// Virtual keys the pre-translation knows by name.
enum : uint32_t {
  kKeyBack = 0x08,
  kKeyTab = 0x09,
  kKeyReturn = 0x0D,
  kKeyEscape = 0x1B,
  kKeyPrior = 0x21,
  kKeyNext = 0x22,
  kKeyEnd = 0x23,
  kKeyHome = 0x24,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
  kKeyInsert = 0x2D,
  kKeyDelete = 0x2E,
  kKeyF1 = 0x70,
  kKeyF24 = 0x87,
  kKeyKeypadEnter = 0x97,  // Return with the extended-key flag
};

// The modifier keys themselves (16 to 20, 91 to 93, 144, 145): their
// KeyDown string is empty.
bool IsModifierKey(uint32_t virtualKey);

// The KeyDown character of a virtual key with the modifier bits held (table
// of docs/ui.md); keys the table does not name fall back to the first
// character 32-255 that the keyboard gives with the same Shift and Ctrl+Alt
// state, then to the virtual key itself.
uint8_t KeyCharacter(uint32_t virtualKey, uint32_t modifiers);
// The event for a key-down: the keypad's Enter as 0x97, the character, the
// empty string for the modifier keys.
KeyEvent MakeKeyEvent(uint32_t virtualKey, bool extended, uint32_t modifiers);
// The KeyDown argument: a one-character string, or nil.
String KeyString(const KeyEvent& event);

// The pre-translation of a key-down aimed at `view` (nil when the key's
// window is not in a runtime window: then only the shortcuts are matched);
// true when the key was consumed and must not be dispatched.
bool PreTranslateKeyDown(RuntimeViewWindow* view, uint32_t virtualKey, bool extended, uint32_t modifiers);

}  // namespace ql::ui
