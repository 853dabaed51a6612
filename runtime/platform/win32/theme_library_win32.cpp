#include <windows.h>

#include "platform/theme_library.h"

namespace ql::platform {
namespace {

constexpr int kCount = static_cast<int>(ThemeFunction::Count);

constexpr const char* kNames[kCount] = {
    "OpenThemeData",       "CloseThemeData",     "GetThemeSysColor",      "GetThemeColor",
    "IsAppThemed",         "IsThemeActive",      "IsThemePartDefined",    "DrawThemeBackground",
    "GetCurrentThemeName", "GetThemeMetric",     "GetThemePartSize",      "GetThemeSysSize",
    "SetThemeAppProperties", "GetThemeRect",     "DrawThemeText",         "DrawThemeParentBackground",
    "DrawThemeBorder",
};

HMODULE g_library = nullptr;
void* g_functions[kCount] = {};

}  // namespace

bool LoadThemeLibrary() {
  if (g_library) return true;
  g_library = LoadLibraryA("uxtheme.dll");
  if (!g_library) return false;
  for (int i = 0; i < kCount; ++i) g_functions[i] = reinterpret_cast<void*>(GetProcAddress(g_library, kNames[i]));
  return true;
}

bool ThemeLibraryLoaded() { return g_library != nullptr; }

void FreeThemeLibrary() {
  if (!g_library) return;
  FreeLibrary(g_library);
  g_library = nullptr;
  for (void*& f : g_functions) f = nullptr;
}

void* ThemeFunctionAddress(ThemeFunction function) {
  const int i = static_cast<int>(function);
  return i >= 0 && i < kCount ? g_functions[i] : nullptr;
}

}  // namespace ql::platform
