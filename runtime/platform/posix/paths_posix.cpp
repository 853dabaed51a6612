#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/paths.h"
#include "platform/posix/path_text_posix.h"

namespace ql::platform {
namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

uint32_t PathEncoding() { return QL_ENCODING_UTF8; }

String ExecutableFolder() {
  std::string exe(256, '\0');
  for (;;) {
    const ssize_t n = readlink("/proc/self/exe", exe.data(), exe.size());
    if (n < 0) return String();
    if (static_cast<size_t>(n) < exe.size()) {
      exe.resize(static_cast<size_t>(n));
      break;
    }
    exe.resize(exe.size() * 2);
  }
  const size_t slash = exe.rfind('/');
  if (slash == std::string::npos) return String();
  return PathString(slash == 0 ? std::string("/") : exe.substr(0, slash));
}

bool IsAbsolutePath(const char* path) { return path[0] == '/'; }

String ChildPath(const char* folder, const char* name) {
  std::string path = folder;
  if (path.empty() || path.back() != '/') path += '/';
  return PathString(path + name);
}

String AbsolutePath(const char* path) {
  if (IsAbsolutePath(path)) return PathString(WithoutTrailingSlashes(path));
  const String folder = ExecutableFolder();
  if (folder.empty()) return String();
  std::string joined(folder.text(), static_cast<size_t>(folder.length()));
  if (joined.back() != '/') joined += '/';
  joined += path;
  return PathString(WithoutTrailingSlashes(std::move(joined)));
}

String LongPathName(const String& path) { return path; }

String ResolveShortcut(const char*) { return String(); }

bool IsVolumeRoot(const char* path) { return strcmp(path, "/") == 0; }

bool PathExists(const char* path, bool) {
  struct stat st;
  return lstat(path, &st) == 0;
}

bool IsReadOnly(const char* path, bool) {
  struct stat st;
  return stat(path, &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

}  // namespace ql::platform
