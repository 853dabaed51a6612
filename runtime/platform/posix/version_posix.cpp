#include "platform/version.h"

namespace ql::platform {

bool IsNTPlatform() { return false; }

bool IsWindowsXP() { return false; }

}  // namespace ql::platform
