// The Win32 libraries that kind 0x04 imports name: each is loaded at most
// once per process (names compare without regard to case) and never freed.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/array.h"

namespace ql {

// The system side: module handles and routine addresses as integers, 0 for
// none.
class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;
  virtual uint64_t Load(const char* fileName) = 0;
  virtual uint64_t FindRoutine(uint64_t library, const char* routineName) = 0;
};

class LibraryImports {
 public:
  explicit LibraryImports(LibraryLoader& loader) : loader_(loader) {}
  LibraryImports(const LibraryImports&) = delete;
  LibraryImports& operator=(const LibraryImports&) = delete;

  // The library's handle, loading it on first use; 0 when it does not load.
  uint64_t Library(const char* name, size_t length);
  // The routine's address (the name as given); 0 when the library lacks it.
  uint64_t Routine(uint64_t library, const char* name, size_t length);

  size_t LoadedCount() const { return loaded_.Count(); }

 private:
  struct Loaded {
    char name[256];  // NUL-terminated file name, as the first import gave it
    uint64_t handle;
  };

  LibraryLoader& loader_;
  Array<Loaded> loaded_;  // in load order; searched newest first
};

// The process's list, over the platform's libraries.
LibraryImports& ProcessLibraryImports();

}  // namespace ql
