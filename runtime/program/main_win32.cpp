// The process entry of the runtime executable.
#include <windows.h>

#include "startup/runtimemain.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return ql::RuntimeMain(instance, commandLine);
}
