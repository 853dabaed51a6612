#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <time.h>
#include <unistd.h>

#include <new>
#include <string>

#include "platform/named_mutex.h"

namespace ql::platform {
namespace {

struct FileMutex {
  int descriptor;
  bool owned;
};

// One lock file per user and name; characters outside [A-Za-z0-9] become '_'.
std::string LockFilePath(const char* name) {
  const char* folder = getenv("TMPDIR");
  std::string path = folder && folder[0] == '/' ? folder : "/tmp";
  path += "/quillon-";
  for (const char* c = name; *c; ++c) {
    const bool plain = (*c >= 'A' && *c <= 'Z') || (*c >= 'a' && *c <= 'z') || (*c >= '0' && *c <= '9');
    path += plain ? *c : '_';
  }
  return path + "-" + std::to_string(getuid()) + ".lock";
}

bool TryLock(int descriptor) {
  while (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

void SleepMilliseconds(long ms) {
  timespec delay{0, ms * 1000000L};
  nanosleep(&delay, nullptr);
}

}  // namespace

CreatedMutex CreateOwnedNamedMutex(const char* name) {
  CreatedMutex created;
  const int descriptor = open(LockFilePath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (descriptor < 0) return created;
  FileMutex* mutex = new (std::nothrow) FileMutex{descriptor, false};
  if (!mutex) {
    close(descriptor);
    return created;
  }
  mutex->owned = TryLock(descriptor);
  created.handle = mutex;
  created.alreadyExisted = !mutex->owned;
  return created;
}

bool WaitForNamedMutex(MutexHandle handle, uint32_t milliseconds) {
  FileMutex* mutex = static_cast<FileMutex*>(handle);
  if (!mutex) return false;
  constexpr uint32_t kPoll = 10;
  for (uint32_t waited = 0;; waited += kPoll) {
    if (mutex->owned || (mutex->owned = TryLock(mutex->descriptor))) return true;
    if (waited >= milliseconds) return false;
    SleepMilliseconds(kPoll);
  }
}

void ReleaseNamedMutex(MutexHandle handle) {
  FileMutex* mutex = static_cast<FileMutex*>(handle);
  if (!mutex) return;
  if (mutex->owned) flock(mutex->descriptor, LOCK_UN);
  close(mutex->descriptor);
  delete mutex;
}

}  // namespace ql::platform
