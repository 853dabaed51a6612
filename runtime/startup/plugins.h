// The plug-in installation pass: installs and loads the plug-in libraries
// carried in the image's resources ('QLPl'), then completes the classes they
// registered. Start-up runs it once before the image is read (it then finds
// none and only takes and releases the mutex) and RuntimeInit runs it again.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "startup/pluginservices.h"
#include "startup/resourcemanager.h"

namespace ql {

// How long a process waits for another one's installation.
constexpr uint32_t kInstallMutexWaitMilliseconds = 4000;
// The entry every plug-in library exports.
constexpr const char kPluginMainName[] = "QUILPluginMain";
extern const char kCannotInstallMessage[];

// With the process's services and the running image's resources.
void RunPluginInstallationPass();
void RunPluginInstallationPass(PluginServices& services, const ResourceIndex& resources);

// Plug-ins loaded and not yet unloaded by the exit clean-up.
size_t LoadedPluginCount();

// The lookup callback "QUILPluginMain" receives: the registry's entry for a
// NUL-terminated link name (case-insensitive), or null.
void* LookupEntryPointForPlugin(const char* linkName);

}  // namespace ql
