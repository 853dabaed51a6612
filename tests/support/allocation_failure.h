// Fails one chosen request of the runtime's allocator, as exhausted memory
// would: the n-th request (from 1) of one kind after the object is made.
// Tests fail the 1st, 2nd, ... request of a path in turn and check that each
// run ends in a clean report or refusal; `happened()` false means the path
// made fewer requests than n.
#pragma once

#include <stddef.h>

#include "core/allocator.h"

namespace ql::test {

// Which requests count: those whose callers refuse in their own way, or
// those of the ...OrDie forms, whose failure ends the process.
enum class Requests { Refusable, EndingTheProcess };

class AllocationFailure {
 public:
  AllocationFailure(Requests which, size_t n);
  ~AllocationFailure();
  AllocationFailure(const AllocationFailure&) = delete;
  AllocationFailure& operator=(const AllocationFailure&) = delete;

  bool happened() const;
  size_t requests() const;  // requests of the kind seen so far

 private:
  AllocationGate previous_;
};

}  // namespace ql::test
