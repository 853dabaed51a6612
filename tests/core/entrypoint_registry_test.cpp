#include "core/entrypoint_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/entrypoint_table.h"
#include "quillon/entrypoints/objects.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

int g_functions[700];
void* Function(int i) { return &g_functions[i]; }

TEST(EntryPointRegistry, FindsTableRowsWithoutRegardToCase) {
  for (const char* spelling : {"RuntimeNewClass", "runtimenewclass", "RUNTIMENEWCLASS"})
    EXPECT_EQ(LookupEntryPoint(spelling), EntryAddress(RuntimeNewClass)) << spelling;
  EXPECT_EQ(LookupEntryPoint("RuntimeNewClassXYZ", 15), EntryAddress(RuntimeNewClass)) << "by length";
  EXPECT_EQ(LookupEntryPoint("RuntimeNewClas"), nullptr);
  EXPECT_EQ(LookupEntryPoint("NoSuchEntryPoint"), nullptr);
  EXPECT_EQ(LookupEntryPoint(nullptr), nullptr);
  EXPECT_EQ(LookupEntryPoint(""), nullptr);
}

TEST(EntryPointRegistry, RegisteringTheSameFunctionAgainIsSilentAndAddsNoRow) {
  RegisterEntryPoint("TestRegistryOnce", Function(0));
  const size_t rows = RegisteredEntryPointCount();
  RegisterEntryPoint("TestRegistryOnce", Function(0));
  RegisterEntryPoint("testregistryONCE", Function(0));
  EXPECT_EQ(RegisteredEntryPointCount(), rows);
  // A table name registered with its own function, as class registration does.
  RegisterEntryPoint("intGetter", EntryAddress(intGetter));
  EXPECT_EQ(RegisteredEntryPointCount(), rows);
}

TEST(EntryPointRegistry, AnotherFunctionUnderAKnownNameIsReportedAndTheFirstStays) {
  RegisterEntryPoint("TestRegistryFirst", Function(1));
  struct Case {
    const char* name;
    void* expected;
  };
  for (const Case& c : {Case{"TestRegistryFirst", Function(1)}, Case{"RuntimeNewObject", EntryAddress(RuntimeNewObject)}}) {
    test::AssertionRecorder recorder;
    RegisterEntryPoint(c.name, Function(2));
    ASSERT_EQ(recorder.count(), 1u) << c.name;
    EXPECT_EQ(recorder.reports()[0].source, "relocentry");
    EXPECT_EQ(recorder.reports()[0].line, 2240);
    EXPECT_EQ(recorder.reports()[0].condition, "functionPtr == oldEntry->code");
    EXPECT_EQ(LookupEntryPoint(c.name), c.expected);
  }
}

TEST(EntryPointRegistry, UnnamedRowsAreKeptButNeverFound) {
  const size_t rows = RegisteredEntryPointCount();
  RegisterEntryPoint(nullptr, Function(3));
  EXPECT_EQ(RegisteredEntryPointCount(), rows + 1);
}

TEST(EntryPointRegistry, KeepsItsOwnCopyOfRegisteredNames) {
  char name[] = "TestRegistryCopied";
  RegisterEntryPoint(name, Function(4));
  name[0] = 'X';
  EXPECT_EQ(LookupEntryPoint("TestRegistryCopied"), Function(4));
}

TEST(EntryPointRegistry, ManyMoreNamesThanBucketsAreAllFound) {
  std::vector<std::string> names;
  for (int i = 0; i < 600; ++i) names.push_back("TestRegistryMany" + std::to_string(i));
  for (int i = 0; i < 600; ++i) RegisterEntryPoint(names[i].c_str(), Function(100 + i));
  for (int i = 0; i < 600; ++i) ASSERT_EQ(LookupEntryPoint(names[i].c_str()), Function(100 + i)) << names[i];
  EXPECT_EQ(LookupEntryPoint("RuntimeLockObject"), EntryAddress(RuntimeLockObject));
}

}  // namespace
}  // namespace ql
