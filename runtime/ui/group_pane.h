// The pane of a GroupBox: a "BUTTON" of style BS_GROUPBOX that contains the
// panes created inside its rectangle.
#pragma once

#include "ui/group_box.h"
#include "ui/standard_pane.h"

namespace ql::ui {

class GroupPane : public StandardPane {
 public:
  static void Create(GroupBoxObject* group);
  void SetCaption(RuntimeString* caption);

  bool IsContainer() const override { return true; }
  bool ClaimsChild(const Rect16& bounds, uint32_t style) const override;

 private:
  ~GroupPane() override = default;
};

}  // namespace ql::ui
