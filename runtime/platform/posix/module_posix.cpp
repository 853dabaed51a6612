#include <unistd.h>

#include "platform/module.h"

namespace ql::platform {

void SetModuleInstance(void*) {}

void* ModuleInstance() { return nullptr; }

bool ExecutablePath(char (&out)[1024]) {
  const ssize_t length = readlink("/proc/self/exe", out, sizeof out - 1);
  if (length <= 0 || length >= static_cast<ssize_t>(sizeof out) - 1) return false;
  out[length] = 0;
  return true;
}

int64_t ReadLocatorResource(uint8_t (&)[8]) { return -1; }

}  // namespace ql::platform
