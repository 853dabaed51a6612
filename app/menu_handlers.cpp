// The menu handlers of Window1: one class derived from _MenuHandler per
// item the window handles, with an `owner` property (the window) and an
// Action event that calls the window's method for the item.
#include "quillon/intrinsic_tables.h"
#include "titrix.h"

namespace titrix {

namespace {

using quillon::IsNil;

struct HandlerFields {
  RuntimeObject* owner;  // property owner: the Window1 the handler belongs to, one reference
};

RuntimeObject*& OwnerOf(RuntimeObject* handler) {
  return quillon::OwnFields<HandlerFields>(handler, handler->cls)->owner;
}

void ReleaseOwner(RuntimeObject* handler) {
  RuntimeObject*& owner = OwnerOf(handler);
  RuntimeUnlockObject(owner);
  owner = nullptr;
}

// Action(index As Integer) As Boolean: the item's method on the owner.
template <bool (*Method)(RuntimeObject* window1)>
bool Action(RuntimeObject* handler, int32_t) {
  if (IsNil(handler)) return false;
  RuntimeObject* owner = OwnerOf(handler);
  if (IsNil(owner)) return false;
  return Method(owner);
}

constexpr quillon::PropertySpec kOwner[] = {
    {QL_ASCII("owner%o<Window1>%"), 0, QL_STANDARD, QL_STANDARD}};

#define TITRIX_HANDLER(item)                                                                                   \
  constexpr quillon::MethodSpec k##item##Methods[] = {                                                         \
      {QL_CODE(MenuHandlerConstructor), QL_ASCII("Window1_" #item "%%o<Window1_" #item ">o<Window1>")}};       \
  constexpr quillon::EventSpec k##item##Events[] = {{quillon::MenuHandlerEvent::Action,                        \
                                                     QL_CODE(Action<item##_Action>), QL_ASCII("Action"),       \
                                                     QL_ASCII("#Action%b%o<Window1_" #item ">i")}};            \
  constexpr quillon::ClassSpec k##item{.name = QL_ASCII("Window1_" #item),                                     \
                                       .superclass = QL_ASCII("_MenuHandler"),                                 \
                                       .superEvents = quillon::MenuHandlerEvent::Count,                        \
                                       .fieldBytes = sizeof(HandlerFields),                                    \
                                       .destroyHook = ReleaseOwner,                                            \
                                       .methods = k##item##Methods,                                            \
                                       .events = k##item##Events,                                              \
                                       .properties = kOwner};

TITRIX_HANDLER(show_mw)
TITRIX_HANDLER(save_fields)
TITRIX_HANDLER(HelpHelp)

struct HandlerClass {
  const quillon::ClassSpec* plan;
  RuntimeString* itemName;
};
constexpr HandlerClass kHandlers[] = {
    {&kshow_mw, QL_ASCII("show_mw")},
    {&ksave_fields, QL_ASCII("save_fields")},
    {&kHelpHelp, QL_ASCII("HelpHelp")},
};
static_assert(sizeof kHandlers / sizeof kHandlers[0] == static_cast<size_t>(Handler::Count));

constinit RuntimeClass* gHandlerClasses[static_cast<int32_t>(Handler::Count)] = {};

}  // namespace

RuntimeClass* MenuHandlerClass(Handler handler) {
  const int32_t i = static_cast<int32_t>(handler);
  return quillon::ClassFor(gHandlerClasses[i], *kHandlers[i].plan);
}

RuntimeString* MenuHandlerItemName(Handler handler) { return kHandlers[static_cast<int32_t>(handler)].itemName; }

// The constructor Window1_<item>(owner As Window1).
void MenuHandlerConstructor(RuntimeObject* handler, RuntimeObject* owner) {
  if (IsNil(handler)) return;
  RuntimeObject*& field = OwnerOf(handler);
  RuntimeLockUnlockObjects(owner, field);
  field = owner;
}

}  // namespace titrix
