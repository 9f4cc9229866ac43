#include "core/steps.h"

#include <iostream>
#include <utility>

#include "core/rounding.h"

namespace revalorn {

void Steps::promise_type::unhandled_exception() noexcept {
  state->error = std::current_exception();
  state->finished = true;
  try {
    std::rethrow_exception(state->error);
  } catch (const std::exception& e) {
    std::cerr << "Revalorn: a step machine ended with an unhandled error: " << e.what() << '\n';
  } catch (...) {
    std::cerr << "Revalorn: a step machine ended with an unhandled error\n";
  }
}

namespace detail {

SuspendedSteps::~SuspendedSteps() {
  if (handle_) handle_.destroy();
}

void SuspendedSteps::Resume() { std::exchange(handle_, {}).resume(); }

}  // namespace detail

WaitSeconds::WaitSeconds(Clock& clock, double seconds)
    : clock_(clock), targetMs_(clock.NowMs() + RoundHalfEven(seconds * 1000.0)) {}

void WaitSeconds::await_suspend(std::coroutine_handle<> h) {
  Arm(std::make_shared<detail::SuspendedSteps>(h));
}

void WaitSeconds::Arm(std::shared_ptr<detail::SuspendedSteps> suspended) {
  // The awaiter lives in the suspended machine's frame, which `suspended` keeps alive.
  clock_.CallAfter(targetMs_ - clock_.NowMs(), [this, suspended]() {
    if (clock_.NowMs() < targetMs_) {
      Arm(suspended);  // a timer that fired early: wait for the rest
      return;
    }
    suspended->Resume();
  });
}

void YieldToEvents::await_suspend(std::coroutine_handle<> h) {
  auto suspended = std::make_shared<detail::SuspendedSteps>(h);
  clock_.CallAfter(0, [suspended]() { suspended->Resume(); });
}

}  // namespace revalorn
