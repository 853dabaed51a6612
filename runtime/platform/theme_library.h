// The theme library "uxtheme.dll", loaded on Windows XP only. Controls that
// draw themed parts ask for its functions; a null address means "draw
// without themes".
#pragma once

namespace ql::platform {

enum class ThemeFunction {
  OpenThemeData,
  CloseThemeData,
  GetThemeSysColor,
  GetThemeColor,
  IsAppThemed,
  IsThemeActive,
  IsThemePartDefined,
  DrawThemeBackground,
  GetCurrentThemeName,
  GetThemeMetric,
  GetThemePartSize,
  GetThemeSysSize,
  SetThemeAppProperties,
  GetThemeRect,
  DrawThemeText,
  DrawThemeParentBackground,
  DrawThemeBorder,
  Count
};

// Loads the library and looks up every function by name; false (all
// functions null) when it does not load. POSIX: always false.
bool LoadThemeLibrary();
bool ThemeLibraryLoaded();
void FreeThemeLibrary();

void* ThemeFunctionAddress(ThemeFunction function);

}  // namespace ql::platform
