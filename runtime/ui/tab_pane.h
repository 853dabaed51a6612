// The panes of the page panels. A TabPanel's pane is a "SysTabControl32"
// with one tab per TabDefinition caption; a plain PagePanel's is a page
// pane without tabs or native window. Both are containers whose page pass
// shows only the children of the selected page.
#pragma once

#include <memory>
#include <vector>

#include "ui/shortcuts.h"
#include "ui/standard_pane.h"
#include "ui/tab_panel.h"

namespace ql::ui {

// The page pass of both kinds: every child pane gets page-shown when its
// tab page is `page` (from 1) and `shown` is set; a child without a page of
// its own (0) or without a native window gets `shown` unchanged.
void PassPage(Pane* panel, int32_t page, bool shown);

class PagePane : public Pane {
 public:
  static void Create(PagePanelObject* panel);
  int32_t Page() const { return page_; }
  // Selects the page (from 0), runs the page pass and fires PagePanel's Change.
  void SelectPage(int32_t page);
  void PassPageShown(bool shown) override { PassPage(this, page_ + 1, shown); }
  bool IsContainer() const override { return true; }
  bool ClaimsChild(const Rect16& bounds, uint32_t style) const override;

 private:
  ~PagePane() override = default;
  int32_t page_ = 0;
};

class TabPane : public StandardPane {
 public:
  static void Create(TabPanelObject* panel);

  int32_t TabCount();
  int32_t Selected();  // from 0
  // Selects the tab, runs the page pass and fires Change, also for the tab
  // already selected.
  void SelectTab(int32_t tab);
  String Caption(int32_t tab);
  void SetCaption(int32_t tab, RuntimeString* caption);
  bool Closing() const { return !NativeHandle(); }
  // The pass over the children for the selected tab.
  void RunPagePass() { PassPageShown(PageShown()); }

  void PassPageShown(bool shown) override;
  intptr_t Notify(const void* header) override;
  bool TakesFocus() const override { return true; }
  bool KeepsArrowKeys() const override { return true; }
  bool IsContainer() const override { return true; }
  bool ClaimsChild(const Rect16& bounds, uint32_t style) const override;

 private:
  ~TabPane() override;
  class TabShortcut;
  void AddTabs(RuntimeString* definition);
  void RegisterShortcut(int32_t tab, RuntimeString* caption);
  // After a tab change (the user's or Value's): the page pass, then Change.
  void DeliverTabChange();
  bool SelectByShortcut(int32_t tab);

  std::vector<std::unique_ptr<TabShortcut>> shortcuts_;  // one per tab
};

}  // namespace ql::ui
