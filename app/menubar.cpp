// MenuBar1, the menu bar of the application and of Window1: its constructor
// builds the menus from the table below.
#include "titrix.h"

namespace titrix {
namespace {

using quillon::IsNil;

// One item: its parent (an earlier row, or the bar), class, name, text and
// shortcut key. Every item is auto-enabled, plain and unchecked.
struct MenuRow {
  int32_t parent;  // row of the menu it sits in, kBar for a menu title
  RuntimeString* itemClass;
  RuntimeString* name;  // nil for the separator
  RuntimeString* text;
  RuntimeString* commandKey;  // nil: no shortcut
};
constexpr int32_t kBar = -1;

#define TITRIX_ITEM QL_ASCII("MenuItem")
constexpr MenuRow kMenus[] = {
    {kBar, TITRIX_ITEM, QL_ASCII("FileMenu"), QL_STR("&File"), nullptr},
    {0, QL_ASCII("QuitMenuItem"), QL_ASCII("FileQuit"), QL_STR("E&xit"), QL_ASCII("Q")},
    {kBar, TITRIX_ITEM, QL_ASCII("EditMenu"), QL_STR("&Edit"), nullptr},
    {2, TITRIX_ITEM, QL_ASCII("EditUndo"), QL_STR("Undo"), QL_ASCII("Z")},
    {2, TITRIX_ITEM, nullptr, QL_STR("-"), nullptr},
    {2, TITRIX_ITEM, QL_ASCII("EditCut"), QL_STR("Cut"), QL_ASCII("X")},
    {2, TITRIX_ITEM, QL_ASCII("EditCopy"), QL_STR("Copy"), QL_ASCII("C")},
    {2, TITRIX_ITEM, QL_ASCII("EditPaste"), QL_STR("Paste"), QL_ASCII("V")},
    {2, TITRIX_ITEM, QL_ASCII("EditClear"), QL_STR("Clear"), nullptr},
    {kBar, TITRIX_ITEM, QL_ASCII("prefs"), QL_STR("&Preferences"), nullptr},
    {9, TITRIX_ITEM, QL_ASCII("show_mw"), QL_STR("Show Calculated M.W."), nullptr},
    {9, TITRIX_ITEM, QL_ASCII("save_fields"), QL_STR("Remember Input Fields"), nullptr},
    {kBar, TITRIX_ITEM, QL_ASCII("HelpMenu"), QL_STR("&Help"), nullptr},
    {12, TITRIX_ITEM, QL_ASCII("HelpHelp"), QL_STR("Titrix Help"), nullptr},
};
#undef TITRIX_ITEM
constexpr int32_t kRows = sizeof kMenus / sizeof kMenus[0];

Object NewItem(const MenuRow& row) {
  Object item = Object::Adopt(RuntimeNewObject(RuntimeLookupClass(row.itemClass)));
  if (IsNil(item.get())) return item;
  RuntimeObject* o = item.get();
  RuntimeMenuItemDefaultConstructor(o);
  if (row.name) RuntimeMenuItemNameSetter(o, 0, row.name);
  RuntimeMenuItemTextSetter(o, 0, row.text);
  if (row.commandKey) RuntimeMenuItemCommandKeySetter(o, 0, row.commandKey);
  RuntimeMenuItemAutoEnableSetter(o, 0, true);
  RuntimeMenuItemBoldSetter(o, 0, false);
  RuntimeMenuItemItalicsSetter(o, 0, false);
  RuntimeMenuItemUnderlineSetter(o, 0, false);
  return item;
}

// The constructor MenuBar1().
void Construct(RuntimeObject* bar) {
  quillon::MethodScope scope;
  if (IsNil(bar)) return;
  RuntimeMenuItemDefaultConstructor(bar);
  Object items[kRows];
  for (int32_t i = 0; i < kRows && !scope.raised(); ++i) {
    items[i] = NewItem(kMenus[i]);
    RuntimeObject* parent = kMenus[i].parent == kBar ? bar : items[kMenus[i].parent].get();
    if (!IsNil(parent)) RuntimeMenuItemAppend(parent, items[i].get());
  }
}

constexpr quillon::MethodSpec kMethods[] = {{QL_CODE(Construct), QL_ASCII("MenuBar1%%o<MenuBar1>")}};

constexpr quillon::ClassSpec kMenuBar1{
    .name = QL_ASCII("MenuBar1"), .superclass = QL_ASCII("MenuBar"), .methods = kMethods};

constinit RuntimeClass* gMenuBar1 = nullptr;
constinit RuntimeObject* gMenuBar1Instance = nullptr;

}  // namespace

RuntimeClass* MenuBar1Class() { return quillon::ClassFor(gMenuBar1, kMenuBar1); }

RuntimeObject* MenuBar1Instance() {
  if (!gMenuBar1Instance) {
    gMenuBar1Instance = RuntimeNewObject(MenuBar1Class());
    Construct(gMenuBar1Instance);
  }
  return gMenuBar1Instance;
}

}  // namespace titrix
