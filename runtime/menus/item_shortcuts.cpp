// Until the window layer's shortcut list is merged: the entries are kept here.
#include "menus/item_shortcuts.h"

#include <map>

#include "core/string.h"

namespace ql::menus {
namespace {

std::map<const ItemShortcutTarget*, String>& Entries() {
  static std::map<const ItemShortcutTarget*, String>& entries = *new std::map<const ItemShortcutTarget*, String>;
  return entries;
}

}  // namespace

void EnterItemShortcut(const ItemShortcutTarget* target, RuntimeString* shortcutName) {
  Entries()[target] = String::Retain(shortcutName);
}

void RemoveItemShortcut(const ItemShortcutTarget* target) { Entries().erase(target); }

}  // namespace ql::menus
