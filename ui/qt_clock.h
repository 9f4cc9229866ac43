#pragma once
// The play timing on Qt: a monotonic millisecond count and precise single-shot timers
// that run their function on the window's thread.

#include <QElapsedTimer>
#include <QObject>

#include "core/clock.h"

namespace revalorn::ui {

class QtClock final : public Clock {
 public:
  QtClock();
  // Pending functions are destroyed with the clock without running.
  ~QtClock() override;
  QtClock(const QtClock&) = delete;
  QtClock& operator=(const QtClock&) = delete;

  std::int64_t NowMs() override;
  void CallAfter(std::int64_t delayMs, std::function<void()> fn) override;

  std::size_t PendingCount() const;

 private:
  QElapsedTimer elapsed_;
  QObject timers_;  // parent of the pending timers
};

}  // namespace revalorn::ui
