#pragma once
// Numbers become whole numbers by rounding to nearest, halves to the even neighbour,
// unless a rule says a value is rounded down.

#include <cstdint>

namespace revalorn {

// Throws std::overflow_error when x is not finite or outside the 64-bit range.
std::int64_t RoundHalfEven(double x);
// Throws std::overflow_error when the result does not fit 32 bits.
std::int32_t RoundHalfEven32(double x);
// Throws std::overflow_error when the result does not fit 16 bits.
std::int16_t RoundHalfEven16(double x);

}  // namespace revalorn
