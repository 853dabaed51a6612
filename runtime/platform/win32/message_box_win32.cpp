#include <windows.h>

#include "platform/message_box.h"

namespace ql::platform {

void ShowNativeMessageBox(const char* text, MessageIcon icon) {
  if (icon == MessageIcon::Error)
    MessageBoxA(nullptr, text, nullptr, MB_ICONERROR);
  else
    MessageBoxA(nullptr, text, "", MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace ql::platform
