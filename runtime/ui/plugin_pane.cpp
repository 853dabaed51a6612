#include "ui/plugin_pane.h"

#include "startup/plugin_classes.h"
#include "ui/control_panes.h"
#include "ui/native_controls.h"
#include "ui/standard_pane.h"

namespace ql::ui {
namespace {

// Bounds 0, 0 to the default size, before the control's _Layout places it.
void GiveDefaultSize(RuntimeObject* control) {
  const QuillonPluginControl* record = PluginControlOf(control->cls);
  if (!record || !IsControl(control)) return;
  Rect16& b = AsControl(control)->bounds;
  b = Rect16{0, 0, static_cast<int16_t>(record->defaultHeight), static_cast<int16_t>(record->defaultWidth)};
}

}  // namespace

void PluginPane::Create(RuntimeObject* control) {
  const QuillonPluginControl* record = PluginControlOf(control->cls);
  if (!record || !IsControl(control)) return;
  auto* pane = new PluginPane(*record);
  pane->CreatePaneWindow(ControlView(control), nullptr, AsControl(control)->bounds,
                         PaneWindowSpec{.className = "QL_Pane"});
  InstallControlPane(control, pane, nullptr);
}

void PluginPane::Paint(const PaintContext& context) {
  FillPaneBackground(this, context.deviceContext);
  if (!Showing() || !record_.paint || !Control()) return;
  const Rect16 b = Bounds();
  native::SetDrawingOrigin(context.deviceContext, b.left, b.top);
  const QuillonRect bounds{b.top, b.left, b.bottom, b.right};
  record_.paint(Control(), context.deviceContext, &bounds);
  native::SetDrawingOrigin(context.deviceContext, 0, 0);
}

void InstallPluginControlHooks() { SetPluginControlHooks(PluginControlHooks{GiveDefaultSize, PluginPane::Create}); }

}  // namespace ql::ui
