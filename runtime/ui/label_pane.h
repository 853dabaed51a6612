// The pane of a StaticText: a "QL_Pane" the runtime draws. It keeps copies of
// what it draws and redraws only when one changes; its window text is the
// label's text, so that the system's accessibility and WM_GETTEXT read it.
#pragma once

#include "core/string.h"
#include "ui/pane.h"
#include "ui/static_text.h"

namespace ql::ui {

class LabelPane : public Pane {
 public:
  static void Create(StaticTextObject* label);
  // Takes the label's text, alignment, colour, multi-line flag and font;
  // a new text registers the shortcut again; any change redraws.
  void TakeAppearance(const StaticTextObject& label);
  void Paint(const PaintContext& context) override;
  // Fires AcceleratorKey while the label is enabled.
  bool ShortcutAction() override;

 private:
  ~LabelPane() override = default;
  void RegisterShortcut();

  String text_;
  String face_;
  int32_t size_ = 0;
  bool bold_ = false, italic_ = false, underline_ = false;
  int32_t align_ = 0;
  uint32_t colour_ = 0;
  bool multiLine_ = false;
};

}  // namespace ql::ui
