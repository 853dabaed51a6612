// The pane of a Canvas: a "QL_CanvasPane" that shows the Backdrop and then
// fires Paint; transparent (WS_EX_TRANSPARENT) when the canvas's class has
// no Paint of its own.
#pragma once

#include "ui/canvas.h"
#include "ui/pane.h"

namespace ql::ui {

class CanvasPane : public Pane {
 public:
  static void Create(CanvasObject* canvas);
  // Invalidates the canvas so that it is painted again.
  void Repaint();

  void Paint(const PaintContext& context) override;
  bool TakesFocus() const override;
  bool AcceptsTabs() const override;

 private:
  ~CanvasPane() override = default;
  CanvasObject* Canvas() const;
};

}  // namespace ql::ui
