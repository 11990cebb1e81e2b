// A test that runs for a minute has hung: the alarm ends its program, so that
// the run reports a failure instead of waiting for ctest's time-out.
#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class Watchdog : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo &) override { alarm(60); }
    void OnTestEnd(const testing::TestInfo &) override { alarm(0); }
};

const bool kInstalled = (testing::UnitTest::GetInstance()->listeners().Append(new Watchdog), true);

}  // namespace
