#include "platform/common_controls.h"

namespace ql::platform {

void InitialiseCommonControls() {}

}  // namespace ql::platform
