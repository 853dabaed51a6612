#include "support/allocation_failure.h"

namespace ql::test {
namespace {

// One plan at a time; requests come from the test's own thread.
struct Plan {
  OnFailure which = OnFailure::Refuse;
  size_t failing = 0;
  size_t seen = 0;
  bool happened = false;
};
Plan g_plan;

bool Gate(size_t, OnFailure onFailure) {
  if (onFailure != g_plan.which) return true;
  if (++g_plan.seen != g_plan.failing) return true;
  g_plan.happened = true;
  return false;
}

}  // namespace

AllocationFailure::AllocationFailure(Requests which, size_t n) {
  g_plan = Plan{which == Requests::Refusable ? OnFailure::Refuse : OnFailure::EndProcess, n, 0, false};
  previous_ = SetAllocationGate(Gate);
}

AllocationFailure::~AllocationFailure() { SetAllocationGate(previous_); }

bool AllocationFailure::happened() const { return g_plan.happened; }

size_t AllocationFailure::requests() const { return g_plan.seen; }

}  // namespace ql::test
