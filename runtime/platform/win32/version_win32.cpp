#include <windows.h>

#include "platform/version.h"

namespace ql::platform {

bool IsNTPlatform() {
  static const bool nt = [] {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
  }();
  return nt;
}

bool IsWindowsXP() {
  static const bool xp = [] {
    OSVERSIONINFOEXA info = {};
    static_assert(sizeof(OSVERSIONINFOEXA) == 156 && sizeof(OSVERSIONINFOA) == 148);
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) {
      info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
      if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return false;
    }
    return IsXPVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
  }();
  return xp;
}

}  // namespace ql::platform
