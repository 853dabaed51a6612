// The folders the runtime itself writes to: the user's preferences folder
// (installed plug-in libraries), the temporary folder (files taken from
// image resources) and, as the plug-ins' last resort, the root folder.
#pragma once

#include "core/string.h"

namespace ql::platform {

enum class SpecialFolder {
  Preferences,  // Win32 the application-data folder; POSIX $XDG_CONFIG_HOME or ~/.config
  Temporary,    // Win32 the system's temporary folder; POSIX $TMPDIR or /tmp
  Root,         // Win32 the root of the system's drive ("C:"); POSIX "/"
};

// The folder's absolute path without a trailing separator (the POSIX root
// is "/"), created first when it is missing (never the root); nil when the
// system has no such folder or it cannot be made.
String SpecialFolderPath(SpecialFolder folder);

}  // namespace ql::platform
