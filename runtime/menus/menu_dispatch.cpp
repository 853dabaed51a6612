#include "menus/menu_dispatch.h"

#include "core/assertion.h"
#include "core/exception.h"
#include "core/object.h"
#include "core/string.h"
#include "menus/item_shortcuts.h"
#include "menus/menu_bars.h"
#include "menus/menu_events.h"
#include "menus/menu_item.h"
#include "menus/menu_tree.h"
#include "quillon/entrypoints/menus.h"
#include "startup/application.h"
#include "ui/control_object.h"
#include "ui/events.h"
#include "ui/menu_hooks.h"
#include "ui/native.h"
#include "ui/pane.h"
#include "ui/shortcuts.h"

namespace ql::menus {
namespace {

// Who a choice or an update of the menus concerns, each held for the time
// the application's handlers run (they may close windows or move focus).
struct Participants {
  ObjectRef window;   // the front document window, or nil
  ObjectRef control;  // the focused control, when it lies in that window
  ObjectRef focused;  // the focused control, wherever it lies
  ApplicationObject* app = CurrentApplication();

  Participants() : window(ObjectRef::Retain(FrontDocumentWindow())), focused(ObjectRef::Retain(ui::FocusedControl())) {
    if (window && focused && ui::AsControl(focused.get())->window == window.get()) control = focused;
  }
};

RuntimeObject* ControlHandler(RuntimeObject* control, RuntimeString* name) {
  StringMap<RuntimeObject>* table = control ? ui::AsControl(control)->menuHandlers : nullptr;
  return table && name ? table->Find(name) : nullptr;
}

RuntimeObject* ApplicationHandler(ApplicationObject* app, RuntimeString* name) {
  return app && app->menuHandlers && name ? app->menuHandlers->Find(name) : nullptr;
}

bool OfferToHandler(RuntimeObject* handler, int32_t index) { return handler && FireHandlerAction(handler, index); }

bool HasHandler(const Participants& p, RuntimeString* name) {
  return ControlHandler(p.control.get(), name) || ui::WindowMenuHandler(p.window.get(), name) ||
         ApplicationHandler(p.app, name);
}

// The focused control's menu enabling names the items it serves.
class ItemEnabler final : public ui::MenuItemEnabler {
 public:
  explicit ItemEnabler(MenuItemImp* bar) : bar_(bar) {}
  void EnableItem(const char* itemName) override {
    if (!bar_ || !itemName) return;
    const String name = NewStringFromCText(itemName);
    const ItemList items(bar_, Order::DepthFirst);
    for (size_t i = 0; i < items.Count(); ++i) {
      MenuItemImp* item = ImpOf(items[i]);
      if (item && CompareNames(item->name(), name.get()) == 0) item->SetEnabled(true);
    }
  }

 private:
  MenuItemImp* bar_;
};

void DisableAll(RuntimeObject* menuBar) {
  if (MenuItemImp* bar = ImpOf(menuBar)) bar->SetEnabled(false);
}

void AutoEnable(const Participants& p, MenuItemImp* bar) {
  const ItemList items(bar, Order::BreadthFirst);
  for (size_t i = 0; i < items.Count(); ++i) {
    MenuItemImp* item = ImpOf(items[i]);
    if (!item || !item->autoEnable()) continue;
    if (HasHandler(p, item->name()) || Implements(items[i], MenuItemEvent::Action)) item->SetEnabled(true);
  }
}

void FireEnableMenuEvents(MenuItemImp* bar) {
  const ItemList items(bar, Order::DepthFirst);
  for (size_t i = 0; i < items.Count(); ++i) FireEnableMenu(items[i]);
}

}  // namespace

bool ChooseItem(RuntimeObject* item) {
  MenuItemImp* imp = ImpOf(item);
  if (!imp) return false;
  const ObjectRef hold = ObjectRef::Retain(item);
  const String name = String::Retain(imp->name());
  const int32_t index = imp->index();
  const Participants p;
  if (OfferToHandler(ControlHandler(p.control.get(), name.get()), index)) return true;
  if (OfferToHandler(ui::WindowMenuHandler(p.window.get(), name.get()), index)) return true;
  if (OfferToHandler(ApplicationHandler(p.app, name.get()), index)) return true;
  if (FireAction(item)) return true;
  // The built-in command only while the control still has the focus.
  if (!p.focused || ui::FocusedControl() != p.focused.get()) return false;
  ui::Pane* pane = ui::ApplicationFocusPane();
  return pane && pane->MenuCommand(name.get());
}

bool MenuCommand(bool, uint32_t commandId) {
  const ObjectRef bar = CommandMenuBar();
  MenuItemImp* item = FindByCommandId(ImpOf(bar.get()), commandId);
  return item && ChooseItem(item->owner());
}

void UpdateMenus(bool modalFront) {
  const Participants p;
  if (ui::native::MdiFrame() && p.app) DisableAll(p.app->menuBar);
  const ObjectRef bar = EnablingMenuBar();
  MenuItemImp* barImp = ImpOf(bar.get());
  if (barImp) {
    barImp->SetEnabled(false);
    if (!modalFront) {
      AutoEnable(p, barImp);
      FireEnableMenuEvents(barImp);
    }
  }
  if (p.focused) {
    if (ui::Pane* pane = ui::ApplicationFocusPane()) {
      ItemEnabler enabler(barImp);
      pane->EnableMenuItems(enabler);
    }
  }
  if (p.window) ui::FireEvent(p.window.get(), ui::WindowEvent::EnableMenuItems);
  if (!modalFront && p.app) ui::FireEvent(&p.app->header, static_cast<int32_t>(ApplicationEvent::EnableMenuItems));
}

bool MenuShortcut(const void* target, bool modalFront) {
  UpdateMenus(modalFront);
  // The update ran the application's code: the item may have left its menu.
  ui::ShortcutEntry entry;
  if (!ui::FindShortcut(target, ui::ShortcutKind::MenuItem, &entry)) return false;
  const ItemShortcutTarget* item = static_cast<const ItemShortcutTarget*>(target);
  if (NativeCommandGrayed(item->parentMenu, item->commandId)) return false;
  return MenuCommand(modalFront, item->commandId);
}

}  // namespace ql::menus

using namespace ql;
using namespace ql::menus;

QL_ENTRY bool RuntimeMenuItemClick(RuntimeObject* item) {
  if (!item) {
    RaiseNilObjectException();
    return false;
  }
  if (!QL_CHECK(ImpOf(item), "menubar", __LINE__, "menu->mImp")) return false;
  return ChooseItem(item);
}

QL_ENTRY void enableMenuItems(void) { UpdateMenus(false); }
