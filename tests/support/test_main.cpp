// The tests' main: every test starts from the process-start state, so each
// test binary passes run directly, with any filter and in any order.
#include <gtest/gtest.h>

#include "support/fresh_process.h"

namespace {
class FreshProcess : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override {
#ifdef PQ_FRESH_GAME
    ResetGameState();
#endif
    ResetPlatformState();
  }
};
}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshProcess);
  return RUN_ALL_TESTS();
}
