#include "support/assertion_recorder.h"

#include <gtest/gtest.h>

namespace ql::test {
namespace {
AssertionRecorder* g_current = nullptr;
}

AssertionRecorder::AssertionRecorder() : outer_(g_current) { g_current = this; }

AssertionRecorder::~AssertionRecorder() { g_current = outer_; }

bool AssertionRecorder::Saw(const std::string& condition) const {
  for (const auto& r : reports_)
    if (r.condition == condition) return true;
  return false;
}

platform::DialogChoice RecordAssertion(const AssertionReport& report) {
  RecordedAssertion r{report.source ? report.source : "", report.line, report.condition ? report.condition : "",
                      report.message ? report.message : ""};
  if (g_current) {
    g_current->reports_.push_back(r);
  } else {
    ADD_FAILURE() << "unexpected internal-consistency report: " << r.source << ":" << r.line << " condition \""
                  << r.condition << "\" " << r.message;
  }
  return platform::DialogChoice::Ok;
}

}  // namespace ql::test
