// The runtime executable of the window benchmarks: the product's start, plus
// one control kind of the benchmark's own, "BenchButton" (a RectControl
// whose pane is a standard "BUTTON" made through the control framework with
// the control font), which class lookup finds like a plug-in's class.
#include <windows.h>

#include "core/intrinsic_classes.h"
#include "core/string.h"
#include "startup/runtimemain.h"
#include "ui/control_panes.h"
#include "ui/fonts.h"
#include "ui/window_layer.h"

namespace {

using namespace ql;
using namespace ql::ui;

class BenchButtonPane : public Pane {
 public:
  bool TakesFocus() const override { return true; }
  bool IsPushButton() const override { return true; }
};

void CreateBenchButtonPane(RuntimeObject* control) {
  ControlObject* c = AsControl(control);
  auto* pane = new BenchButtonPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, c->bounds,
                         PaneWindowSpec{.className = "BUTTON", .text = c->name, .style = 0});
  String face = NewStringFromCText("System");
  pane->SetFont(AcquireControlFont(FontRequest{face.get(), 12, false, false, false}));
  InstallControlPane(control, pane, nullptr);
}

const EventImplementation kHandlers[] = {Handles("CreatePane", CreateBenchButtonPane)};

const ClassDescription kBenchButton{
    .name = "BenchButton",
    .super = &intrinsic::RectControl,
    .eventHandlers = kHandlers,
};
ObjectDefinition g_benchButton(kBenchButton);

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  ql::ui::InstallWindowLayer();
  ql::RegisterPluginDefinition(g_benchButton);
  return ql::RuntimeMain(instance, commandLine);
}
