#include "startup/loadfailure.h"

#include <stdarg.h>
#include <stdio.h>

#include "core/assertion.h"

namespace ql {

void LoadFailure::Add(const char* format, ...) {
  if (count_++ > 0) return;
  va_list args;
  va_start(args, format);
  vsnprintf(first_, sizeof first_, format, args);
  va_end(args);
}

void LoadFailure::Report() const {
  char text[sizeof first_ + 96];
  if (count_ > 1)
    snprintf(text, sizeof text, "The application image cannot be loaded: %s (and %d more problems).", first_, count_ - 1);
  else
    snprintf(text, sizeof text, "The application image cannot be loaded: %s.", first_);
  ReportAssertion("loaderX86", 530, "0", text);
}

}  // namespace ql
