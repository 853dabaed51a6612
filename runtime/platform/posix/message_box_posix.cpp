#include <stdio.h>

#include "platform/message_box.h"

namespace ql::platform {

void ShowNativeMessageBox(const char* text, MessageIcon) {
  fprintf(stderr, "%s\n", text);
  fflush(stderr);
}

}  // namespace ql::platform
