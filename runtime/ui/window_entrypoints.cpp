#include "quillon/entrypoints/windows.h"
#include "ui/ui_entrypoints.h"

namespace ql {
namespace {

// The window layer's entry points that no class table names (the methods
// and accessors of Window, Control and RectControl enter the registry with
// their classes).
const EntryPointRow kRows[] = {
    {"WindowAllocateObject", EntryAddress(WindowAllocateObject)},
    {"RuntimeGetImplicitWindow", EntryAddress(RuntimeGetImplicitWindow)},
    {"RuntimeControlFetch", EntryAddress(RuntimeControlFetch)},
};

}  // namespace

const EntryPointTable kWindowEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
