#include "menus/menu_events.h"

#include "ui/events.h"

namespace ql::menus {
namespace {

constexpr int32_t kHandlerActionSlot = 0;

int32_t Slot(MenuItemEvent event) { return static_cast<int32_t>(event); }

}  // namespace

bool Implements(const RuntimeObject* o, MenuItemEvent event) { return ui::Implements(o, Slot(event)); }

bool FireAction(RuntimeObject* item, MenuItemEvent event) { return ui::FireBooleanEvent(item, Slot(event)); }

void FireEnableMenu(RuntimeObject* item) { ui::FireEvent(item, Slot(MenuItemEvent::EnableMenu)); }

bool FireHandlerAction(RuntimeObject* handler, int32_t index) {
  return ui::FireBooleanEvent<int32_t>(handler, kHandlerActionSlot, index);
}

}  // namespace ql::menus
