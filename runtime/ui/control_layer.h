// The control layer's place in the runtime: what the intrinsic control
// kinds install into the layers below them. The program calls
// InstallControlLayer after InstallWindowLayer; tests call it too.
#pragma once

namespace ql::ui {

// The list boxes' deferred-update queue as the main loop's runner, the
// Graphics objects of Paint events, the plug-in control classes' panes and
// default size, and MsgBox's box for the runtime's information messages.
void InstallControlLayer();

}  // namespace ql::ui
