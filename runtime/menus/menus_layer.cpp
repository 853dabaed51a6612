#include "menus/menus_layer.h"

#include "menus/menu_bars.h"
#include "menus/menu_dispatch.h"
#include "ui/menu_hooks.h"

namespace ql::menus {

void InstallMenuLayer() {
  ui::MenuHooks hooks;
  hooks.menuCommand = MenuCommand;
  hooks.updateMenus = UpdateMenus;
  hooks.menuShortcut = MenuShortcut;
  hooks.attachMenuBar = AttachMenuBar;
  ui::InstallMenuHooks(hooks);
}

}  // namespace ql::menus
