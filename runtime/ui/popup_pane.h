// The pane of a PopupMenu: a drop-down list ("COMBOBOX", CBS_DROPDOWNLIST)
// whose rows the pane fills from InitialValue when it is made. The pane
// keeps each row's tag (an object, one reference) beside the combo box's
// rows; the drop-down list widens for a row wider than any before.
#pragma once

#include "core/array.h"
#include "ui/popup_menu.h"
#include "ui/standard_pane.h"

namespace ql::ui {

class PopupPane : public StandardPane {
 public:
  static void Create(PopupMenuObject* popup);

  int32_t Count();
  int32_t Selected();
  // -1 clears the selection; an index that is no row leaves none selected.
  void Select(int32_t row);
  String RowText(int32_t row);
  // `at` from 0 to Count().
  void InsertRow(int32_t at, RuntimeString* text);
  void RemoveRow(int32_t row);
  void SetRowText(int32_t row, RuntimeString* text);
  void Clear();
  RuntimeObject* RowTag(int32_t row);
  void SetRowTag(int32_t row, RuntimeObject* tag);

  intptr_t Command(uint32_t code, uint32_t modifiers) override;
  bool TakesFocus() const override { return true; }
  bool KeepsArrowKeys() const override { return true; }
  bool HasOpenList() const override;

 private:
  ~PopupPane() override;
  void LoadInitialRows(PopupMenuObject* popup);
  void WidenFor(RuntimeString* text);
  void ReleaseTags();

  Array<RuntimeObject*> tags_;  // one per row, nil for none
  int32_t widest_ = 0;          // the widest row text so far, pixels
};

}  // namespace ql::ui
