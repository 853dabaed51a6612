#include "startup/missingentry.h"

#include <stdio.h>

#include "core/assertion.h"
#include "core/exception.h"

namespace ql {

uintptr_t CallMissingEntryPoint(const char* name) {
  char text[300];
  snprintf(text, sizeof text, "Function '%s' was not exported", name ? name : "");
  ReportAssertion("loaderX86", 204, "foundFunction", text);
  RaiseNilObjectException();
  return 0;
}

}  // namespace ql
