// The pane of a Listbox: the rows and cells (ui/list_rows.h) under the
// pane's own lock, shown by a report-view list view that asks the pane for
// each cell's text. Added rows are repainted through the deferred-update
// queue (ui/list_updates.h): the view learns of them on the next pass of
// the main loop, in one repaint.
#pragma once

#include <stdint.h>

#include <vector>

#include "platform/lock.h"
#include "ui/list_rows.h"
#include "ui/list_updates.h"
#include "ui/listbox.h"
#include "ui/standard_pane.h"

namespace ql::ui {

inline constexpr int32_t kAppendRow = -1;

// Column widths from a ColumnWidths text: comma-separated entries, each a
// number of pixels, a percentage of `totalWidth` ("25%") or a share of
// what is left ("*", "2*"); missing entries are "*". Never below 0.
std::vector<int32_t> ColumnWidthsFor(RuntimeString* plan, int32_t columns, int32_t totalWidth);

class ListPane : public StandardPane, public DeferredUpdateTarget {
 public:
  static void Create(ListboxObject* list);

  // --- Rows and cells ---
  ListRows& Rows() { return rows_; }
  platform::Lock& RowLock() { return lock_; }
  // Adds a row at `at` (kAppendRow: after the last, or as the next child of
  // a folder being expanded) with its column-0 text; returns its index.
  int32_t AddRow(int32_t at, RuntimeString* text, uint16_t flags);
  void RemoveRow(int32_t row);
  void Clear();
  RuntimeString* CellText(int32_t row, int32_t column) const { return rows_.CellText(row, column); }
  void SetCell(int32_t row, int32_t column, RuntimeString* text);
  void SetRowPicture(int32_t row, RuntimeObject* picture);
  void RedrawRow(int32_t row);

  // --- Columns and settings ---
  int32_t ColumnCount() const { return columnCount_; }
  // Column count, widths, heading, grid lines, scroll bars, hierarchy.
  void TakeSettings(const ListboxObject& list);
  RuntimeString* Heading(int32_t column) const { return headings_[static_cast<size_t>(column)].get(); }
  void SetHeading(int32_t column, RuntimeString* text);

  // --- Selection, hierarchy, scrolling ---
  int32_t FirstSelectedRow() const;
  int32_t SelectedCount() const;
  // Selects only `row` (-1 or no row: none).
  void SelectOnly(int32_t row);
  void SetSelected(int32_t row, bool selected);
  // Expanding a folder fires ExpandRow, whose AddRow calls become its
  // children; collapsing removes them and fires CollapseRow.
  void SetExpanded(int32_t row, bool expanded);
  int32_t ScrollPosition();
  void ScrollTo(int32_t row);
  int32_t HorizontalScroll();
  void ScrollHorizontallyTo(int32_t x);

  // --- Pane operations ---
  void RunDeferredUpdate() override;
  intptr_t Notify(const void* header) override;
  bool TakesFocus() const override { return true; }
  // The rows the view has been told of (the rest wait for the deferred update).
  int32_t RowsShownByView() const { return viewRows_; }

 private:
  ~ListPane() override;
  ListboxObject* List() const;
  ListViewport Viewport();
  void NoteInserted(int32_t at, int32_t count);
  void TellViewRowCount();
  void ApplyColumns();
  void DeliverChange();

  ListRows rows_;
  platform::Lock lock_;
  PendingListUpdate pending_;
  int32_t viewRows_ = 0;
  int32_t columnCount_ = 1;
  String columnWidths_;
  String headings_[kMaxListColumns];
  bool hierarchical_ = false;
  int32_t expanding_ = -1;        // the folder whose ExpandRow is running
  int32_t nextChildRow_ = 0;      // where its next child goes
  bool selecting_ = false;        // the pane is changing the view's selection itself
};

}  // namespace ql::ui
