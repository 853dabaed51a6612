#include "quillon/entrypoints/menus.h"
#include "menus/menu_entrypoints.h"

namespace ql {
namespace {

// The menus layer's entry points that no class table names (the methods and
// accessors of the menu classes, Application and Window enter the registry
// with their classes).
const EntryPointRow kRows[] = {
    {"RuntimeMenuReference", EntryAddress(RuntimeMenuReference)},
    {"RuntimeMenuItemClick", EntryAddress(RuntimeMenuItemClick)},
    {"enableMenuItems", EntryAddress(enableMenuItems)},
};

}  // namespace

const EntryPointTable kMenuEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
