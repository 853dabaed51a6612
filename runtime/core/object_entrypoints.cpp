#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"
#include "core/entrypoint_table.h"

namespace ql {
namespace {

// The mass property setter and the line-end entry points are not here: class
// registration enters them (intrinsic_classes.cpp).
const EntryPointRow kRows[] = {
    {"RuntimeNewClass", EntryAddress(RuntimeNewClass)},
    {"RuntimeNewVtable", EntryAddress(RuntimeNewVtable)},
    {"RuntimeLookupClass", EntryAddress(RuntimeLookupClass)},
    {"RuntimeNewObject", EntryAddress(RuntimeNewObject)},
    {"RuntimeLockObject", EntryAddress(RuntimeLockObject)},
    {"RuntimeUnlockObject", EntryAddress(RuntimeUnlockObject)},
    {"RuntimeLockUnlockObjects", EntryAddress(RuntimeLockUnlockObjects)},
    {"RuntimeObjectIsa", EntryAddress(RuntimeObjectIsa)},
    {"RuntimeCheckCast", EntryAddress(RuntimeCheckCast)},
    {"RuntimeLookupInterfaceVtable", EntryAddress(RuntimeLookupInterfaceVtable)},
    {"intGetter", EntryAddress(intGetter)},
    {"intSetter", EntryAddress(intSetter)},
    {"shortGetter", EntryAddress(shortGetter)},
    {"shortSetter", EntryAddress(shortSetter)},
    {"boolGetter", EntryAddress(boolGetter)},
    {"boolSetter", EntryAddress(boolSetter)},
    {"singleGetter", EntryAddress(singleGetter)},
    {"singleSetter", EntryAddress(singleSetter)},
    {"doubleGetter", EntryAddress(doubleGetter)},
    {"doubleSetter", EntryAddress(doubleSetter)},
    {"stringGetter", EntryAddress(stringGetter)},
    {"stringSetter", EntryAddress(stringSetter)},
    {"objGetter", EntryAddress(objGetter)},
    {"objSetter", EntryAddress(objSetter)},
    {"RuntimeRaiseException", EntryAddress(RuntimeRaiseException)},
    {"RuntimeReraiseException", EntryAddress(RuntimeReraiseException)},
    {"RuntimeUnhandledException", EntryAddress(RuntimeUnhandledException)},
    {"RuntimeNilObject", EntryAddress(RuntimeNilObject)},
    {"RuntimeStackCheck", EntryAddress(RuntimeStackCheck)},
    {"RuntimePushHandlerFrame", EntryAddress(RuntimePushHandlerFrame)},
    {"RuntimePopHandlerFrame", EntryAddress(RuntimePopHandlerFrame)},
};

}  // namespace

const EntryPointTable kObjectEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
