#include "ui/qt_clock.h"

#include <QTimer>

#include <limits>
#include <memory>

namespace revalorn::ui {

QtClock::QtClock() { elapsed_.start(); }

QtClock::~QtClock() = default;

std::int64_t QtClock::NowMs() { return elapsed_.elapsed(); }

void QtClock::CallAfter(std::int64_t delayMs, std::function<void()> fn) {
  if (delayMs < 0) delayMs = 0;
  if (delayMs > std::numeric_limits<int>::max()) delayMs = std::numeric_limits<int>::max();
  auto* timer = new QTimer(&timers_);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  // The function is owned by the timer: deleting the timer (or the clock) destroys it.
  auto pending = std::make_shared<std::function<void()>>(std::move(fn));
  QObject::connect(timer, &QTimer::timeout, timer, [timer, pending] {
    std::function<void()> run = std::move(*pending);
    timer->setParent(nullptr);
    timer->deleteLater();
    if (run) run();
  });
  timer->start(static_cast<int>(delayMs));
}

std::size_t QtClock::PendingCount() const {
  return static_cast<std::size_t>(timers_.findChildren<QTimer*>(Qt::FindDirectChildrenOnly).size());
}

}  // namespace revalorn::ui
