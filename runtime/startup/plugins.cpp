#include "startup/plugins.h"

#include <string.h>

#include <string>
#include <vector>

#include "core/entrypoint_registry.h"
#include "platform/paths.h"
#include "quillon/plugin.h"
#include "startup/exitcleanup.h"
#include "startup/plugin_classes.h"

namespace ql {

const char kCannotInstallMessage[] =
    "The application cannot continue because a needed file cannot be installed. You don't have appropriate "
    "permission to install the file.";

namespace {

struct LoadedPlugin {
  void* library;
  std::string path;  // the installed file
  PluginServices* services;
};

// Oldest first; the exit clean-up unloads newest first (the list's head).
std::vector<LoadedPlugin>& LoadedPlugins() {
  static std::vector<LoadedPlugin>& plugins = *new std::vector<LoadedPlugin>;
  return plugins;
}

// Frees every loaded library, then deletes its installed file (which fails,
// and leaves it, while another instance still has it loaded).
class PluginCleanup final : public ExitCleanup {
 public:
  ~PluginCleanup() override {
    std::vector<LoadedPlugin>& plugins = LoadedPlugins();
    while (!plugins.empty()) {
      const LoadedPlugin plugin = plugins.back();
      plugins.pop_back();
      plugin.services->FreePluginLibrary(plugin.library);
      plugin.services->RemoveFile(plugin.path.c_str());
    }
  }
};

// A plug-in resource: u8 N, N bytes of file name, then the library's bytes.
struct PluginResource {
  std::string fileName;
  ByteView library;
};

// Only a plain name of a file in the installation folder: no separators,
// drive or stream colons, wildcards, control bytes, nor a name of dots and
// spaces only ("..").
bool IsPlainFileName(const std::string& name) {
  if (name.empty()) return false;
  bool onlyDotsAndSpaces = true;
  for (const char c : name) {
    const uint8_t byte = static_cast<uint8_t>(c);
    if (byte < 0x20 || strchr("/\\:*?\"<>|", c)) return false;
    if (c != '.' && c != ' ') onlyDotsAndSpaces = false;
  }
  return !onlyDotsAndSpaces;
}

bool ReadPluginResource(const ResourceEntry& entry, PluginResource* out) {
  if (entry.size < 1) return false;
  const uint8_t length = entry.data[0];
  if (entry.size - 1 < length) return false;
  out->fileName.assign(reinterpret_cast<const char*>(entry.data + 1), length);
  out->library = ByteView{entry.data + 1 + length, entry.size - 1u - length};
  return IsPlainFileName(out->fileName);
}

// Every 'QLPl' resource, each prepended: the list runs in reverse table order.
std::vector<ResourceEntry> CollectPluginResources(const ResourceIndex& resources) {
  std::vector<ResourceEntry> work;
  for (size_t i = 0; i < resources.Count(); ++i) {
    const ResourceEntry entry = resources.EntryAt(i);
    if (entry.type == resource_type::kPlugin) work.insert(work.begin(), entry);
  }
  return work;
}

void* TakeInstallMutex(PluginServices& services) {
  bool alreadyExisted = false;
  void* mutex = services.CreateInstallMutex(&alreadyExisted);
  // Another process is installing: wait for it, but not forever.
  if (mutex && alreadyExisted) services.WaitForInstallMutex(mutex, kInstallMutexWaitMilliseconds);
  return mutex;
}

// The preferences folder, else the application's folder, else the root.
String ChooseInstallationFolder(PluginServices& services) {
  String (PluginServices::*const candidates[])() = {&PluginServices::PreferencesFolder,
                                                    &PluginServices::ApplicationFolder, &PluginServices::RootFolder};
  for (auto candidate : candidates) {
    String folder = (services.*candidate)();
    if (!folder.empty() && services.FolderExists(folder.text())) return folder;
  }
  return String();
}

enum class Installed { Yes, Kept, Failed };

// Delete, then create new; a file that is still there is in use by another
// running instance and is kept as it is.
Installed InstallFile(PluginServices& services, const char* path, ByteView library) {
  services.RemoveFile(path);
  if (services.FileExists(path)) return Installed::Kept;
  return services.CreateHiddenFile(path, library) ? Installed::Yes : Installed::Failed;
}

// A library that does not load, or lacks the entry, is skipped without a
// message; a file this pass created for it is removed again.
void LoadPlugin(PluginServices& services, const std::string& path, Installed installed) {
  void* library = services.LoadPluginLibrary(path.c_str());
  void* main = library ? services.FindPluginRoutine(library, kPluginMainName) : nullptr;
  if (!main) {
    if (library) services.FreePluginLibrary(library);
    if (installed == Installed::Yes) services.RemoveFile(path.c_str());
    return;
  }
  LoadedPlugins().push_back(LoadedPlugin{library, path, &services});
  reinterpret_cast<QuillonPluginMainFunction>(main)(LookupEntryPointForPlugin);
}

void FailInstallation(PluginServices& services, void* mutex) {
  services.ShowInstallFailure(kCannotInstallMessage);
  services.ReleaseInstallMutex(mutex);
  services.EndProcess();
}

}  // namespace

void* LookupEntryPointForPlugin(const char* linkName) { return linkName ? LookupEntryPoint(linkName) : nullptr; }

size_t LoadedPluginCount() { return LoadedPlugins().size(); }

void RunPluginInstallationPass(PluginServices& services, const ResourceIndex& resources) {
  const std::vector<ResourceEntry> work = CollectPluginResources(resources);
  if (!work.empty()) new PluginCleanup;  // it links itself into the exit-cleanup list
  void* mutex = TakeInstallMutex(services);
  const String folder = work.empty() ? String() : ChooseInstallationFolder(services);
  if (!folder.empty()) {
    for (const ResourceEntry& entry : work) {
      PluginResource plugin;
      if (!ReadPluginResource(entry, &plugin)) continue;  // a damaged record or an unsafe name: skipped
      const String path = platform::ChildPath(folder.text(), plugin.fileName.c_str());
      if (path.empty()) continue;
      const Installed installed = InstallFile(services, path.text(), plugin.library);
      if (installed == Installed::Failed) {
        FailInstallation(services, mutex);
        return;  // only when the process could not be ended
      }
      LoadPlugin(services, std::string(path.text(), static_cast<size_t>(path.length())), installed);
    }
  }
  CompletePluginClasses();
  services.ReleaseInstallMutex(mutex);
}

void RunPluginInstallationPass() { RunPluginInstallationPass(ProcessPluginServices(), CurrentResources()); }

}  // namespace ql
