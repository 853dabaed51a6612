#include <windows.h>

#include "platform/executable_memory.h"

namespace ql::platform {

void* AllocateExecutable(size_t size) {
  return VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
}

void ReleaseExecutable(void* block, size_t) {
  if (block) VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace ql::platform
