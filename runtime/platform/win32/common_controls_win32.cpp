#include <windows.h>
#include <commctrl.h>

#include "platform/common_controls.h"

namespace ql::platform {

void InitialiseCommonControls() { InitCommonControls(); }

}  // namespace ql::platform
