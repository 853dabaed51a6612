#include "ui/tab_pane.h"

#include "ui/caption_shortcut.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/native_controls.h"
#include "ui/text_rows.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

const ControlEventSlots kTabSlots{
    .mouseDown = static_cast<int32_t>(TabPanelEvent::MouseDown),
    .mouseDrag = static_cast<int32_t>(TabPanelEvent::MouseDrag),
    .mouseUp = static_cast<int32_t>(TabPanelEvent::MouseUp),
    .gotFocus = static_cast<int32_t>(TabPanelEvent::GotFocus),
    .lostFocus = static_cast<int32_t>(TabPanelEvent::LostFocus),
};

bool Inside(const Rect16& b, const Rect16& r) {
  return b.left >= r.left && b.top >= r.top && b.right <= r.right && b.bottom <= r.bottom;
}

}  // namespace

void PassPage(Pane* panel, int32_t page, bool shown) {
  for (size_t i = 0; i < panel->ChildCount(); ++i) {
    Pane* child = panel->Child(i);
    const bool ownPage = child->TabPage() != 0 && child->NativeHandle();
    child->SetPageShown(ownPage ? shown && child->TabPage() == page : shown);
  }
}

// --- PagePane ---

void PagePane::Create(PagePanelObject* panel) {
  RuntimeObject* control = &panel->control.header;
  auto* pane = new PagePane;
  pane->CreatePaneWindow(ControlView(control), nullptr, panel->control.bounds, PaneWindowSpec{});
  InstallControlPane(control, pane, nullptr);
}

void PagePane::SelectPage(int32_t page) {
  page_ = page;
  PassPageShown(PageShown());
  PaneLock lock(this);
  FireEvent(Control(), static_cast<int32_t>(PagePanelEvent::Change));
}

bool PagePane::ClaimsChild(const Rect16& bounds, uint32_t) const { return Inside(bounds, Bounds()); }

// --- TabPane ---

class TabPane::TabShortcut : public ShortcutTarget {
 public:
  TabShortcut(TabPane* pane, int32_t tab) : pane_(pane), tab_(tab) {}
  ~TabShortcut() { RemoveShortcutsOf(this); }
  bool ShortcutAction() override { return pane_->SelectByShortcut(tab_); }

 private:
  TabPane* pane_;
  int32_t tab_;
};

void TabPane::Create(TabPanelObject* panel) {
  RuntimeObject* control = &panel->page.control.header;
  auto* pane = new TabPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, panel->page.control.bounds,
                         PaneWindowSpec{.className = "SysTabControl32", .style = TabStyleOfFacing(panel->facing)});
  pane->UseFont(ChoiceOf(panel->font));
  InstallControlPane(control, pane, &kTabSlots);
  pane->AddTabs(panel->tabDefinition);
}

TabPane::~TabPane() = default;

void TabPane::AddTabs(RuntimeString* definition) {
  if (!NativeHandle()) return;
  for (const String& caption : SplitRows(definition, NulSeparates::Yes)) {
    native::AppendTab(NativeHandle(), caption.get());
    RegisterShortcut(native::TabCount(NativeHandle()) - 1, caption.get());
  }
  native::SelectTab(NativeHandle(), 0);  // the panel opens on its first tab
}

void TabPane::RegisterShortcut(int32_t tab, RuntimeString* caption) {
  while (shortcuts_.size() <= static_cast<size_t>(tab))
    shortcuts_.push_back(std::make_unique<TabShortcut>(this, static_cast<int32_t>(shortcuts_.size())));
  TabShortcut* target = shortcuts_[static_cast<size_t>(tab)].get();
  String name = CaptionShortcutName(caption);
  if (name.empty())
    RemoveShortcut(target, ShortcutKind::TabPanel);
  else
    EnterControlShortcut(target, ShortcutKind::TabPanel, name.get());
}

int32_t TabPane::TabCount() { return NativeHandle() ? native::TabCount(NativeHandle()) : 0; }

int32_t TabPane::Selected() { return NativeHandle() ? native::TabSelection(NativeHandle()) : 0; }

void TabPane::SelectTab(int32_t tab) {
  if (!NativeHandle()) return;
  native::SelectTab(NativeHandle(), tab);
  DeliverTabChange();
}

String TabPane::Caption(int32_t tab) { return NativeHandle() ? native::TabCaption(NativeHandle(), tab) : String(); }

void TabPane::SetCaption(int32_t tab, RuntimeString* caption) {
  if (!NativeHandle()) return;
  native::SetTabCaption(NativeHandle(), tab, caption);
  RegisterShortcut(tab, caption);
}

void TabPane::PassPageShown(bool shown) { PassPage(this, Selected() + 1, shown); }

void TabPane::DeliverTabChange() {
  RunPagePass();
  PaneLock lock(this);
  FireEvent(Control(), static_cast<int32_t>(TabPanelEvent::Change));
}

intptr_t TabPane::Notify(const void* header) {
  if (native::NotificationCode(header) == native::kTabSelectionChange) DeliverTabChange();
  return 0;
}

bool TabPane::SelectByShortcut(int32_t tab) {
  if (!NativeHandle() || !Enabled() || !Showing()) return false;
  if (Root()) Root()->SetFocusPane(this);
  native::SelectTab(NativeHandle(), tab);
  DeliverTabChange();
  return true;
}

bool TabPane::ClaimsChild(const Rect16& bounds, uint32_t) const { return Inside(bounds, Bounds()); }

}  // namespace ql::ui
