#include "platform/url.h"

namespace ql::platform {

// No desktop to hand the address to.
void OpenSystemURL(const char*) {}

}  // namespace ql::platform
