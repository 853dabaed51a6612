#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/fileio.h"

namespace ql::platform {
namespace {

int Descriptor(FileHandle file) { return static_cast<int>(file); }

OpenedFile Failed(int error) { return OpenedFile{kNoFile, static_cast<uint32_t>(error)}; }

// Folders would open for reading and FIFOs would block a reader, so only
// plain files (and, for writing, character devices such as /dev/null) pass.
int RefusalOf(const struct stat& st, OpenDisposition disposition) {
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (S_ISREG(st.st_mode)) return 0;
  if (disposition == OpenDisposition::CreateEmpty && S_ISCHR(st.st_mode)) return 0;
  return ENODEV;
}

}  // namespace

OpenedFile OpenFileAt(const char* path, OpenDisposition disposition) {
  // O_NONBLOCK: opening a FIFO must not wait for its other end.
  const int flags = disposition == OpenDisposition::ReadExisting ? O_RDONLY
                                                                 : O_RDWR | O_CREAT | O_TRUNC;
  int fd;
  do {
    fd = open(path, flags | O_CLOEXEC | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return Failed(errno);

  struct stat st;
  const int refusal = fstat(fd, &st) != 0 ? errno : RefusalOf(st, disposition);
  if (refusal != 0) {
    close(fd);
    return Failed(refusal);
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return OpenedFile{fd, 0};
}

int32_t ReadFromFile(FileHandle file, void* buffer, int32_t count) {
  if (count <= 0) return 0;
  ssize_t n;
  do {
    n = read(Descriptor(file), buffer, static_cast<size_t>(count));
  } while (n < 0 && errno == EINTR);
  return n > 0 ? static_cast<int32_t>(n) : 0;
}

int32_t WriteToFile(FileHandle file, const void* bytes, int32_t count) {
  const char* p = static_cast<const char*>(bytes);
  int32_t written = 0;
  while (written < count) {
    const ssize_t n = write(Descriptor(file), p + written, static_cast<size_t>(count - written));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<int32_t>(n);
  }
  return written;
}

int64_t FilePosition(FileHandle file) { return lseek(Descriptor(file), 0, SEEK_CUR); }

int64_t FileLength(FileHandle file) {
  struct stat st;
  return fstat(Descriptor(file), &st) == 0 ? static_cast<int64_t>(st.st_size) : -1;
}

bool SetFilePosition(FileHandle file, int64_t position) {
  return position >= 0 && lseek(Descriptor(file), static_cast<off_t>(position), SEEK_SET) == position;
}

void CloseFileHandle(FileHandle file) {
  if (file != kNoFile) close(Descriptor(file));
}

int32_t FileErrorCode(uint32_t systemError) {
  switch (static_cast<int>(systemError)) {
    case ENOENT:
    case ENOTDIR:
      return 101;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:  // Win32 refuses a folder with "access denied" too
    case ENODEV:
    case ENXIO:
    case EIO:
      return 102;
    case ENOSPC:
    case EDQUOT:
    case ENOMEM:
      return 103;
    case EBUSY:
    case ETXTBSY:
      return 104;
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
      return 105;
    default:
      return static_cast<int32_t>(systemError);
  }
}

}  // namespace ql::platform
