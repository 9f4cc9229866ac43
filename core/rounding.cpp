#include "core/rounding.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace revalorn {

std::int64_t RoundHalfEven(double x) {
  if (!std::isfinite(x)) throw std::overflow_error("not a finite number");
  double whole = std::floor(x);
  const double fraction = x - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  // 2^63 is exactly representable; anything at or beyond it does not fit.
  if (whole >= 9223372036854775808.0 || whole < -9223372036854775808.0) {
    throw std::overflow_error("number too large");
  }
  return static_cast<std::int64_t>(whole);
}

std::int32_t RoundHalfEven32(double x) {
  const std::int64_t r = RoundHalfEven(x);
  if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max()) {
    throw std::overflow_error("number too large for 32 bits");
  }
  return static_cast<std::int32_t>(r);
}

std::int16_t RoundHalfEven16(double x) {
  const std::int64_t r = RoundHalfEven(x);
  if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max()) {
    throw std::overflow_error("number too large for 16 bits");
  }
  return static_cast<std::int16_t>(r);
}

}  // namespace revalorn
