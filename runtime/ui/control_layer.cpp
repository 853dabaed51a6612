#include "ui/control_layer.h"

#include "ui/graphics.h"
#include "ui/list_updates.h"
#include "ui/message_dialog.h"
#include "ui/pane.h"
#include "ui/plugin_pane.h"
#include "ui/window_layer.h"

namespace ql::ui {
namespace {

// A window's Paint: the Graphics covers the window from its origin to the
// far corner of the area being painted.
RuntimeObject* MakeWindowGraphics(void* deviceContext, const Rect16& clip) {
  return NewGraphics(deviceContext, clip.right, clip.bottom).release();
}

}  // namespace

void InstallControlLayer() {
  SetDeferredUpdateRunner(RunListDeferredUpdates);
  SetGraphicsMaker(MakeWindowGraphics);
  InstallPluginControlHooks();
  InstallRuntimeMessageBox();
}

}  // namespace ql::ui
