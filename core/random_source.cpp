#include "core/random_source.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace revalorn {

double ClockSeededRandom() {
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::mt19937_64 generator(static_cast<std::uint64_t>(ticks));
  return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

}  // namespace revalorn
