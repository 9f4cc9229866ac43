#include "core/clock.h"

namespace revalorn {

void VirtualClock::CallAfter(std::int64_t delayMs, std::function<void()> fn) {
  if (delayMs < 0) delayMs = 0;
  pending_.emplace(std::make_pair(now_ + delayMs, sequence_++), std::move(fn));
}

bool VirtualClock::RunNext() {
  if (pending_.empty()) return false;
  auto node = pending_.extract(pending_.begin());
  if (node.key().first > now_) now_ = node.key().first;
  node.mapped()();
  return true;
}

void VirtualClock::AdvanceBy(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  while (!pending_.empty() && pending_.begin()->first.first <= end) {
    RunNext();
  }
  now_ = end;
}

std::size_t VirtualClock::RunUntilIdle(std::size_t maxCallbacks) {
  std::size_t count = 0;
  while (count < maxCallbacks && RunNext()) ++count;
  return count;
}

}  // namespace revalorn
