// Which Windows the runtime runs on, asked once and cached.
#pragma once

#include <stdint.h>

namespace ql::platform {

// GetVersionExA reports the NT family (platform 2). POSIX: false.
bool IsNTPlatform();

// Windows XP exactly: platform 2, version 5.1 (asked with the extended
// structure first, then the plain one; a failing query gives false).
bool IsWindowsXP();

constexpr bool IsXPVersion(uint32_t platformId, uint32_t major, uint32_t minor) {
  return platformId == 2 && major == 5 && minor == 1;
}

}  // namespace ql::platform
