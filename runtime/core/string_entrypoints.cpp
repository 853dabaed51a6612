#include "quillon/entrypoints/strings.h"
#include "startup/entrypoint_table.h"

namespace ql {
namespace {

const EntryPointRow kRows[] = {
    {"RuntimeLockString", EntryAddress(RuntimeLockString)},
    {"RuntimeUnlockString", EntryAddress(RuntimeUnlockString)},
    {"RuntimeLockUnlockStrings", EntryAddress(RuntimeLockUnlockStrings)},
    {"RuntimeAddString", EntryAddress(RuntimeAddString)},
    {"RuntimeStringCompare", EntryAddress(RuntimeStringCompare)},
};

}  // namespace

const EntryPointTable kStringEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
