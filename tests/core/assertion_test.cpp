#include "core/assertion.h"

#include <gtest/gtest.h>

#include <string>

#include "support/assertion_recorder.h"

namespace ql {
namespace {

TEST(Assertion, TextFollowsTheReportLayout) {
  AssertionReport report{7, "loaderX86", 530, "0", "extra"};
  char text[1024];
  FormatAssertionText(report, text, sizeof text);
  EXPECT_EQ(std::string(text),
            "Failed Assertion: 7\nPress OK to Continue\nPress Cancel to Quit.\n\n"
            "Please report what caused this error\nalong with the information below.\n\n"
            "loaderX86: 530\nFailure Condition: 0\nextra");
}

TEST(Assertion, ReportsReachTheObserverAndContinue) {
  test::AssertionRecorder recorder;
  EXPECT_FALSE(QL_CHECK(1 == 2, "relocentry", 2240, "functionPtr == oldEntry->code"));
  EXPECT_TRUE(QL_CHECK(2 == 2, "relocentry", 2240, "never"));
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].source, "relocentry");
  EXPECT_EQ(recorder.reports()[0].line, 2240);
  EXPECT_EQ(recorder.reports()[0].condition, "functionPtr == oldEntry->code");
}

}  // namespace
}  // namespace ql
