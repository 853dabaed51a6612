// The plug-in installation pass: installs and loads the plug-in libraries
// carried in the image's resources. Start-up runs it once before the image
// is read (it then finds none) and RuntimeInit runs it again.
#pragma once

namespace ql {

void RunPluginInstallationPass();

}  // namespace ql
