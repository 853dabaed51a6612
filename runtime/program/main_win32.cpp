// The process entry of the runtime executable: the layers above start-up
// install themselves, then the runtime starts.
#include <windows.h>

#include "menus/menus_layer.h"
#include "startup/runtimemain.h"
#include "ui/control_layer.h"
#include "ui/window_layer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  ql::ui::InstallWindowLayer();
  ql::ui::InstallControlLayer();
  ql::menus::InstallMenuLayer();
  return ql::RuntimeMain(instance, commandLine);
}
