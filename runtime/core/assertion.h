// The internal-consistency reporter: one place for every "this cannot happen".
#pragma once

#include "platform/process.h"

namespace ql {

struct AssertionReport {
  int number;             // running count of reports in this process
  const char* source;     // source file name without extension
  int line;
  const char* condition;  // the failed condition as text
  const char* message;    // optional, may be null
};

// Replaces the dialog, for tests: the observer's answer is taken as the
// user's. Returns the previous observer (nullptr: the real dialog).
using AssertionObserver = platform::DialogChoice (*)(const AssertionReport& report);
AssertionObserver SetAssertionObserver(AssertionObserver observer);

// Shows the report; returns when the user continues. Cancel ends the process
// with exit code 0.
void ReportAssertion(const char* source, int line, const char* condition, const char* message = nullptr);

// The dialog text for a report (exposed for tests).
void FormatAssertionText(const AssertionReport& report, char* out, int capacity);

}  // namespace ql

// Reports `condition_text` when `expr` is false; evaluates to `expr`.
#define QL_CHECK(expr, source, line, condition_text) \
  ((expr) ? true : (::ql::ReportAssertion((source), (line), (condition_text)), false))
