// The interfaces among the intrinsic definitions. _PaneChild and
// _MenuBarInstaller declare their methods (compiled classes implement them;
// the runtime calls them through interface tables in declaration order); the
// others are known by name until their subsystem defines them.
#include "core/intrinsic_classes.h"

namespace ql::intrinsic {
namespace {

const ParameterEntry kSetWindowParameters[] = {Parameter("w", TypeOf(Window))};
const ParameterEntry kInstallParameters[] = {Parameter("owner", TypeOf(MenuBar))};

// No runtime functions: the methods exist to be implemented.
const MethodEntry kPaneChildMethods[] = {
    Method("_Layout", kNoLink),
    Method("_SetWindow", kNoLink, nullptr, kSetWindowParameters),
    Method("_Index", kNoLink, types::Integer),
};

const MethodEntry kMenuBarInstallerMethods[] = {
    Method("_Install", kNoLink, nullptr, kInstallParameters),
};

}  // namespace

#define QL_INTERFACE(id, ...)                                                           \
  const ClassDescription id##Description{__VA_ARGS__, .role = ClassRole::Interface}; \
  ObjectDefinition id(id##Description)

QL_INTERFACE(PaneChild, .name = "_PaneChild", .methods = kPaneChildMethods);
QL_INTERFACE(MenuBarInstaller, .name = "_MenuBarInstaller", .methods = kMenuBarInstallerMethods);

QL_INTERFACE(actionSource, .name = "actionSource");
QL_INTERFACE(actionNotificationReceiver, .name = "actionNotificationReceiver");
QL_INTERFACE(BooleanProvider, .name = "BooleanProvider");
QL_INTERFACE(StringProvider, .name = "StringProvider");
QL_INTERFACE(StringInterface, .name = "StringInterface");
QL_INTERFACE(DataAvailableProvider, .name = "DataAvailableProvider");
QL_INTERFACE(dataNotifier, .name = "dataNotifier");
QL_INTERFACE(dataNotificationReceiver, .name = "dataNotificationReceiver");
QL_INTERFACE(bindingInterface, .name = "bindingInterface");
QL_INTERFACE(bindingPartInterface, .name = "bindingPartInterface");
QL_INTERFACE(ListInterface, .name = "ListInterface");
QL_INTERFACE(listDataProvider, .name = "listDataProvider");
QL_INTERFACE(listDataNotifier, .name = "listDataNotifier");
QL_INTERFACE(listDataNotificationReceiver, .name = "listDataNotificationReceiver");
QL_INTERFACE(listSelectionNotifier, .name = "listSelectionNotifier");
QL_INTERFACE(listSelectionNotificationReceiver, .name = "listSelectionNotificationReceiver");
QL_INTERFACE(tupleInterface, .name = "tupleInterface");

#undef QL_INTERFACE

}  // namespace ql::intrinsic
