#include "ui/shortcuts.h"

#include <stdio.h>
#include <string.h>

#include "core/array.h"
#include "core/assertion.h"
#include "ui/keys.h"
#include "ui/menu_hooks.h"

namespace ql::ui {
namespace {

struct Entry {
  const void* target;
  ShortcutTarget* control;  // kinds 1 to 4
  ShortcutKind kind;
  RuntimeString* name;      // one reference
};

// Oldest first; the head of the list is the last element.
Array<Entry>& List() {
  static Array<Entry>& list = *new Array<Entry>;
  return list;
}

void Enter(const Entry& entry) {
  RemoveShortcut(entry.target, entry.kind);
  List().Append(entry);
}

const char* const kKeys32To47[] = {"Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right",
                                   "Down", "Select", "Print", "Execute", "Snapshot", "Ins", "Del", "Help"};

const char* NamedKey(uint32_t virtualKey) {
  switch (virtualKey) {
    case 27: return "Esc";
    case 8: return "Bsp";
    case 9: return "Tab";
    case 12: return "Clr";
    case 13: return "Enter";
    default: break;
  }
  if (virtualKey >= 32 && virtualKey <= 47) return kKeys32To47[virtualKey - 32];
  return nullptr;
}

}  // namespace

void EnterMenuShortcut(const void* target, RuntimeString* name) {
  if (!target || !name) return;
  Enter(Entry{target, nullptr, ShortcutKind::MenuItem, RetainString(name)});
}

void EnterControlShortcut(ShortcutTarget* target, ShortcutKind kind, RuntimeString* text) {
  if (!target || kind == ShortcutKind::MenuItem) return;
  const char* bytes = StringText(text);
  const int32_t length = StringLength(text);
  const void* alt = nullptr;
  for (int32_t i = 0; i + 3 <= length && !alt; ++i)
    if (memcmp(bytes + i, "Alt", 3) == 0) alt = bytes + i;
  if (!QL_CHECK(alt != nullptr, "win32windows", 1231, "hasAlt")) return;
  // Canonical form: "Alt+" and the key after the last '+'.
  int32_t keyStart = static_cast<int32_t>(static_cast<const char*>(alt) - bytes) + 3;
  for (int32_t i = keyStart; i < length; ++i)
    if (bytes[i] == '+') keyStart = i + 1;
  String prefix = NewStringFromCText("Alt+");
  String key = NewStringFromBytes(bytes + keyStart, length - keyStart, StringEncoding(text));
  String name = ConcatStrings(prefix.get(), key.get());
  Enter(Entry{static_cast<const void*>(target), target, kind, name.release()});
}

void RemoveShortcut(const void* target, ShortcutKind kind) {
  Array<Entry>& list = List();
  for (size_t i = 0; i < list.Count(); ++i)
    if (list[i].target == target && list[i].kind == kind) {
      ReleaseString(list[i].name);
      list.RemoveAt(i);
      return;
    }
}

void RemoveShortcutsOf(const void* target) {
  Array<Entry>& list = List();
  for (size_t i = list.Count(); i-- > 0;)
    if (list[i].target == target) {
      ReleaseString(list[i].name);
      list.RemoveAt(i);
    }
}

size_t ShortcutCount() { return List().Count(); }

ShortcutEntry ShortcutAt(size_t index) {
  const Entry& e = List()[List().Count() - 1 - index];
  return ShortcutEntry{e.target, e.kind, e.name};
}

bool FindShortcut(const void* target, ShortcutKind kind, ShortcutEntry* out) {
  for (const Entry& e : List())
    if (e.target == target && e.kind == kind) {
      if (out) *out = ShortcutEntry{e.target, e.kind, e.name};
      return true;
    }
  return false;
}

String ShortcutNameOfKey(uint32_t virtualKey, uint32_t modifiers) {
  if (virtualKey == 255) return String();
  char name[32] = "";
  if (modifiers & kModifierControl) strcat(name, "Ctrl+");
  if (modifiers & kModifierShift) strcat(name, "Shift+");
  if (modifiers & kModifierAlt) strcat(name, "Alt+");
  const size_t used = strlen(name);
  if (virtualKey >= kKeyF1 && virtualKey <= kKeyF24) {
    snprintf(name + used, sizeof name - used, "F%u", virtualKey - kKeyF1 + 1);
  } else if (const char* named = NamedKey(virtualKey)) {
    snprintf(name + used, sizeof name - used, "%s", named);
  } else {
    name[used] = static_cast<char>(KeyCharacter(virtualKey, 0));
    name[used + 1] = 0;
  }
  return NewStringFromBytes(name, static_cast<int32_t>(strlen(name)), QL_ENCODING_WINLATIN1);
}

bool MatchShortcut(uint32_t virtualKey, uint32_t modifiers, bool modalFront) {
  String name = ShortcutNameOfKey(virtualKey, modifiers);
  if (name.empty()) return false;
  // The matching entries first: an action may change the list.
  struct Match {
    const void* target;
    ShortcutKind kind;
  };
  Array<Match> matches;
  const Array<Entry>& list = List();
  for (size_t i = list.Count(); i-- > 0;)
    if (CompareNames(list[i].name, name.get()) == 0) matches.Append(Match{list[i].target, list[i].kind});
  for (const Match& m : matches) {
    if (!FindShortcut(m.target, m.kind, nullptr)) continue;
    if (m.kind == ShortcutKind::MenuItem) {
      const MenuHooks& hooks = CurrentMenuHooks();
      if (hooks.menuShortcut && hooks.menuShortcut(m.target, modalFront)) return true;
      continue;
    }
    for (const Entry& e : List())
      if (e.target == m.target && e.kind == m.kind) {
        if (e.control->ShortcutAction()) return true;
        break;
      }
  }
  return false;
}

}  // namespace ql::ui
