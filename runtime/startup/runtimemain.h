// The process's start and end: WinMain hands over to RuntimeMain.
#pragma once

namespace ql {

// `instance` is the module instance handle, `commandLine` the arguments
// without the program name. Always returns 0, the process's exit code.
int RuntimeMain(void* instance, const char* commandLine);

}  // namespace ql
