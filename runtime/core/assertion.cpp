#include "core/assertion.h"

#include <stdio.h>

#include <atomic>

namespace ql {
namespace {

std::atomic<AssertionObserver> g_observer{nullptr};
std::atomic<int> g_reportCount{0};

constexpr const char kTitle[] = "Failed Assertion";
constexpr const char kFormat[] =
    "Failed Assertion: %d\nPress OK to Continue\nPress Cancel to Quit.\n\n"
    "Please report what caused this error\nalong with the information below.\n\n"
    "%s: %d\nFailure Condition: %s\n%s";

}  // namespace

AssertionObserver SetAssertionObserver(AssertionObserver observer) { return g_observer.exchange(observer); }

void FormatAssertionText(const AssertionReport& report, char* out, int capacity) {
  snprintf(out, static_cast<size_t>(capacity), kFormat, report.number, report.source ? report.source : "",
           report.line, report.condition ? report.condition : "", report.message ? report.message : "");
}

void ReportAssertion(const char* source, int line, const char* condition, const char* message) {
  AssertionReport report{g_reportCount.fetch_add(1) + 1, source, line, condition, message};
  platform::DialogChoice choice;
  if (AssertionObserver observer = g_observer.load()) {
    choice = observer(report);
  } else {
    char text[2048];
    FormatAssertionText(report, text, sizeof text);
    choice = platform::ShowAssertionDialog(kTitle, text);
  }
  if (choice == platform::DialogChoice::Cancel) {
    platform::EndProcess();
    platform::FatalExit("Gentle Shutdown Failed.  Attempting Forced Shutdown.");
  }
}

}  // namespace ql
