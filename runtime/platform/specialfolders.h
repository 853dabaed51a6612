// The folders the runtime itself writes to: the user's preferences folder
// (installed plug-in libraries) and the temporary folder (files taken from
// image resources).
#pragma once

#include "core/string.h"

namespace ql::platform {

enum class SpecialFolder {
  Preferences,  // Win32 the application-data folder; POSIX $XDG_CONFIG_HOME or ~/.config
  Temporary,    // Win32 the system's temporary folder; POSIX $TMPDIR or /tmp
};

// The folder's absolute path without a trailing separator, created first
// when it is missing; nil when the system has no such folder or it cannot be
// made.
String SpecialFolderPath(SpecialFolder folder);

}  // namespace ql::platform
