#include "menus/menu_events.h"

#include "core/object.h"

namespace ql::menus {
namespace {

using BooleanEvent = bool (*)(RuntimeObject*);
using PlainEvent = void (*)(RuntimeObject*);
using IndexEvent = bool (*)(RuntimeObject*, int32_t);

constexpr int32_t kHandlerActionSlot = 0;

void* Handler(const RuntimeObject* o, MenuItemEvent event) { return EventHandlerAt(o, static_cast<int32_t>(event)); }

}  // namespace

bool Implements(const RuntimeObject* o, MenuItemEvent event) { return Handler(o, event) != nullptr; }

bool FireAction(RuntimeObject* item, MenuItemEvent event) {
  void* handler = Handler(item, event);
  return handler && reinterpret_cast<BooleanEvent>(handler)(item);
}

void FireEnableMenu(RuntimeObject* item) {
  if (void* handler = Handler(item, MenuItemEvent::EnableMenu)) reinterpret_cast<PlainEvent>(handler)(item);
}

bool FireHandlerAction(RuntimeObject* handler, int32_t index) {
  void* action = EventHandlerAt(handler, kHandlerActionSlot);
  return action && reinterpret_cast<IndexEvent>(action)(handler, index);
}

}  // namespace ql::menus
