// Observes the runtime's internal-consistency reports during tests, so that
// no dialog opens and every report is either expected or fails the test.
#pragma once

#include <string>
#include <vector>

#include "core/assertion.h"

namespace ql::test {

struct RecordedAssertion {
  std::string source;
  int line;
  std::string condition;
  std::string message;
};

// While one exists, reports are collected here instead of failing the test.
class AssertionRecorder {
 public:
  AssertionRecorder();
  ~AssertionRecorder();
  AssertionRecorder(const AssertionRecorder&) = delete;
  AssertionRecorder& operator=(const AssertionRecorder&) = delete;

  const std::vector<RecordedAssertion>& reports() const { return reports_; }
  size_t count() const { return reports_.size(); }
  bool Saw(const std::string& condition) const;
  void Clear() { reports_.clear(); }

 private:
  friend platform::DialogChoice RecordAssertion(const AssertionReport& report);
  std::vector<RecordedAssertion> reports_;
  AssertionRecorder* outer_;
};

// Installed by the test main: records into the innermost recorder, or flags
// the running test as failed when no recorder expects reports.
platform::DialogChoice RecordAssertion(const AssertionReport& report);

}  // namespace ql::test
