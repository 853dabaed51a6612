#include "core/allocator.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/resources.h"
#include "quillon/entrypoints/startup.h"
#include "startup/entrypoint_table.h"
#include "startup/imageoptions.h"
#include "startup/plugin_classes.h"
#include "startup/plugins.h"
#include "startup/runtimeinit.h"

namespace {

// The window layer creates the MDI frame ("QL_MDIFRAME", 640 by 480, titled
// with the image's MDI title) and turns MDI mode on.
void CreateMdiFrame() {
  if (auto create = ql::CurrentInitialisationSlots().createMdiFrame) create();
}

}  // namespace

QL_ENTRY void RuntimeInit() {
  ql::RunPluginInstallationPass();
  if (ql::CurrentImageOptions().mdi) CreateMdiFrame();
}

QL_ENTRY void RuntimeExit() {}

QL_ENTRY void** RuntimeAllocatePluginEntrypointsTable(int32_t count) {
  // A count whose slots cannot be addressed is refused like a count of 0.
  if (count <= 0 || static_cast<uint64_t>(count) > SIZE_MAX / sizeof(void*)) return nullptr;
  return static_cast<void**>(ql::AllocateOrDie(static_cast<size_t>(count) * sizeof(void*)));
}

namespace ql {
namespace {

const EntryPointRow kRows[] = {
    {"RuntimeInit", EntryAddress(RuntimeInit)},
    {"RuntimeExit", EntryAddress(RuntimeExit)},
    {"RuntimeAllocatePluginEntrypointsTable", EntryAddress(RuntimeAllocatePluginEntrypointsTable)},
    // The plug-in interface (quillon/plugin.h): found by plug-ins, not imported by images.
    {"RuntimeRegisterPluginClass", EntryAddress(RuntimeRegisterPluginClass)},
    // Resources.
    {"RuntimeGetBitmapFromResourceManager", EntryAddress(RuntimeGetBitmapFromResourceManager)},
    {"RuntimeGetCursorFromResourceManager", EntryAddress(RuntimeGetCursorFromResourceManager)},
    {"RuntimeGetSoundFromResourceManager", EntryAddress(RuntimeGetSoundFromResourceManager)},
    {"RuntimeGetTextFileFromResourceManager", EntryAddress(RuntimeGetTextFileFromResourceManager)},
    {"RuntimeGetMovieFromResource", EntryAddress(RuntimeGetMovieFromResource)},
    {"RuntimeGetDatabaseFromResource", EntryAddress(RuntimeGetDatabaseFromResource)},
    {"SoundPlay", EntryAddress(SoundPlay)},
    {"SoundStop", EntryAddress(SoundStop)},
    // The application object and the main loop (the Application class's
    // own link names enter the registry with the class).
    {"RuntimeRegisterAppObject", EntryAddress(RuntimeRegisterAppObject)},
    {"RuntimeRun", EntryAddress(RuntimeRun)},
    {"ApplicationQuit", EntryAddress(ApplicationQuit)},
    {"RuntimeBackgroundTask", EntryAddress(RuntimeBackgroundTask)},
    {"getUserCancelled", EntryAddress(getUserCancelled)},
    {"RuntimeRegisterFileType", EntryAddress(RuntimeRegisterFileType)},
};

}  // namespace

const EntryPointTable kStartupEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
