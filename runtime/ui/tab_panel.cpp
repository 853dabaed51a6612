// Classes PagePanel and TabPanel: their tables and accessors.
#include "ui/tab_panel.h"

#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "quillon/entrypoints/controls.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_fields.h"
#include "ui/tab_pane.h"

namespace ql::ui {
namespace {

enum : uint32_t { kTabsBottom = 0x2, kTabsVertical = 0x80, kTabsRight = 0x2 };

bool IsTabPanel(RuntimeObject* o) { return ClassDescendsFrom(o->cls, ClassOf(intrinsic::TabPanel)); }

TabPanelObject* Tabs(RuntimeObject* o) { return FieldsOf<TabPanelObject>(o); }
TabPane* TabPaneOf(RuntimeObject* o) {
  TabPanelObject* t = Tabs(o);
  return t ? static_cast<TabPane*>(t->page.control.pane) : nullptr;
}
PagePane* PagePaneOf(RuntimeObject* o) {
  PagePanelObject* p = FieldsOf<PagePanelObject>(o);
  return p ? static_cast<PagePane*>(p->control.pane) : nullptr;
}

void DestroyTabPanel(RuntimeObject* o) {
  TabPanelObject* t = AsTabPanel(o);
  ReleaseString(t->tabDefinition);
  ReleaseString(t->font.textFont);
  t->tabDefinition = t->font.textFont = nullptr;
}

// Implemented by PagePanel for both classes.
void CreatePagePane(RuntimeObject* o) {
  if (IsTabPanel(o))
    TabPane::Create(AsTabPanel(o));
  else
    PagePane::Create(AsPagePanel(o));
}

void RebuildFont(TabPanelObject* t) {
  if (TabPane* pane = static_cast<TabPane*>(t->page.control.pane)) pane->UseFont(ChoiceOf(t->font));
}

const PropertyEntry kPagePanelProperties[] = {
    Property("Enabled", types::Boolean, QL_LINK(controlEnabledGetter), QL_LINK(controlEnabledSetter)),
    Property("Value", types::Integer, QL_LINK(PagePanelValueGetter), QL_LINK(PagePanelValueSetter)),
    Property("PanelCount", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter),
             offsetof(PagePanelObject, panelCount)),
};

const EventDeclarationEntry kPagePanelEvents[] = {Event("Change")};

const EventImplementation kPagePanelHandlers[] = {Handles("CreatePane", CreatePagePane)};

const PropertyEntry kTabPanelProperties[] = {
    Property("Enabled", types::Boolean, QL_LINK(controlEnabledGetter), QL_LINK(controlEnabledSetter)),
    WriteOnlyProperty("TabDefinition", types::String, QL_LINK(stringSetter), offsetof(TabPanelObject, tabDefinition)),
    Property("Value", types::Integer, QL_LINK(tabPanelValueGetter), QL_LINK(tabPanelValueSetter)),
    Property("Facing", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter), offsetof(TabPanelObject, facing)),
    Property("SmallTabs", types::Boolean, QL_LINK(boolGetter), QL_LINK(boolSetter),
             offsetof(TabPanelObject, smallTabs)),
    Property("TextFont", types::String, QL_LINK(stringGetter), QL_LINK(tabPanelTextFontSetter),
             offsetof(TabPanelObject, font.textFont)),
    Property("TextSize", types::Integer, QL_LINK(shortGetter), QL_LINK(tabPanelTextSizeSetter),
             offsetof(TabPanelObject, font.textSize)),
    Property("Bold", types::Boolean, QL_LINK(boolGetter), QL_LINK(tabPanelBoldSetter),
             offsetof(TabPanelObject, font.bold)),
    Property("Italic", types::Boolean, QL_LINK(boolGetter), QL_LINK(tabPanelItalicSetter),
             offsetof(TabPanelObject, font.italic)),
    Property("Underline", types::Boolean, QL_LINK(boolGetter), QL_LINK(tabPanelUnderlineSetter),
             offsetof(TabPanelObject, font.underline)),
};

const EventDeclarationEntry kTabPanelEvents[] = {
    Event("Change"),
    Event("GotFocus"),
    Event("LostFocus"),
    Event("MouseDown", "X As Integer, Y As Integer", "Boolean"),
    Event("MouseDrag", "X As Integer, Y As Integer"),
    Event("MouseUp", "X As Integer, Y As Integer"),
};

const ParameterEntry kIndexParameter[] = {Parameter("Index", types::Integer)};

const MethodEntry kTabPanelMethods[] = {
    IndexedProperty("Caption", types::String, kIndexParameter, QL_LINK(tabPanelCaptionGetter),
                    QL_LINK(tabPanelCaptionSetter)),
};

}  // namespace

