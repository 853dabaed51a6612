#include <windows.h>

#include <shellapi.h>

#include "platform/url.h"
#include "platform/win32/system_routine_win32.h"

namespace ql::platform {

// The shell loads with the first URL opened.
void OpenSystemURL(const char* url) {
  static const auto open = LoadSystemRoutine<decltype(ShellExecuteA)>(L"shell32.dll", "ShellExecuteA");
  if (open) open(nullptr, "open", url, nullptr, nullptr, SW_SHOW);
}

}  // namespace ql::platform
