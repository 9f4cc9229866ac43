#include "core/steps.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "core/clock.h"
#include "core/rounding.h"

namespace revalorn {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-2.6), -3);
  EXPECT_EQ(RoundHalfEven((48760.0 - 3000.0) / 2.0), 22880);
  EXPECT_EQ(RoundHalfEven(254.42), 254);
}

TEST(RoundHalfEven, ValuesThatDoNotFitAreErrors) {
  EXPECT_THROW(RoundHalfEven(1e300), std::overflow_error);
  EXPECT_THROW(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), std::overflow_error);
  EXPECT_THROW(RoundHalfEven32(2147483647.5), std::overflow_error);
  EXPECT_EQ(RoundHalfEven32(2147483646.5), 2147483646);
  EXPECT_THROW(RoundHalfEven16(32768.0), std::overflow_error);
  EXPECT_EQ(RoundHalfEven16(-32768.4), -32768);
}

TEST(VirtualClock, RunsCallbacksInDueOrderAtTheirOwnTime) {
  VirtualClock clock;
  std::vector<std::pair<int, std::int64_t>> ran;
  clock.CallAfter(10, [&] { ran.emplace_back(1, clock.NowMs()); });
  clock.CallAfter(5, [&] {
    ran.emplace_back(2, clock.NowMs());
    clock.CallAfter(0, [&] { ran.emplace_back(3, clock.NowMs()); });
  });
  clock.CallAfter(10, [&] { ran.emplace_back(4, clock.NowMs()); });
  clock.AdvanceBy(7);
  EXPECT_EQ(clock.NowMs(), 7);
  EXPECT_EQ(ran, (std::vector<std::pair<int, std::int64_t>>{{2, 5}, {3, 5}}));
  clock.AdvanceBy(100);
  EXPECT_EQ(ran.size(), 4u);
  EXPECT_EQ(ran[2], (std::pair<int, std::int64_t>{1, 10}));
  EXPECT_EQ(ran[3], (std::pair<int, std::int64_t>{4, 10}));
  EXPECT_EQ(clock.NowMs(), 107);
}

// A machine that logs the time at each step.
Steps Ticker(Clock& clock, std::vector<std::int64_t>& log, double seconds, int steps, const bool& stop) {
  for (int i = 0; i < steps; ++i) {
    log.push_back(clock.NowMs());
    co_await WaitSeconds(clock, seconds);
    if (stop) co_return;
  }
  log.push_back(-1);
}

TEST(Steps, RunsToTheFirstWaitAtOnceThenFollowsTheClock) {
  VirtualClock clock;
  std::vector<std::int64_t> log;
  const bool stop = false;
  Steps machine = Ticker(clock, log, 0.049, 3, stop);
  EXPECT_EQ(log, std::vector<std::int64_t>{0}) << "the first step runs inside the click";
  EXPECT_FALSE(machine.Finished());
  clock.RunUntilIdle();
  EXPECT_EQ(log, (std::vector<std::int64_t>{0, 49, 98, -1}));
  EXPECT_TRUE(machine.Finished());
  EXPECT_FALSE(machine.Error());
}

TEST(Steps, AWaitThatIsAlreadyOverDoesNotLetEventsRun) {
  VirtualClock clock;
  std::vector<std::int64_t> log;
  const bool stop = false;
  Steps machine = Ticker(clock, log, 0.0, 3, stop);
  EXPECT_TRUE(machine.Finished());
  EXPECT_EQ(log, (std::vector<std::int64_t>{0, 0, 0, -1}));
  EXPECT_EQ(clock.PendingCount(), 0u);
}

TEST(Steps, WaitsAreRoundedToWholeMillisecondsHalvesToEven) {
  VirtualClock clock;
  std::vector<std::int64_t> log;
  const bool stop = false;
  Steps machine = Ticker(clock, log, 0.0025, 2, stop);  // 2.5 ms -> 2 ms
  clock.RunUntilIdle();
  EXPECT_EQ(log, (std::vector<std::int64_t>{0, 2, -1}));
}

TEST(Steps, AStopSetByAnotherHandlerIsSeenAtTheNextCheck) {
  VirtualClock clock;
  std::vector<std::int64_t> log;
  bool stop = false;
  Steps machine = Ticker(clock, log, 0.01, 100, stop);
  clock.AdvanceBy(25);  // steps at 0, 10, 20
  stop = true;          // the stop button, running between two steps
  clock.RunUntilIdle();
  EXPECT_EQ(log, (std::vector<std::int64_t>{0, 10, 20}));
  EXPECT_TRUE(machine.Finished());
}

// A clock whose timers may fire early, as real timers sometimes do.
class EarlyClock final : public Clock {
 public:
  std::int64_t NowMs() override { return inner.NowMs(); }
  void CallAfter(std::int64_t delayMs, std::function<void()> fn) override {
    inner.CallAfter(delayMs > 3 ? delayMs - 3 : delayMs, std::move(fn));
  }
  VirtualClock inner;
};

TEST(Steps, AWaitLastsAtLeastItsTimeEvenWhenATimerFiresEarly) {
  EarlyClock clock;
  std::vector<std::int64_t> log;
  const bool stop = false;
  Steps machine = Ticker(clock, log, 0.020, 2, stop);
  clock.inner.RunUntilIdle();
  EXPECT_EQ(log, (std::vector<std::int64_t>{0, 20, -1}));
}

struct Tracker {
  explicit Tracker(int& count) : destroyed(count) {}
  ~Tracker() { ++destroyed; }
  int& destroyed;
};

Steps Forever(Clock& clock, int& destroyed) {
  Tracker tracker(destroyed);
  for (;;) co_await WaitSeconds(clock, 1.0);
}

TEST(Steps, AMachineStillWaitingIsDestroyedWithItsClock) {
  int destroyed = 0;
  {
    VirtualClock clock;
    Steps machine = Forever(clock, destroyed);
    clock.AdvanceBy(5000);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

Steps Failing(Clock& clock) {
  co_await YieldToEvents(clock);
  throw std::runtime_error("boom");
}

TEST(Steps, AnEscapedErrorEndsTheMachineAndIsKept) {
  VirtualClock clock;
  Steps machine = Failing(clock);
  EXPECT_FALSE(machine.Finished()) << "a yield always lets events run";
  clock.RunUntilIdle();
  EXPECT_TRUE(machine.Finished());
  EXPECT_TRUE(machine.Error());
}

}  // namespace
}  // namespace revalorn
