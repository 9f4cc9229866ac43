#pragma once
// Ignore-and-continue: some routines (filling the working folder, the calibration, the
// quit routine, ...) skip a step that fails and go on with the next one.

#include <exception>
#include <utility>

namespace revalorn {

// Runs step; an error it raises is skipped. Returns false when the step failed.
template <class Step>
bool SkipOnError(Step&& step) noexcept {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace revalorn
