// OLE for the thread: initialised once by runtime initialisation and
// uninitialised by the runtime shutdown.
#pragma once

namespace ql::platform {

// OleInitialize(NULL); false when it failed. POSIX: nothing, true.
bool InitialiseOle();
// OleUninitialize, only to balance an initialisation that succeeded (at
// most once per initialisation). POSIX: nothing.
void UninitialiseOle();

}  // namespace ql::platform
