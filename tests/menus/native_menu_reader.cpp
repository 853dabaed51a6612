#include "native_menu_reader.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "menus/posix/native_menu_posix.h"
#endif

namespace ql::test {

#if defined(_WIN32)

namespace {

std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return std::string();
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), bytes, nullptr, nullptr);
  return out;
}

}  // namespace

std::vector<NativeEntryState> ReadNativeMenu(menus::NativeMenu menu) {
  std::vector<NativeEntryState> entries;
  HMENU handle = static_cast<HMENU>(menu);
  const int count = GetMenuItemCount(handle);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoW(handle, i, TRUE, &info);
    const UINT state = GetMenuState(handle, i, MF_BYPOSITION);
    wchar_t text[256] = {};
    const int length = GetMenuStringW(handle, i, text, 255, MF_BYPOSITION);
    NativeEntryState e{};
    e.kind = info.hSubMenu ? menus::NativeEntryKind::SubMenu
             : (info.fType & MFT_SEPARATOR) ? menus::NativeEntryKind::Separator
                                             : menus::NativeEntryKind::Command;
    e.commandId = info.hSubMenu ? 0 : info.wID;
    e.subMenu = info.hSubMenu;
    e.text = e.kind == menus::NativeEntryKind::Separator ? std::string() : Utf8(text, length);
    e.grayed = (state & MF_GRAYED) != 0;
    e.checked = (state & MF_CHECKED) != 0;
    entries.push_back(e);
  }
  return entries;
}

bool NativeMenuAlive(menus::NativeMenu menu) { return menu && IsMenu(static_cast<HMENU>(menu)); }

#else

std::vector<NativeEntryState> ReadNativeMenu(menus::NativeMenu menu) {
  std::vector<NativeEntryState> entries;
  const menus::StandInMenu* record = menus::StandInMenuOf(menu);
  if (!record) return entries;
  for (const menus::StandInEntry& e : record->entries)
    entries.push_back(NativeEntryState{e.kind, e.commandId, e.subMenu, e.text, e.grayed, e.checked});
  return entries;
}

bool NativeMenuAlive(menus::NativeMenu menu) { return menus::StandInMenuOf(menu) != nullptr; }

#endif

std::string DescribeNativeMenu(menus::NativeMenu menu) {
  std::string out;
  for (const NativeEntryState& e : ReadNativeMenu(menu)) {
    if (!out.empty()) out += " | ";
    if (e.kind == menus::NativeEntryKind::Separator) {
      out += "-";
      continue;
    }
    if (e.grayed) out += "~";
    if (e.checked) out += "*";
    for (const char c : e.text) out += c == '\t' ? std::string("\\t") : std::string(1, c);
    if (e.kind == menus::NativeEntryKind::SubMenu) out += ">";
  }
  return out;
}

}  // namespace ql::test
