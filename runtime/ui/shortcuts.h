// The runtime's shortcut list: one process-wide list, newest first, of
// {target, kind, name}. Menu items (kind 0, entered by the menus layer) and
// controls (kinds 1 to 4: push buttons, tab panels, labels) fill it; the
// key pre-translation matches every key press against it first. At most one
// entry per (target, kind).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/string.h"

namespace ql::ui {

enum class ShortcutKind : int32_t {
  MenuItem = 0,    // acts through the menus layer's hook (menu_hooks.h)
  PushButton = 1,  // the others act through ShortcutTarget::ShortcutAction
  TabPanel = 2,
  StaticText = 3,
  Other = 4,
};

// What a control's shortcut acts on (a pane, or one tab of a tab panel).
class ShortcutTarget {
 public:
  // True when something acted: the key is consumed.
  virtual bool ShortcutAction() = 0;

 protected:
  ~ShortcutTarget() = default;
};

// A menu item's shortcut under its canonical name (the menus layer's
// CommandKey rule, "Ctrl+Shift+S", "F10"); `target` is the menus layer's
// key for the item, handed back to its hook. Replaces the entry of the same
// target.
void EnterMenuShortcut(const void* target, RuntimeString* name);
// A control's shortcut; `text` must contain "Alt" (else an internal error,
// and nothing is entered). Stored as "Alt+" and the key after it.
void EnterControlShortcut(ShortcutTarget* target, ShortcutKind kind, RuntimeString* text);
void RemoveShortcut(const void* target, ShortcutKind kind);
// Every entry of the target, whatever its kind (a pane that goes).
void RemoveShortcutsOf(const void* target);
// Controls name their targets as ShortcutTarget (the base of their pane),
// so the entry is found whatever pointer type the caller holds.
inline void RemoveShortcut(ShortcutTarget* target, ShortcutKind kind) {
  RemoveShortcut(static_cast<const void*>(target), kind);
}
inline void RemoveShortcutsOf(ShortcutTarget* target) { RemoveShortcutsOf(static_cast<const void*>(target)); }

struct ShortcutEntry {
  const void* target;
  ShortcutKind kind;
  RuntimeString* name;  // borrowed from the list
};
// Entries newest first; for tests and the matching below.
size_t ShortcutCount();
ShortcutEntry ShortcutAt(size_t index);
// The entry of (target, kind), if any.
bool FindShortcut(const void* target, ShortcutKind kind, ShortcutEntry* out);

// The name of a key press: "Ctrl+", "Shift+", "Alt+" for the modifiers down
// (pane.h bits), then the key: "F1".."F24", "Esc", "Bsp", "Tab", "Clr",
// "Enter", "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right",
// "Down", "Select", "Print", "Execute", "Snapshot", "Ins", "Del", "Help", or
// the key's character without Shift. nil for virtual key 255.
String ShortcutNameOfKey(uint32_t virtualKey, uint32_t modifiers);

// Walks the list for the key's name: kind 0 entries go to the menus hook
// with the modal-front flag, control kinds to their ShortcutAction; true
// when one consumed the key.
bool MatchShortcut(uint32_t virtualKey, uint32_t modifiers, bool modalFront);

}  // namespace ql::ui
