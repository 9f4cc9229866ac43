#pragma once
// Where the program's random draws come from. The program re-seeds a generator from
// the system clock for every draw; tests put a scripted source in its place.

#include <functional>

namespace revalorn {

// Returns a value uniformly distributed in [0, 1).
using RandomSource = std::function<double()>;

// Seeds a fresh generator from the system clock and draws one value in [0, 1).
double ClockSeededRandom();

}  // namespace revalorn
