// The appearance plug-in carried by an image: the runtime installs and
// loads it, and class lookup finds Separator only through it.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include "core/class_lookup.h"
#include "startup/child_runtime.h"

namespace ql {
namespace {

TEST(SeparatorImage, FindsSeparatorThroughThePlugin) {
  EXPECT_EQ(LookupClass("Separator"), nullptr) << "the runtime itself has no Separator";
  test::TemporaryFolder folder({});
  const test::ChildRun run = test::RunChild(QL_SEPARATOR_IMAGE_EXE, folder.path(), 30000);
  EXPECT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0u);
  for (const test::ChildDialog& d : run.dialogs) ADD_FAILURE() << d.title << ": " << d.text;
  EXPECT_EQ(folder.Read("report.txt"), "separator Separator on RectControl, 64x4\r\n");
}

}  // namespace
}  // namespace ql

#endif
