#include <sys/mman.h>

#include "platform/executable_memory.h"

namespace ql::platform {

void* AllocateExecutable(size_t size) {
  void* block = mmap(nullptr, size, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

void ReleaseExecutable(void* block, size_t size) {
  if (block) munmap(block, size);
}

}  // namespace ql::platform
