// The image files of the running process: its own executable and the
// development files of the current folder.
#include <memory>

#include "platform/module.h"
#include "platform/readonly_file.h"
#include "startup/imagefiles.h"

namespace ql {
namespace {

class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(platform::ReadOnlyFile* file) : file_(file) {}
  uint64_t Size() const override { return file_->Size(); }
  bool ReadAt(uint64_t offset, void* out, size_t count) override { return file_->ReadAt(offset, out, count); }

 private:
  std::unique_ptr<platform::ReadOnlyFile> file_;
};

ByteSourcePtr OpenFile(const char* path) {
  platform::ReadOnlyFile* file = platform::ReadOnlyFile::Open(path);
  if (!file) return nullptr;
  return std::make_unique<FileByteSource>(file);
}

class ProcessFiles final : public ImageFiles {
 public:
  int64_t ReadLocator(uint8_t (&out)[8]) override { return platform::ReadLocatorResource(out); }

  ByteSourcePtr OpenExecutable() override {
    char path[1024];
    if (!platform::ExecutablePath(path)) return nullptr;
    return OpenFile(path);
  }

  ByteSourcePtr OpenDevelopmentFile(const char* name) override { return OpenFile(name); }
};

}  // namespace

ImageFiles& ProcessImageFiles() {
  static ProcessFiles files;
  return files;
}

}  // namespace ql
