// Why an image cannot be loaded. Readers and the linker collect every problem
// they find; the start-up reports the first one (and how many followed) the
// way an unopenable executable is reported, and never enters the image.
#pragma once

namespace ql {

class LoadFailure {
 public:
  // Records one problem, printf-style. Only the first text is kept.
  void Add(const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));

  bool failed() const { return count_ > 0; }
  int count() const { return count_; }
  // The first problem, "" when there is none.
  const char* message() const { return first_; }

  // The failed-assertion report: source "loaderX86", line 530, condition
  // "0", with the first problem as its message.
  void Report() const;

 private:
  char first_[320] = {};
  int count_ = 0;
};

}  // namespace ql
