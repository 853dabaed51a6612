// The loader's collaborators in the running process: its files, the
// entry-point registry and its loaded-library list.
#include "core/entrypoint_registry.h"
#include "startup/imageloader.h"

namespace ql {
namespace {

class RegistryResolver final : public EntryPointResolver {
 public:
  uint64_t Find(const char* name, size_t length) override {
    return reinterpret_cast<uintptr_t>(LookupEntryPoint(name, length));
  }
};

}  // namespace

ImageServices ProcessImageServices() {
  static RegistryResolver resolver;
  return ImageServices{&ProcessImageFiles(), &resolver, &ProcessLibraryImports()};
}

}  // namespace ql
