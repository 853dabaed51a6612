#include "menus/item_shortcuts.h"

#include "ui/shortcuts.h"

namespace ql::menus {

void EnterItemShortcut(const ItemShortcutTarget* target, RuntimeString* shortcutName) {
  ui::EnterMenuShortcut(target, shortcutName);
}

void RemoveItemShortcut(const ItemShortcutTarget* target) { ui::RemoveShortcut(target, ui::ShortcutKind::MenuItem); }

}  // namespace ql::menus
