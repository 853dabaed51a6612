#include "platform/ole.h"

namespace ql::platform {

bool InitialiseOle() { return true; }

void UninitialiseOle() {}

}  // namespace ql::platform
