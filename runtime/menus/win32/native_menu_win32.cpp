#include <windows.h>

#include <string>

#include "core/string.h"
#include "menus/native_menu.h"
#include "platform/version.h"

namespace ql::menus {
namespace {

HMENU Handle(NativeMenu menu) { return static_cast<HMENU>(menu); }

// The shown text in the form the menu call takes: UTF-16 on the NT family,
// the system encoding otherwise.
struct MenuText {
  explicit MenuText(RuntimeString* text) {
    if (platform::IsNTPlatform()) {
      const String utf16 = ConvertToUTF16(text);
      const int32_t units = StringLength(utf16.get()) / 2;
      wide.resize(static_cast<size_t>(units));
      for (int32_t i = 0; i < units; ++i) wide[static_cast<size_t>(i)] = WideUnitAt(StringText(utf16.get()), i);
    } else {
      const String system = ConvertToSystem(text);
      ansi.assign(StringText(system.get()), static_cast<size_t>(StringLength(system.get())));
    }
  }
  std::wstring wide;
  std::string ansi;
};

UINT EntryFlags(const NativeEntry& entry) {
  switch (entry.kind) {
    case NativeEntryKind::Separator:
      return MF_SEPARATOR;
    case NativeEntryKind::SubMenu:
      return MF_STRING | MF_POPUP;
    case NativeEntryKind::Command:
      break;
  }
  return MF_STRING;
}

UINT_PTR EntryIdentifier(const NativeEntry& entry) {
  return entry.kind == NativeEntryKind::SubMenu ? reinterpret_cast<UINT_PTR>(entry.subMenu) : entry.commandId;
}

}  // namespace

NativeMenu CreateNativeMenu(NativeMenuKind kind) {
  return kind == NativeMenuKind::Bar ? CreateMenu() : CreatePopupMenu();
}

void DestroyNativeMenu(NativeMenu menu) {
  if (menu) DestroyMenu(Handle(menu));
}

bool InsertNativeEntry(NativeMenu menu, int32_t position, const NativeEntry& entry) {
  if (!menu) return false;
  const UINT flags = MF_BYPOSITION | EntryFlags(entry);
  const UINT_PTR id = EntryIdentifier(entry);
  if (entry.kind == NativeEntryKind::Separator) return InsertMenuW(Handle(menu), position, flags, id, nullptr);
  const MenuText text(entry.text);
  if (platform::IsNTPlatform()) return InsertMenuW(Handle(menu), position, flags, id, text.wide.c_str());
  return InsertMenuA(Handle(menu), position, flags, id, text.ansi.c_str());
}

void RemoveNativeEntry(NativeMenu menu, int32_t position) {
  if (menu) RemoveMenu(Handle(menu), position, MF_BYPOSITION);
}

void UpdateNativeEntry(NativeMenu menu, int32_t position, const NativeEntry& entry) {
  if (!menu) return;
  const MenuText text(entry.text);
  const bool separator = entry.kind == NativeEntryKind::Separator;
  // A sub-menu entry keeps its type (MFT_STRING with the sub-menu): only the text changes.
  const UINT mask = entry.kind == NativeEntryKind::SubMenu ? MIIM_STRING : separator ? MIIM_FTYPE : MIIM_FTYPE | MIIM_STRING;
  if (platform::IsNTPlatform()) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.fType = separator ? MFT_SEPARATOR : MFT_STRING;
    info.dwTypeData = separator ? nullptr : const_cast<wchar_t*>(text.wide.c_str());
    SetMenuItemInfoW(Handle(menu), position, TRUE, &info);
  } else {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    info.fType = separator ? MFT_SEPARATOR : MFT_STRING;
    info.dwTypeData = separator ? nullptr : const_cast<char*>(text.ansi.c_str());
    SetMenuItemInfoA(Handle(menu), position, TRUE, &info);
  }
}

void SetNativeEntryGrayed(NativeMenu menu, int32_t position, bool grayed) {
  if (menu) EnableMenuItem(Handle(menu), position, MF_BYPOSITION | (grayed ? MF_GRAYED : MF_ENABLED));
}

void SetNativeEntryChecked(NativeMenu menu, int32_t position, bool checked) {
  if (menu) CheckMenuItem(Handle(menu), position, MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool NativeCommandGrayed(NativeMenu menu, uint32_t commandId) {
  if (!menu) return false;
  const UINT state = GetMenuState(Handle(menu), commandId, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & MF_GRAYED);
}

void RedrawForegroundMenuBar() {
  if (HWND foreground = GetForegroundWindow()) DrawMenuBar(foreground);
}

void SetWindowMenuBar(void* window, NativeMenu bar) {
  if (window) SetMenu(static_cast<HWND>(window), Handle(bar));
}

}  // namespace ql::menus
