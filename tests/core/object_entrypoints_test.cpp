#include <gtest/gtest.h>

#include "core/entrypoint_registry.h"
#include "core/entrypoint_table.h"
#include "core/intrinsic_classes.h"
#include "core/string.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

struct Row {
  const char* link;
  void* function;
};

// Every link name of objects, classes, the standard accessors, the line-end
// object and exceptions, with the function that implements it.
const Row kLinkNames[] = {
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
    {"RuntimeNilObject", EntryAddress(RuntimeNilObject)},
    {"RuntimeMassPropertySetter", EntryAddress(RuntimeMassPropertySetter)},
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
    {"RuntimeGetEndOfLineObject", EntryAddress(RuntimeGetEndOfLineObject)},
    {"RuntimeEndOfLineAddRight", EntryAddress(RuntimeEndOfLineAddRight)},
    {"RuntimeEndOfLineAdd", EntryAddress(RuntimeEndOfLineAdd)},
    {"RuntimeEndOfLine", EntryAddress(RuntimeEndOfLine)},
    {"getMacEndOfLine", EntryAddress(getMacEndOfLine)},
    {"getWin32EndOfLine", EntryAddress(getWin32EndOfLine)},
    {"getUNIXEndOfLine", EntryAddress(getUNIXEndOfLine)},
    {"RuntimeRaiseException", EntryAddress(RuntimeRaiseException)},
    {"RuntimeReraiseException", EntryAddress(RuntimeReraiseException)},
    {"RuntimeUnhandledException", EntryAddress(RuntimeUnhandledException)},
    {"RuntimeStackCheck", EntryAddress(RuntimeStackCheck)},
    {"RuntimePushHandlerFrame", EntryAddress(RuntimePushHandlerFrame)},
    {"RuntimePopHandlerFrame", EntryAddress(RuntimePopHandlerFrame)},
};

TEST(ObjectEntryPoints, EveryLinkNameResolvesToItsFunction) {
  RegisterIntrinsicClasses();  // start-up registers the class tables' names
  for (const Row& row : kLinkNames) EXPECT_EQ(LookupEntryPoint(row.link), row.function) << row.link;
}

TEST(ObjectEntryPoints, NamesTheImageFindsOnlyAmongRegisteredRows) {
  // Class registration enters them; they are not in the compiled table.
  for (const char* name : {"RuntimeMassPropertySetter", "RuntimeGetEndOfLineObject", "RuntimeEndOfLineAddRight"})
    for (size_t i = 0; i < kObjectEntryPoints.count; ++i)
      EXPECT_FALSE(NamesEqual(kObjectEntryPoints.rows[i].name, name)) << name;
}

}  // namespace
}  // namespace ql
