// What the plug-in installation pass asks of the system: the installation
// mutex, the candidate folders, the installed files, the libraries and the
// way out when a file cannot be installed. The platform supplies them for
// the running process; tests supply fakes.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/string.h"
#include "startup/bytes.h"

namespace ql {

class PluginServices {
 public:
  virtual ~PluginServices() = default;

  // "QUILLON MUTEX", asking for ownership; `*alreadyExisted` when another
  // process holds it. nullptr when the system refused.
  virtual void* CreateInstallMutex(bool* alreadyExisted) = 0;
  virtual bool WaitForInstallMutex(void* mutex, uint32_t milliseconds) = 0;
  virtual void ReleaseInstallMutex(void* mutex) = 0;

  // Candidate installation folders, nil when the system has none.
  virtual String PreferencesFolder() = 0;
  virtual String ApplicationFolder() = 0;
  virtual String RootFolder() = 0;
  virtual bool FolderExists(const char* path) = 0;

  virtual bool FileExists(const char* path) = 0;
  virtual bool RemoveFile(const char* path) = 0;
  // A new hidden file holding `bytes`; false when no complete file was made.
  virtual bool CreateHiddenFile(const char* path, ByteView bytes) = 0;

  virtual void* LoadPluginLibrary(const char* path) = 0;
  virtual void* FindPluginRoutine(void* library, const char* name) = 0;
  virtual void FreePluginLibrary(void* library) = 0;

  // The "cannot be installed" message, then the end of the process.
  virtual void ShowInstallFailure(const char* text) = 0;
  virtual void EndProcess() = 0;
};

// The running process's services (runtime/startup/processpluginservices.cpp).
PluginServices& ProcessPluginServices();

}  // namespace ql
