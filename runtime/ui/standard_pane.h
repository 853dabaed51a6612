// The base of the control kinds whose pane is a standard system control
// (edit field, pop-up menu, push button, group box, tab panel, list box):
// the control taking the keyboard focus (the user's click) makes the pane
// the window's focus pane.
#pragma once

#include "ui/control_fields.h"
#include "ui/pane.h"

namespace ql::ui {

// Gives the pane the control font of the five font properties (the
// previous font's use is given back).
void UseControlFont(Pane* pane, const FontChoice& font);

class StandardPane : public Pane {
 public:
  bool NativeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t* result) override;

  void UseFont(const FontChoice& font) { UseControlFont(this, font); }

 protected:
  ~StandardPane() override = default;
};

// A drawn pane ("QL_Pane") fills its background before it draws, with the
// window's back colour or the button face, so that it shows nothing else.
void FillPaneBackground(Pane* pane, void* deviceContext);

}  // namespace ql::ui
