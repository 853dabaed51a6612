#include "quillon/entrypoints/strings.h"
#include "core/entrypoint_table.h"

namespace ql {
namespace {

const EntryPointRow kRows[] = {
    {"RuntimeLockString", EntryAddress(RuntimeLockString)},
    {"RuntimeUnlockString", EntryAddress(RuntimeUnlockString)},
    {"RuntimeLockUnlockStrings", EntryAddress(RuntimeLockUnlockStrings)},
    {"RuntimeAddString", EntryAddress(RuntimeAddString)},
    {"RuntimeStringCompare", EntryAddress(RuntimeStringCompare)},
    {"StringStr", EntryAddress(StringStr)},
    {"StringVal", EntryAddress(StringVal)},
    {"runCDbl", EntryAddress(runCDbl)},
    {"StringNthField", EntryAddress(StringNthField)},
    {"StringCountFields", EntryAddress(StringCountFields)},
    {"StringDBCSMid3", EntryAddress(StringDBCSMid3)},
    {"StringDBCSLen", EntryAddress(StringDBCSLen)},
    {"StringDBCSAsc", EntryAddress(StringDBCSAsc)},
    {"StringDBCSChr", EntryAddress(StringDBCSChr)},
};

}  // namespace

const EntryPointTable kStringEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
