#include "quillon/entrypoints/startup.h"

#include <gtest/gtest.h>

#include <stdint.h>

#include "core/allocator.h"
#include "core/entrypoint_registry.h"

namespace ql {
namespace {

TEST(StartupEntryPoints, ThePluginTableHasOneSlotPerCountAndNoneForNoCount) {
  for (int32_t count : {0, -1, INT32_MIN}) EXPECT_EQ(RuntimeAllocatePluginEntrypointsTable(count), nullptr) << count;
  const size_t before = AllocatedBytes();
  void** table = RuntimeAllocatePluginEntrypointsTable(105);
  ASSERT_NE(table, nullptr);
  EXPECT_GE(AllocatedBytes() - before, 105 * sizeof(void*));
  for (int i = 0; i < 105; ++i) table[i] = &table[i];  // every slot is writable
  Release(table, 105 * sizeof(void*));
}

TEST(StartupEntryPoints, AreFoundByTheirLinkNames) {
  EXPECT_EQ(LookupEntryPoint("RuntimeInit"), reinterpret_cast<void*>(RuntimeInit));
  EXPECT_EQ(LookupEntryPoint("RuntimeExit"), reinterpret_cast<void*>(RuntimeExit));
  EXPECT_EQ(LookupEntryPoint("RuntimeAllocatePluginEntrypointsTable"),
            reinterpret_cast<void*>(RuntimeAllocatePluginEntrypointsTable));
}

}  // namespace
}  // namespace ql
