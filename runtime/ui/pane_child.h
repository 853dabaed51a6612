// The interfaces every compiled control class implements (_PaneChild:
// _Layout, _SetWindow, _Index, in that order) and menu-bar installers
// implement (_MenuBarInstaller: _Install); the runtime calls them through
// the object's interface table.
#pragma once

#include "quillon/abi.h"

namespace ql::ui {

enum class PaneChildSlot : int { Layout = 0, SetWindow = 1, Index = 2 };

bool ImplementsPaneChild(RuntimeObject* object);
// The object's implementation of the method, or nil when its class does not
// implement _PaneChild; an interface table without the method is an
// internal error ("fp").
void* PaneChildMethod(RuntimeObject* object, PaneChildSlot slot);
// `_Install(owner As MenuBar)`, or nil.
void* MenuBarInstallerMethod(RuntimeObject* object);

}  // namespace ql::ui
