// The Win32 common controls library, initialised once at start-up before
// any window exists.
#pragma once

namespace ql::platform {

// InitCommonControls. POSIX: nothing.
void InitialiseCommonControls();

}  // namespace ql::platform
