// A window made by compiled code in a real start: the image appended to the
// runtime, run as a child process.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <string>

#include "startup/child_runtime.h"

namespace ql {
namespace {

const char kCreation[] =
    "EventWindow Layout\r\n"
    "EventWindow CreateControls\r\n"
    "Field1 _Layout\r\n"
    "Field2 _Layout\r\n"
    "Field1 CreatePane\r\n"
    "Field2 CreatePane\r\n"
    "EventWindow SetupBindings\r\n"
    "Field1 Open\r\n"
    "Field2 Open\r\n"
    "EventWindow Open\r\n";

// The loop takes the WM_CLOSE the window posted itself.
const char kClosing[] =
    "EventWindow CancelClose\r\n"
    "Field1 Close\r\n"
    "Field2 Close\r\n"
    "EventWindow Close\r\n"
    "run returned\r\n";

TEST(WindowImage, EventsComeInTheFixedOrderAndTheLastWindowClosingEndsTheProcess) {
  test::TemporaryFolder folder({});
  const test::ChildRun run = test::RunChild(QL_WINDOW_IMAGE_EXE, folder.path(), 20000);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.dialogs.empty());
  EXPECT_EQ(folder.Read("report.txt"), std::string(kCreation) + "width 300 controls 2\r\n" + kClosing);
}

TEST(WindowImage, InMdiModeTheWindowIsAChildOfTheFrameAndClosingTheFrameQuits) {
  test::TemporaryFolder folder({});
  const test::ChildRun run = test::RunChild(QL_MDI_WINDOW_IMAGE_EXE, folder.path(), 20000);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.dialogs.empty());
  EXPECT_EQ(folder.Read("report.txt"),
            std::string(kCreation) + "in an MDI frame\r\nwidth 300 controls 2\r\n" + kClosing);
}

}  // namespace
}  // namespace ql

#endif
