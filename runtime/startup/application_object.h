// The instance of class Application (and of the image's subclass of it,
// whose own fields follow). The i686 offsets below are the interface; the
// x86_64 layout follows the layout rule of docs/abi.md.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/stringmap.h"
#include "quillon/abi.h"

namespace ql {

struct ApplicationObject {
  RuntimeObject header;
  RuntimeObject* mouseCursor;              // MouseCursor, one reference
  RuntimeObject* mdiWindow;                // MDIWindow, one reference
  uint8_t balloonHelpVisible;              // BalloonHelpVisible
  RuntimeObject* menuBar;                  // MenuBar, one reference
  StringMap<RuntimeObject>* menuHandlers;  // `_AddMenuHandler`: item name -> handler, or nil
  uint8_t quitting;                        // a try-quit is running (makes quitting non-reentrant)
};

#if defined(__i386__)
static_assert(offsetof(ApplicationObject, mouseCursor) == 28 && offsetof(ApplicationObject, mdiWindow) == 32 &&
              offsetof(ApplicationObject, balloonHelpVisible) == 36 && offsetof(ApplicationObject, menuBar) == 40 &&
              offsetof(ApplicationObject, menuHandlers) == 44 && offsetof(ApplicationObject, quitting) == 48);
static_assert(sizeof(ApplicationObject) == 52);
#endif

inline ApplicationObject* AsApplication(RuntimeObject* o) { return reinterpret_cast<ApplicationObject*>(o); }

}  // namespace ql
