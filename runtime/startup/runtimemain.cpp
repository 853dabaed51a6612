#include "startup/runtimemain.h"

#include "core/scriptcode.h"
#include "platform/common_controls.h"
#include "platform/locale.h"
#include "platform/lock.h"
#include "platform/module.h"
#include "platform/theme_library.h"
#include "platform/timer_window.h"
#include "platform/version.h"
#include "startup/imageloader.h"
#include "startup/processinfo.h"
#include "startup/runtimeinit.h"

namespace ql {
namespace {

void ChooseSystemScriptCode() { SetSystemScriptCode(ScriptCodeForLanguage(platform::UserDefaultLanguage())); }

void KeepProcessArguments(void* instance, const char* commandLine) {
  platform::SetModuleInstance(instance);
  KeepRawCommandLine(commandLine);
}

// In this order: memory allocator, strings, file I/O.
void CreateProcessLocks() {
  platform::AllocatorLock();
  platform::StringLock();
  platform::FileLock();
}

void LoadThemeLibraryOnXP() {
  if (platform::IsWindowsXP()) platform::LoadThemeLibrary();
}

void FreeThemeLibrary() {
  if (platform::IsWindowsXP() && platform::ThemeLibraryLoaded()) platform::FreeThemeLibrary();
}

}  // namespace

int RuntimeMain(void* instance, const char* commandLine) {
  ChooseSystemScriptCode();
  KeepProcessArguments(instance, commandLine);
  platform::InitialiseCommonControls();
  CreateProcessLocks();
  platform::CreateTimerWindow();
  LoadThemeLibraryOnXP();
  InitialiseRuntime();
  LoadAndRunImage(ProcessImageServices());
  FreeThemeLibrary();
  return 0;
}

}  // namespace ql
