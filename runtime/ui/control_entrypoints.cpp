// Entry points of the controls that no class table carries: the scroll
// positions of edit fields (methods with a getter and a setter of their
// own) and RuntimeShowURL.
#include "quillon/entrypoints/controls.h"
#include "ui/ui_entrypoints.h"

namespace ql {
namespace {

const EntryPointRow kRows[] = {
    {"editScrollPositionGetter", EntryAddress(editScrollPositionGetter)},
    {"editScrollPositionSetter", EntryAddress(editScrollPositionSetter)},
    {"EditScrollPositionXGetter", EntryAddress(EditScrollPositionXGetter)},
    {"EditScrollPositionXSetter", EntryAddress(EditScrollPositionXSetter)},
    {"RuntimeShowURL", EntryAddress(RuntimeShowURL)},
};

}  // namespace

const EntryPointTable kControlEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
