// The plug-in installation's collaborators in the running process.
#include "platform/installed_files.h"
#include "platform/library.h"
#include "platform/message_box.h"
#include "platform/named_mutex.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/systemfolders.h"
#include "startup/pluginservices.h"

namespace ql {
namespace {

constexpr const char kMutexName[] = "QUILLON MUTEX";

class ProcessServices final : public PluginServices {
 public:
  void* CreateInstallMutex(bool* alreadyExisted) override {
    const platform::CreatedMutex created = platform::CreateOwnedNamedMutex(kMutexName);
    *alreadyExisted = created.alreadyExisted;
    return created.handle;
  }
  bool WaitForInstallMutex(void* mutex, uint32_t milliseconds) override {
    return platform::WaitForNamedMutex(mutex, milliseconds);
  }
  void ReleaseInstallMutex(void* mutex) override { platform::ReleaseNamedMutex(mutex); }

  String PreferencesFolder() override { return platform::SpecialFolderPath(platform::SpecialFolder::Preferences); }
  String ApplicationFolder() override { return platform::ExecutableFolder(); }
  String RootFolder() override { return platform::SpecialFolderPath(platform::SpecialFolder::Root); }
  bool FolderExists(const char* path) override { return platform::PathExists(path, platform::IsVolumeRoot(path)); }

  bool FileExists(const char* path) override { return platform::PathExists(path, false); }
  bool RemoveFile(const char* path) override { return platform::DeleteFileAt(path); }
  bool CreateHiddenFile(const char* path, ByteView bytes) override {
    return platform::CreateHiddenFile(path, bytes.data, bytes.size);
  }

  void* LoadPluginLibrary(const char* path) override { return platform::LoadLibraryAtPath(path); }
  void* FindPluginRoutine(void* library, const char* name) override {
    return platform::FindLibraryRoutine(library, name);
  }
  void FreePluginLibrary(void* library) override { platform::FreeLibraryHandle(library); }

  void ShowInstallFailure(const char* text) override { platform::ShowMessageBox(text, platform::MessageIcon::Error); }
  void EndProcess() override { platform::EndProcess(); }
};

}  // namespace

PluginServices& ProcessPluginServices() {
  static ProcessServices services;
  return services;
}

}  // namespace ql
