#include <windows.h>

#include <shellapi.h>

#include "platform/url.h"

namespace ql::platform {

void OpenSystemURL(const char* url) { ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOW); }

}  // namespace ql::platform
