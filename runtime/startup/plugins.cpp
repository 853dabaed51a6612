#include "startup/plugins.h"

namespace ql {

// Slot: the plug-in issue fills this pass (resources of type 'QLPl', the
// "QUILLON MUTEX", installation and "QUILPluginMain"). Until then an image's
// plug-in resources are not installed; see docs/startup.md.
void RunPluginInstallationPass() {}

}  // namespace ql
