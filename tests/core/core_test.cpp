// The seams of the core: rounding, the clocks and step machines, the control model.
#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <vector>

#include "core/clock.h"
#include "core/control_model.h"
#include "core/rounding.h"
#include "core/steps.h"

namespace revalorn {
namespace {

using Log = std::vector<std::int64_t>;

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndValuesThatDoNotFitAreErrors) {
  for (const auto& [x, rounded] : {std::pair{0.5, 0}, {1.5, 2}, {2.5, 2}, {2.5000001, 3}, {-0.5, 0}, {-1.5, -2},
                                   {-2.5, -2}, {-2.6, -3}, {(48760.0 - 3000.0) / 2.0, 22880}, {254.42, 254}}) {
    EXPECT_EQ(RoundHalfEven(x), rounded) << x;
  }
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
  EXPECT_EQ(ran, (std::vector<std::pair<int, std::int64_t>>{{2, 5}, {3, 5}, {1, 10}, {4, 10}}));
  EXPECT_EQ(clock.NowMs(), 107);
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

// A machine that logs the time at each step.
Steps Ticker(Clock& clock, Log& log, double seconds, int steps, const bool& stop) {
  for (int i = 0; i < steps; ++i) {
    log.push_back(clock.NowMs());
    co_await WaitSeconds(clock, seconds);
    if (stop) co_return;
  }
  log.push_back(-1);
}

TEST(Steps, RunToTheFirstWaitAtOnceThenWaitWholeMillisecondsAtLeast) {
  VirtualClock clock;
  Log log;
  bool stop = false;
  Steps machine = Ticker(clock, log, 0.049, 3, stop);
  EXPECT_EQ(log, Log{0}) << "the first step runs inside the click";
  EXPECT_FALSE(machine.Finished());
  clock.RunUntilIdle();
  EXPECT_EQ(log, (Log{0, 49, 98, -1}));
  EXPECT_TRUE(machine.Finished() && !machine.Error());

  log.clear();
  std::int64_t at = clock.NowMs();
  Steps halves = Ticker(clock, log, 0.0025, 2, stop);  // 2.5 ms -> 2 ms
  clock.RunUntilIdle();
  EXPECT_EQ(log, (Log{at, at + 2, -1}));

  log.clear();
  at = clock.NowMs();
  Steps over = Ticker(clock, log, 0.0, 3, stop);  // a wait already over lets no events run
  EXPECT_TRUE(over.Finished());
  EXPECT_EQ(log, (Log{at, at, at, -1}));
  EXPECT_EQ(clock.PendingCount(), 0u);

  EarlyClock early;
  log.clear();
  Steps late = Ticker(early, log, 0.020, 2, stop);
  early.inner.RunUntilIdle();
  EXPECT_EQ(log, (Log{0, 20, -1})) << "a timer firing early does not shorten the wait";

  // A stop set by another handler between two steps is seen at the next check.
  log.clear();
  at = clock.NowMs();
  Steps stopped = Ticker(clock, log, 0.01, 100, stop);
  clock.AdvanceBy(25);
  stop = true;
  clock.RunUntilIdle();
  EXPECT_EQ(log, (Log{at, at + 10, at + 20}));
  EXPECT_TRUE(stopped.Finished());
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

Steps Failing(Clock& clock) {
  co_await YieldToEvents(clock);
  throw std::runtime_error("boom");
}

TEST(Steps, AnEscapedErrorEndsTheMachineAndOneStillWaitingGoesWithItsClock) {
  VirtualClock clock;
  Steps machine = Failing(clock);
  EXPECT_FALSE(machine.Finished()) << "a yield always lets events run";
  clock.RunUntilIdle();
  EXPECT_TRUE(machine.Finished());
  EXPECT_TRUE(machine.Error());

  int destroyed = 0;
  {
    VirtualClock owner;
    Steps waiting = Forever(owner, destroyed);
    owner.AdvanceBy(5000);
    EXPECT_EQ(destroyed, 0);
  }
  EXPECT_EQ(destroyed, 1);
}

TEST(ControlModel, StartsInTheWindowsDesignStateAndTellsItsObserverAboutRealChangesOnly) {
  ControlModel m;
  EXPECT_FALSE(m.Enabled(Ctl::CmdAutoPlay0));
  EXPECT_TRUE(m.Enabled(Ctl::CmdReplacementLoad));
  EXPECT_TRUE(m.Checked(optFormula(0)));
  EXPECT_EQ(m.Value(Ctl::HScroll2), 98);
  for (int c = static_cast<int>(Ctl::MnuFile); c < kControlCount; ++c) {
    EXPECT_TRUE(m.Enabled(static_cast<Ctl>(c))) << "menus are enabled at design";
  }

  std::vector<Ctl> changed;
  m.SetObserver([&](Ctl c, ControlModel::Change) { changed.push_back(c); });
  m.SetEnabled(Ctl::CmdRevert, false);  // already disabled
  m.SetEnabled(Ctl::CmdRevert, true);
  EXPECT_FALSE(m.SetValue(Ctl::HScroll2, 98)) << "no change, so no change handler";
  EXPECT_TRUE(m.SetValue(Ctl::HScroll2, 50));
  EXPECT_EQ(changed, (std::vector<Ctl>{Ctl::CmdRevert, Ctl::HScroll2}));
}

TEST(ControlModel, ListsPicturesAndControlArrays) {
  ControlModel m;
  m.AddItem(Ctl::Combo1, "a");
  m.AddItem(Ctl::Combo1, "b");
  m.SetListIndex(Ctl::Combo1, 1);
  EXPECT_EQ(m.ListCount(Ctl::Combo1), 2);
  EXPECT_THROW(m.SetListIndex(Ctl::Combo1, 2), std::out_of_range);
  m.ClearList(Ctl::Combo1);
  EXPECT_EQ(m.ListIndex(Ctl::Combo1), -1);

  m.SetPicture(Ctl::GEMPic1, PictureSource::BuiltIn(101));
  const auto serial = m[Ctl::GEMPic1].pictureSerial;
  m.SetPicture(Ctl::GEMPic1, PictureSource::BuiltIn(101));
  EXPECT_EQ(m[Ctl::GEMPic1].pictureSerial, serial + 1) << "the same picture shown again still repaints";

  EXPECT_EQ(optFormula(2), Ctl::optFormula2);
  EXPECT_THROW(optFormula(3), std::out_of_range);
  EXPECT_THROW(CmdAutoPlay(2), std::out_of_range);
  EXPECT_EQ(ControlName(Ctl::CmdAutoPlay1), "CmdAutoPlay(1)");
}

}  // namespace
}  // namespace revalorn
