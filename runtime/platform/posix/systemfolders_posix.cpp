#include <errno.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/posix/path_text_posix.h"
#include "platform/systemfolders.h"

namespace ql::platform {
namespace {

// XDG: a variable counts only when it holds an absolute path.
std::string AbsoluteVariable(const char* name) {
  const char* value = getenv(name);
  return value && value[0] == '/' ? std::string(value) : std::string();
}

std::string HomeFolder() {
  std::string home = AbsoluteVariable("HOME");
  if (home.empty()) {
    if (const passwd* user = getpwuid(getuid()); user && user->pw_dir && user->pw_dir[0] == '/') home = user->pw_dir;
  }
  return home;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir -p with the private mode XDG asks for.
bool MakeFolders(const std::string& path) {
  if (IsFolder(path)) return true;
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return IsFolder(path);
}

std::string PreferencesFolder() {
  std::string config = AbsoluteVariable("XDG_CONFIG_HOME");
  if (config.empty()) {
    const std::string home = HomeFolder();
    if (home.empty()) return std::string();
    config = WithoutTrailingSlashes(home) + "/.config";
  }
  config = WithoutTrailingSlashes(config);
  return MakeFolders(config) ? config : std::string();
}

std::string TemporaryFolder() {
  const std::string tmp = WithoutTrailingSlashes(AbsoluteVariable("TMPDIR"));
  if (!tmp.empty() && IsFolder(tmp)) return tmp;
  return IsFolder("/tmp") ? std::string("/tmp") : std::string();
}

}  // namespace

String SpecialFolderPath(SpecialFolder folder) {
  switch (folder) {
    case SpecialFolder::Preferences:
      return PathString(PreferencesFolder());
    case SpecialFolder::Temporary:
      return PathString(TemporaryFolder());
    case SpecialFolder::Root:
      return PathString("/");
  }
  return String();
}

}  // namespace ql::platform
