// The window layer's place in the runtime: what it installs into the layers
// below (the runtime initialisation's window-class and colour steps, the
// main loop's hooks) and the few process-wide settings it keeps. The
// program calls InstallWindowLayer before the runtime starts; tests call it
// too.
#pragma once

#include <stdint.h>

#include "core/string.h"

namespace ql::ui {

void InstallWindowLayer();

// The list boxes' deferred updates, run by the main loop once per pass (the
// control layer installs its queue's runner).
void SetDeferredUpdateRunner(void (*run)());

// The default text style: "System", 10, plain.
struct TextStyle {
  const char* face;
  int32_t size;
  bool bold, italic, underline;
};
const TextStyle& DefaultTextStyle();

// The standard colours, taken from the system at start-up (0x00RRGGBB).
enum class StandardColour { ButtonFace, ButtonShadow, ButtonHighlight, Window, WindowText, Count };
uint32_t StandardColourOf(StandardColour colour);

}  // namespace ql::ui
