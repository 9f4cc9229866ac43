#pragma once
// Step machines: a handler that must wait between its steps (Auto Play, Pedal Play) is
// written as a coroutine returning Steps. It runs at once up to its first wait, then
// returns to the window; the clock resumes it when the wait is over. Window events (the
// stop button, the sliders) therefore run between steps without a nested event loop,
// and no handler is ever re-entered from inside another.
//
//   Steps Play(Context& ctx) {
//     for (...) {
//       DoStep();
//       co_await WaitSeconds(ctx.clock, ctx.values.TimingDelay);
//       if (ctx.values.StopPlay) co_return;
//     }
//   }
//
// A machine must catch its own errors; one that escapes ends the machine and is kept in
// Error(). A suspended machine whose clock is destroyed is destroyed with it.

#include <coroutine>
#include <cstdint>
#include <exception>
#include <memory>

#include "core/clock.h"

namespace revalorn {

class Steps {
 public:
  struct State {
    bool finished = false;
    std::exception_ptr error;
  };

  struct promise_type {
    std::shared_ptr<State> state = std::make_shared<State>();
    Steps get_return_object() noexcept { return Steps(state); }
    std::suspend_never initial_suspend() noexcept { return {}; }
    std::suspend_never final_suspend() noexcept { return {}; }
    void return_void() noexcept { state->finished = true; }
    void unhandled_exception() noexcept;
  };

  // True once the machine has run to its end (returned or failed).
  bool Finished() const { return state_->finished; }
  // The error that escaped the machine, if any.
  std::exception_ptr Error() const { return state_->error; }

 private:
  explicit Steps(std::shared_ptr<State> state) : state_(std::move(state)) {}
  std::shared_ptr<State> state_;
};

namespace detail {
// Holds a suspended machine until the clock resumes it; destroys it when the callback
// is destroyed without having run.
class SuspendedSteps {
 public:
  explicit SuspendedSteps(std::coroutine_handle<> h) : handle_(h) {}
  ~SuspendedSteps();
  SuspendedSteps(const SuspendedSteps&) = delete;
  SuspendedSteps& operator=(const SuspendedSteps&) = delete;
  void Resume();

 private:
  std::coroutine_handle<> handle_;
};
}  // namespace detail

// Waits at least the given seconds, letting window events run meanwhile. The target is
// the tick count now plus seconds × 1000 rounded to a whole millisecond (halves to
// even); a wait whose target is already reached returns at once without letting events
// run.
class WaitSeconds {
 public:
  WaitSeconds(Clock& clock, double seconds);
  bool await_ready() const { return clock_.NowMs() >= targetMs_; }
  void await_suspend(std::coroutine_handle<> h);
  void await_resume() const noexcept {}

 private:
  void Arm(std::shared_ptr<detail::SuspendedSteps> suspended);
  Clock& clock_;
  std::int64_t targetMs_;
};

// Lets pending window events run once, then goes on.
class YieldToEvents {
 public:
  explicit YieldToEvents(Clock& clock) : clock_(clock) {}
  bool await_ready() const noexcept { return false; }
  void await_suspend(std::coroutine_handle<> h);
  void await_resume() const noexcept {}

 private:
  Clock& clock_;
};

}  // namespace revalorn
