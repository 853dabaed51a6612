#include "platform/theme_library.h"

namespace ql::platform {

bool LoadThemeLibrary() { return false; }

bool ThemeLibraryLoaded() { return false; }

void FreeThemeLibrary() {}

void* ThemeFunctionAddress(ThemeFunction) { return nullptr; }

}  // namespace ql::platform
