#pragma once
// The tachometer's data: one face record per game version and the precomputed needle
// positions. Filled once at start-up by InitTachometers (playback/tachometer.h); the
// window draws from them.

#include <array>
#include <cstdint>

namespace revalorn {

struct RgbColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const RgbColour&) const = default;
};

struct TachFace {
  std::int16_t maskBitmapId = 0;  // 101 or 103
  std::int16_t dialBitmapId = 0;  // 102 or 104
  // The dial's user coordinates: the hub at (0, 0), y growing upward.
  std::int16_t scaleLeft = 0;
  std::int16_t scaleRight = 0;
  std::int16_t scaleTop = 0;
  std::int16_t scaleBottom = 0;
  std::int16_t penWidth = 0;  // pixels
  RgbColour hubFillColour;
  std::int16_t hubCentreX = 0;
  std::int16_t hubCentreY = 0;
  std::int16_t hubRadius = 0;
  RgbColour needleColour;
  // Compass angles in degrees: 0 up, growing clockwise.
  std::int32_t lowestAngle = 0;
  std::int32_t startAngle = 0;
  std::int32_t sweep = 0;
  std::int32_t fullScale = 0;  // the u of the dial's top speed
  float needleLength = 0;
  float tailLength = 0;
};

inline constexpr int kNeedleSteps = 301;  // step i stands for u = 200 × i, i = 0 .. 300

// Needle ends of one step in the dial's coordinates.
struct NeedleEnds {
  std::int16_t tipX = 0;
  std::int16_t tipY = 0;
  std::int16_t tailX = 0;
  std::int16_t tailY = 0;
};

using TachFaceRecords = std::array<TachFace, 6>;
using NeedleTableData = std::array<std::array<NeedleEnds, kNeedleSteps>, 6>;

}  // namespace revalorn
