// No window system: the box's text goes to standard error and OK answers.
#include <stdio.h>

#include "ui/message_dialog.h"

namespace ql::ui {

int32_t CallNativeMessageBox(const NativeBoxCall& call) {
  String text = ConvertToUTF8(call.text);
  fprintf(stderr, "%.*s\n", static_cast<int>(text.length()), text.text());
  return 1;  // IDOK
}

String NativeWindowText(void*) { return String(); }

}  // namespace ql::ui
