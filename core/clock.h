#pragma once
// Time for the play modes: a millisecond tick count, and a way to run code later on the
// window's thread. The Qt program implements it with a monotonic timer and single-shot
// timers; VirtualClock runs the same code in virtual time, so tests never sleep and the
// command-line renderer runs faster than real time.

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

namespace revalorn {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds on a monotonic counter (the tick count). It never wraps.
  virtual std::int64_t NowMs() = 0;
  // Runs fn once, on the window's thread, when at least delayMs have passed. Never runs
  // fn before returning. Callbacks that fall due together run in the order they were
  // scheduled.
  virtual void CallAfter(std::int64_t delayMs, std::function<void()> fn) = 0;
};

// A clock whose time moves only when told to. Pending callbacks that never run are
// destroyed with the clock.
class VirtualClock final : public Clock {
 public:
  std::int64_t NowMs() override { return now_; }
  void CallAfter(std::int64_t delayMs, std::function<void()> fn) override;

  // Moves time forward by ms, running every callback that falls due on the way, each at
  // its own due time (a callback may schedule further ones).
  void AdvanceBy(std::int64_t ms);
  // Runs callbacks in due order, moving time to each, until none is pending or
  // maxCallbacks have run. Returns the number run.
  std::size_t RunUntilIdle(std::size_t maxCallbacks = 1'000'000);
  // Runs the next pending callback, moving time to its due time. False when none.
  bool RunNext();

  std::size_t PendingCount() const { return pending_.size(); }
  // Due time of the next pending callback; -1 when none is pending.
  std::int64_t NextDueMs() const { return pending_.empty() ? -1 : pending_.begin()->first.first; }

 private:
  std::int64_t now_ = 0;
  std::uint64_t sequence_ = 0;
  std::map<std::pair<std::int64_t, std::uint64_t>, std::function<void()>> pending_;
};

}  // namespace revalorn
