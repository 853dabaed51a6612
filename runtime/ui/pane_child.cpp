#include "ui/pane_child.h"

#include "core/assertion.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"

namespace ql::ui {
namespace {

void* InterfaceMethod(RuntimeObject* object, ObjectDefinition& iface, int index) {
  if (!object || !object->cls) return nullptr;
  const RuntimeInterfaceEntry* entry = FindInterfaceEntry(object->cls, ClassOf(iface));
  if (!entry) return nullptr;
  void* function = entry->methods && index < entry->methodCount ? entry->methods[index].function : nullptr;
  QL_CHECK(function != nullptr, "runctl", 431, "fp");
  return function;
}

}  // namespace

bool ImplementsPaneChild(RuntimeObject* object) {
  return object && object->cls && FindInterfaceEntry(object->cls, ClassOf(intrinsic::PaneChild)) != nullptr;
}

void* PaneChildMethod(RuntimeObject* object, PaneChildSlot slot) {
  return InterfaceMethod(object, intrinsic::PaneChild, static_cast<int>(slot));
}

void* MenuBarInstallerMethod(RuntimeObject* object) { return InterfaceMethod(object, intrinsic::MenuBarInstaller, 0); }

}  // namespace ql::ui
