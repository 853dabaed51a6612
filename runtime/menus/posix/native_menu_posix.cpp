#include "menus/posix/native_menu_posix.h"

#include <map>
#include <set>

#include "core/string.h"
#include "ui/posix/fake_windows.h"

namespace ql::menus {
namespace {

std::set<StandInMenu*>& LiveMenus() {
  static std::set<StandInMenu*>& menus = *new std::set<StandInMenu*>;
  return menus;
}

StandInMenu* Record(NativeMenu menu) {
  StandInMenu* record = static_cast<StandInMenu*>(menu);
  return record && LiveMenus().count(record) ? record : nullptr;
}

StandInEntry* EntryAt(NativeMenu menu, int32_t position) {
  StandInMenu* record = Record(menu);
  if (!record || position < 0 || static_cast<size_t>(position) >= record->entries.size()) return nullptr;
  return &record->entries[static_cast<size_t>(position)];
}

std::string Utf8(RuntimeString* text) {
  const String utf8 = ConvertToUTF8(text);
  return std::string(StringText(utf8.get()), static_cast<size_t>(StringLength(utf8.get())));
}

std::map<void*, NativeMenu>& WindowMenus() {
  static std::map<void*, NativeMenu>& menus = *new std::map<void*, NativeMenu>;
  return menus;
}

void Log(const std::string& line) { StandInOperations().push_back(line); }

bool GrayedIn(const StandInMenu& menu, uint32_t commandId, bool* found) {
  for (const StandInEntry& e : menu.entries) {
    if (e.kind != NativeEntryKind::SubMenu && e.commandId == commandId) {
      *found = true;
      return e.grayed;
    }
    if (e.kind == NativeEntryKind::SubMenu)
      if (const StandInMenu* sub = Record(e.subMenu)) {
        const bool grayed = GrayedIn(*sub, commandId, found);
        if (*found) return grayed;
      }
  }
  return false;
}

}  // namespace

const StandInMenu* StandInMenuOf(NativeMenu menu) { return Record(menu); }

size_t LiveStandInMenus() { return LiveMenus().size(); }

std::vector<std::string>& StandInOperations() {
  static std::vector<std::string>& operations = *new std::vector<std::string>;
  return operations;
}

NativeMenu CreateNativeMenu(NativeMenuKind kind) {
  StandInMenu* menu = new StandInMenu{kind, {}};
  LiveMenus().insert(menu);
  return menu;
}

void DestroyNativeMenu(NativeMenu menu) {
  StandInMenu* record = Record(menu);
  if (!record) return;
  LiveMenus().erase(record);
  delete record;
}

bool InsertNativeEntry(NativeMenu menu, int32_t position, const NativeEntry& entry) {
  StandInMenu* record = Record(menu);
  if (!record) return false;
  // Like InsertMenu by position: a position past the end appends.
  const size_t at = position < 0 || static_cast<size_t>(position) > record->entries.size()
                        ? record->entries.size()
                        : static_cast<size_t>(position);
  const std::string text = entry.kind == NativeEntryKind::Separator ? std::string() : Utf8(entry.text);
  // Like Win32, a separator is greyed from the start.
  const bool separator = entry.kind == NativeEntryKind::Separator;
  record->entries.insert(record->entries.begin() + static_cast<std::ptrdiff_t>(at),
                         StandInEntry{entry.kind, entry.kind == NativeEntryKind::SubMenu ? 0 : entry.commandId,
                                      entry.kind == NativeEntryKind::SubMenu ? entry.subMenu : nullptr, text,
                                      separator, false});
  Log("insert " + std::to_string(at) + " " + text);
  return true;
}

void RemoveNativeEntry(NativeMenu menu, int32_t position) {
  StandInMenu* record = Record(menu);
  if (!EntryAt(menu, position)) return;
  record->entries.erase(record->entries.begin() + position);
  Log("remove " + std::to_string(position));
}

void UpdateNativeEntry(NativeMenu menu, int32_t position, const NativeEntry& entry) {
  StandInEntry* e = EntryAt(menu, position);
  if (!e) return;
  if (e->kind != NativeEntryKind::SubMenu) {
    e->kind = entry.kind == NativeEntryKind::Separator ? NativeEntryKind::Separator : NativeEntryKind::Command;
    if (e->kind == NativeEntryKind::Separator) e->grayed = true;  // and it stays so when it becomes text
  }
  e->text = e->kind == NativeEntryKind::Separator ? std::string() : Utf8(entry.text);
  Log("update " + std::to_string(position) + " " + e->text);
}

void SetNativeEntryGrayed(NativeMenu menu, int32_t position, bool grayed) {
  if (StandInEntry* e = EntryAt(menu, position)) {
    e->grayed = grayed;
    Log("gray " + std::to_string(position) + (grayed ? " 1" : " 0"));
  }
}

void SetNativeEntryChecked(NativeMenu menu, int32_t position, bool checked) {
  if (StandInEntry* e = EntryAt(menu, position)) {
    e->checked = checked;
    Log("check " + std::to_string(position) + (checked ? " 1" : " 0"));
  }
}

bool NativeCommandGrayed(NativeMenu menu, uint32_t commandId) {
  const StandInMenu* record = Record(menu);
  bool found = false;
  return record && GrayedIn(*record, commandId, &found);
}

void RedrawForegroundMenuBar() {}

// The window stand-in learns that the window has a menu, as GetMenu would tell.
void SetWindowMenuBar(void* window, NativeMenu bar) {
  ui::fake::FakeWindow* record = ui::fake::WindowOf(window);
  if (!record) return;
  record->hasMenu = bar != nullptr;
  if (bar) {
    WindowMenus()[window] = bar;
  } else {
    WindowMenus().erase(window);
  }
}

NativeMenu StandInWindowMenu(void* window) {
  const auto found = WindowMenus().find(window);
  return found == WindowMenus().end() ? nullptr : found->second;
}

}  // namespace ql::menus
