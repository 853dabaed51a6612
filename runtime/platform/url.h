// Handing an address to the system's handler for its scheme (a web address
// to the browser, "mailto:" to the mail program). Tests observe it instead.
#pragma once

namespace ql::platform {

// ShellExecuteA with no owner, the verb "open", the bytes as they are, no
// parameters or folder, SW_SHOW; what the system answers is not reported.
// POSIX: nothing is opened.
void OpenURL(const char* url);

// The system's side, once per platform; OpenURL calls it when no observer
// is installed.
void OpenSystemURL(const char* url);

// Replaces the system's handler, for tests; returns the previous observer.
using URLObserver = void (*)(const char* url);
URLObserver SetURLObserver(URLObserver observer);

}  // namespace ql::platform
