#include "startup/libraryimports.h"

#include <string.h>

#include "core/string.h"
#include "platform/library.h"

namespace ql {
namespace {

// Names of imports are at most 255 bytes: copied to be NUL-terminated.
void CopyName(char (&out)[256], const char* name, size_t length) {
  if (length > 255) length = 255;
  memcpy(out, name, length);
  out[length] = 0;
}

class PlatformLibraryLoader final : public LibraryLoader {
 public:
  uint64_t Load(const char* fileName) override {
    return reinterpret_cast<uintptr_t>(platform::LoadLibraryNamed(fileName));
  }
  uint64_t FindRoutine(uint64_t library, const char* routineName) override {
    return reinterpret_cast<uintptr_t>(
        platform::FindLibraryRoutine(reinterpret_cast<void*>(static_cast<uintptr_t>(library)), routineName));
  }
};

}  // namespace

uint64_t LibraryImports::Library(const char* name, size_t length) {
  char wanted[256];
  CopyName(wanted, name, length);
  for (size_t i = loaded_.Count(); i-- > 0;)
    if (NamesEqual(loaded_[i].name, wanted)) return loaded_[i].handle;
  const uint64_t handle = loader_.Load(wanted);
  if (handle == 0) return 0;
  Loaded entry;
  memcpy(entry.name, wanted, sizeof wanted);
  entry.handle = handle;
  loaded_.Append(entry);
  return handle;
}

uint64_t LibraryImports::Routine(uint64_t library, const char* name, size_t length) {
  char routine[256];
  CopyName(routine, name, length);
  return loader_.FindRoutine(library, routine);
}

LibraryImports& ProcessLibraryImports() {
  static PlatformLibraryLoader loader;
  static LibraryImports imports(loader);
  return imports;
}

}  // namespace ql
