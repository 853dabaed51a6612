// Runtime initialisation, in its fixed order, before a byte of the image is
// read.
//
// Some steps belong to the layers above start-up (the window layer's window
// classes and standard colours, the MDI frame that RuntimeInit creates);
// those layers install them here before the runtime starts, and a step left
// null does nothing.
#pragma once

namespace ql {

struct InitialisationSlots {
  void (*registerWindowClasses)() = nullptr;    // "QLWindow", "QL_Pane", "QL_CanvasPane"
  void (*setUpColoursAndTextStyle)() = nullptr;  // the standard colours, the default text style
  void (*createMdiFrame)() = nullptr;           // RuntimeInit in MDI mode
};
void InstallInitialisationSlots(const InitialisationSlots& slots);
const InitialisationSlots& CurrentInitialisationSlots();

void InitialiseRuntime();

}  // namespace ql
