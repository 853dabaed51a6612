// The application object and the loop in a real start: an image appended to
// the runtime, run as a child process with a command line.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <string>

#include "startup/child_runtime.h"

namespace ql {
namespace {

// Shown in MsgBox's box, which sets the text after the first line end
// apart as the explanation.
constexpr const char kNilObjectReport[] =
    "An exception of class NilObjectException was not handled.\r\n\r\nThe application must shut down.";

struct Case {
  const char* mode;
  std::string report;
  std::vector<std::string> dialogs;
};

TEST(LoopProcess, TheApplicationsOpenQuitsOrRaisesAndTheProcessEndsWithZero) {
  const Case cases[] = {
      {"quit",
       "open\r\nclose\r\nquit caught EndException\r\ndocument 0\r\ndocument 1\r\nregistered\r\nrun returned\r\nexit\r\n",
       {}},
      {"raise",
       "open\r\nafter the raise\r\nunhandled NilObjectException\r\ndocument 0\r\ndocument 1\r\nregistered\r\n"
       "run returned\r\nexit\r\n",
       {kNilObjectReport}},
      {"handled",
       "open\r\nafter the raise\r\nunhandled NilObjectException\r\ndocument 0\r\ndocument 1\r\nregistered\r\n"
       "run returned\r\nexit\r\n",
       {}},
  };
  for (const Case& c : cases) {
    test::TemporaryFolder folder({{"my notes.txt", {'x'}}});
    // The mode is a document too, one that does not exist.
    const std::string arguments = std::string(c.mode) + " \"" + folder.path() + "\\my notes.txt\"";
    const test::ChildRun run = test::RunChild(QL_LOOP_IMAGE_EXE, folder.path(), 20000, test::DialogAnswer::Ok, arguments);
    ASSERT_TRUE(run.exited) << c.mode;
    EXPECT_EQ(run.exitCode, 0u) << c.mode;
    EXPECT_EQ(folder.Read("report.txt"), c.report) << c.mode;
    ASSERT_EQ(run.dialogs.size(), c.dialogs.size()) << c.mode;
    for (size_t i = 0; i < c.dialogs.size(); ++i) EXPECT_EQ(run.dialogs[i].text, c.dialogs[i]) << c.mode;
  }
}

}  // namespace
}  // namespace ql

#endif
