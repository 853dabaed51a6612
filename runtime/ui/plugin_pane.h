// The pane of a plug-in control class: a "QL_Pane" whose drawing is the
// plug-in's paint hook (its control record, quillon/plugin.h), called with
// a device context whose origin is the window's, and the control's bounds
// in window coordinates.
#pragma once

#include "quillon/plugin.h"
#include "ui/pane.h"

namespace ql::ui {

class PluginPane : public Pane {
 public:
  // CreatePane of every plug-in control class.
  static void Create(RuntimeObject* control);
  void Paint(const PaintContext& context) override;

 private:
  explicit PluginPane(const QuillonPluginControl& record) : record_(record) {}
  ~PluginPane() override = default;

  QuillonPluginControl record_;
};

// The plug-in classes' hooks: a new object of such a class gets the
// record's default size; its CreatePane builds a PluginPane.
void InstallPluginControlHooks();

}  // namespace ql::ui
