// Image files held in memory: a locator, an executable and development files.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "startup/imagefiles.h"
#include "startup/synthetic_image.h"

namespace ql::test {

class FakeImageFiles final : public ImageFiles {
 public:
  std::optional<Bytes> locator;            // none: no resource
  std::optional<Bytes> executable;         // none: cannot be opened
  std::map<std::string, Bytes> folder;     // development files
  std::vector<std::string> opened;         // names asked for, in order

  int64_t ReadLocator(uint8_t (&out)[8]) override {
    if (!locator) return -1;
    for (size_t i = 0; i < 8 && i < locator->size(); ++i) out[i] = (*locator)[i];
    return static_cast<int64_t>(locator->size());
  }
  ByteSourcePtr OpenExecutable() override {
    opened.push_back("<executable>");
    if (!executable) return nullptr;
    return std::make_unique<MemoryByteSource>(ByteView{executable->data(), executable->size()});
  }
  ByteSourcePtr OpenDevelopmentFile(const char* name) override {
    opened.push_back(name);
    auto it = folder.find(name);
    if (it == folder.end()) return nullptr;
    return std::make_unique<MemoryByteSource>(ByteView{it->second.data(), it->second.size()});
  }

  // An executable of `prefix` bytes with `block` appended, found by the locator.
  void Append(const Bytes& block, size_t prefix = 100, const char* auxiliary = "POKE") {
    executable = Bytes(prefix, 0x5A);
    AppendBytes(*executable, block);
    locator = Bytes();
    Append32(*locator, static_cast<uint32_t>(prefix));
    locator->insert(locator->end(), auxiliary, auxiliary + 4);
  }
  void DevelopmentFiles(const Bytes& code, const Bytes& data, const Bytes& imports, const Bytes& rsrc,
                        const Bytes& options) {
    folder = {{"code.dat", code}, {"data.dat", data}, {"import.dat", imports}, {"rsrc.dat", rsrc},
              {"options.dat", options}};
  }
};

}  // namespace ql::test
