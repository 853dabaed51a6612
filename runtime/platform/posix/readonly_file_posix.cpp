#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/readonly_file.h"

namespace ql::platform {

ReadOnlyFile* ReadOnlyFile::Open(const char* path) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return nullptr;
  }
  return new ReadOnlyFile(fd, static_cast<uint64_t>(info.st_size));
}

ReadOnlyFile::~ReadOnlyFile() { close(static_cast<int>(handle_)); }

bool ReadOnlyFile::ReadAt(uint64_t offset, void* out, size_t count) {
  if (offset > size_ || count > size_ - offset) return false;
  char* to = static_cast<char*>(out);
  while (count > 0) {
    const ssize_t read = pread(static_cast<int>(handle_), to, count, static_cast<off_t>(offset));
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) return false;
    to += read;
    offset += static_cast<uint64_t>(read);
    count -= static_cast<size_t>(read);
  }
  return true;
}

}  // namespace ql::platform