uint32_t TabStyleOfFacing(int32_t facing) {
  switch (facing) {
    case 1:
      return kTabsBottom;
    case 2:
      return kTabsVertical | kTabsRight;
    case 3:
      return kTabsVertical;
  }
  return 0;
}

int32_t ClampedPage(int32_t value, int32_t panelCount) {
  return static_cast<uint32_t>(value) >= static_cast<uint32_t>(panelCount) ? panelCount - 1 : value;
}

}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription PagePanelDescription{
    .name = "PagePanel",
    .super = &RectControl,
    .instanceSize = sizeof(ui::PagePanelObject),
    .events = ui::kPagePanelEvents,
    .properties = ui::kPagePanelProperties,
    .eventHandlers = ui::kPagePanelHandlers,
};
ObjectDefinition PagePanel(PagePanelDescription);

const ClassDescription TabPanelDescription{
    .name = "TabPanel",
    .super = &PagePanel,
    .instanceSize = sizeof(ui::TabPanelObject),
    .destroyHook = ui::DestroyTabPanel,
    .events = ui::kTabPanelEvents,
    .properties = ui::kTabPanelProperties,
    .methods = ui::kTabPanelMethods,
};
ObjectDefinition TabPanel(TabPanelDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

// --- PagePanel ---

// A tab panel reached through PagePanel's Value is a tab panel still.
QL_ENTRY int32_t PagePanelValueGetter(RuntimeObject* o, uint32_t) {
  if (o && IsTabPanel(o)) return tabPanelValueGetter(o, 0);
  PagePane* pane = PagePaneOf(o);
  return pane ? pane->Page() : 0;
}

QL_ENTRY void PagePanelValueSetter(RuntimeObject* o, uint32_t, int32_t page) {
  if (o && IsTabPanel(o)) return tabPanelValueSetter(o, 0, page);
  PagePane* pane = PagePaneOf(o);
  if (!pane) return;  // not kept: the panel opens on its first page
  pane->SelectPage(ClampedPage(page, AsPagePanel(o)->panelCount));
}

// --- TabPanel ---

QL_ENTRY int32_t tabPanelValueGetter(RuntimeObject* o, uint32_t) {
  TabPane* pane = TabPaneOf(o);
  return pane ? pane->Selected() : 0;
}

QL_ENTRY void tabPanelValueSetter(RuntimeObject* o, uint32_t, int32_t tab) {
  TabPane* pane = TabPaneOf(o);
  if (!pane) return;  // not kept: the panel opens on its first tab
  pane->SelectTab(tab);
}

QL_ENTRY void tabPanelTextFontSetter(RuntimeObject* o, uint32_t, RuntimeString* font) {
  if (TabPanelObject* t = SetFontFace<TabPanelObject>(o, font)) RebuildFont(t);
}
QL_ENTRY void tabPanelTextSizeSetter(RuntimeObject* o, uint32_t, int32_t size) {
  if (TabPanelObject* t = SetFontSize<TabPanelObject>(o, size)) RebuildFont(t);
}
QL_ENTRY void tabPanelBoldSetter(RuntimeObject* o, uint32_t, bool v) {
  if (TabPanelObject* t = SetFontFlag<TabPanelObject>(o, FontFlag::Bold, v)) RebuildFont(t);
}
QL_ENTRY void tabPanelItalicSetter(RuntimeObject* o, uint32_t, bool v) {
  if (TabPanelObject* t = SetFontFlag<TabPanelObject>(o, FontFlag::Italic, v)) RebuildFont(t);
}
QL_ENTRY void tabPanelUnderlineSetter(RuntimeObject* o, uint32_t, bool v) {
  if (TabPanelObject* t = SetFontFlag<TabPanelObject>(o, FontFlag::Underline, v)) RebuildFont(t);
}

QL_ENTRY RuntimeString* tabPanelCaptionGetter(RuntimeObject* o, int32_t index) {
  TabPane* pane = TabPaneOf(o);
  if (!pane || pane->Closing()) return nullptr;
  if (index < 0 || index >= pane->TabCount()) {
    RaiseOutOfBoundsException();
    return nullptr;
  }
  return pane->Caption(index).release();
}

QL_ENTRY void tabPanelCaptionSetter(RuntimeObject* o, int32_t index, RuntimeString* caption) {
  TabPane* pane = TabPaneOf(o);
  if (!pane || pane->Closing()) return;
  if (index < 0 || index >= pane->TabCount()) {
    RaiseOutOfBoundsException();
    return;
  }
  pane->SetCaption(index, caption);
}
