// The link names an image may import, read from QL_ENTRY declarations.
#include "entry_names.h"

#include <gtest/gtest.h>

namespace qlimage {
namespace {

TEST(EntryNames, CollectsDeclaredFunctionsOnly) {
  const char* header =
      "#pragma once\n"
      "#define QL_ENTRY extern \"C\"\n"
      "#define QL_SHOW(x) QL_ENTRY void x(void); \\\n  QL_ENTRY void Hidden(void)\n"
      "// QL_ENTRY void Commented(void);\n"
      "/* QL_ENTRY void AlsoCommented(void); */\n"
      "QL_ENTRY RuntimeString* RuntimeLockString(RuntimeString* s);\n"
      "QL_ENTRY void\n    RuntimeMultiLine (int a,\n int b);\n"
      "QL_ENTRY bool RuntimePopHandlerFrame(RuntimeHandlerFrame* frame);\n"
      "typedef int32_t (*RuntimeIntGetter)(RuntimeObject*, uint32_t);\n"
      "NOT_QL_ENTRY void Lookalike(void);\n";
  EntryNames names;
  CollectEntryNames(header, names);
  EXPECT_EQ(names, (EntryNames{"RuntimeLockString", "RuntimeMultiLine", "RuntimePopHandlerFrame"}));
}

TEST(EntryNames, ReadsTheSdkHeaders) {
  EntryNames names;
  Diagnostics diagnostics;
  ASSERT_TRUE(ReadEntryNames(QL_ENTRY_POINTS_DIR, names, diagnostics));
  for (const char* name : {"RuntimeLockString", "RuntimeUnlockString", "RuntimePushHandlerFrame",
                           "RuntimePopHandlerFrame", "RuntimeLockObject", "RuntimeUnlockObject"}) {
    EXPECT_EQ(names.count(name), 1u) << name;
  }
  EXPECT_EQ(names.count("QL_ENTRY"), 0u);
}

TEST(EntryNames, AFolderWithoutDeclarationsIsAnError) {
  EntryNames names;
  Diagnostics diagnostics;
  EXPECT_FALSE(ReadEntryNames(testing::TempDir() + "/no-such-folder", names, diagnostics));
  EXPECT_TRUE(diagnostics.HasErrors());
}

}  // namespace
}  // namespace qlimage
