#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include "platform/installed_files.h"

namespace ql::platform {
namespace {

bool WriteAll(int descriptor, const void* bytes, size_t size) {
  const char* p = static_cast<const char*>(bytes);
  while (size > 0) {
    const ssize_t n = write(descriptor, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool DeleteFileAt(const char* path) { return path && *path && unlink(path) == 0; }

bool CreateHiddenFile(const char* path, const void* bytes, size_t size) {
  if (!path || !*path) return false;
  int descriptor;
  do {
    descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_SYNC | O_CLOEXEC, 0600);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) return false;
  const bool complete = WriteAll(descriptor, bytes, size);
  const bool closed = close(descriptor) == 0;
  if (!complete || !closed) unlink(path);
  return complete && closed;
}

}  // namespace ql::platform
