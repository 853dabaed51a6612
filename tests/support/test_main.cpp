#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/assertion_recorder.h"

int main(int argc, char** argv) {
  ql::SetAssertionObserver(ql::test::RecordAssertion);
  testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
