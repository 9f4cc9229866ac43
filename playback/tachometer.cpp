#include "playback/tachometer.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

#include "core/rounding.h"

namespace revalorn {

namespace {

constexpr RgbColour kLightGrey{192, 192, 192};  // QBasic colour 7
constexpr RgbColour kLightRed{255, 0, 0};       // QBasic colour 12

// The u of a dial's top speed, rounded down.
std::int32_t FullScaleOf(double rpm) { return static_cast<std::int32_t>(std::floor(rpm / 5200.0 * 22050.0)); }

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

std::int16_t Floor16(double x) { return static_cast<std::int16_t>(std::floor(x)); }

}  // namespace

TachFace TwelveThousandRpmFace() {
  TachFace f;
  f.maskBitmapId = 103;
  f.dialBitmapId = 104;
  f.scaleLeft = -123;
  f.scaleRight = 123;
  f.scaleTop = 125;
  f.scaleBottom = -131;
  f.penWidth = 4;
  f.hubFillColour = kLightGrey;
  f.hubRadius = 10;
  f.needleColour = kLightRed;
  f.lowestAngle = 103;
  f.startAngle = 103;
  f.sweep = 308;
  f.fullScale = FullScaleOf(12000);
  f.needleLength = 85.0f;
  f.tailLength = 85.0f / 3.0f;
  return f;
}

TachFace FourteenThousandRpmFace() {
  TachFace f;
  f.maskBitmapId = 101;
  f.dialBitmapId = 102;
  f.scaleLeft = -125;
  f.scaleRight = 131;
  f.scaleTop = 123;
  f.scaleBottom = -133;
  f.penWidth = 4;
  f.hubFillColour = kLightGrey;
  f.hubRadius = 17;
  f.needleColour = kLightRed;
  f.lowestAngle = 158;
  f.startAngle = 43;
  f.sweep = 403;
  f.fullScale = FullScaleOf(14000);
  f.needleLength = 82.0f;
  f.tailLength = 82.0f / 2.0f;
  return f;
}

void InitTachometers(Context& ctx) {
  for (int t = 0; t < 6; ++t) {
    const TachFace face = t == kVersionMod1965 ? FourteenThousandRpmFace() : TwelveThousandRpmFace();
    ctx.values.TachFace[static_cast<std::size_t>(t)] = face;
    for (int i = 0; i < kNeedleSteps; ++i) {
      double a = 200.0 / face.fullScale * i * face.sweep + face.startAngle;
      if (a < face.lowestAngle) a = face.lowestAngle;
      // The tail points the opposite way, at a whole degree.
      const double b = static_cast<double>(RoundHalfEven(a + 180.0));
      NeedleEnds& ends = ctx.values.NeedleTable[static_cast<std::size_t>(t)][static_cast<std::size_t>(i)];
      ends.tipX = Floor16(face.needleLength * std::sin(Radians(a)));
      ends.tipY = Floor16(face.needleLength * std::cos(Radians(a)));
      ends.tailX = Floor16(face.tailLength * std::sin(Radians(b)));
      ends.tailY = Floor16(face.tailLength * std::cos(Radians(b)));
    }
  }
}

void DrawTachFace(Context& ctx) {
  const std::int16_t version = ctx.values.CurrentGameVersion;
  if (version < 0 || version >= 6) throw std::out_of_range("no tachometer face for version " + std::to_string(version));
  ctx.controls.SetVisible(Ctl::Tach, false);
  ctx.controls.SetTachFace(version);
  ctx.controls.SetVisible(Ctl::Tach, true);
}

int NeedleStepOf(const Context& ctx, std::int32_t f, std::int16_t slot) {
  const std::int32_t sampleRate = ctx.catalogue.SampleRate(ctx.values.CurrentGameVersion, slot);
  if (sampleRate == 0) throw std::domain_error("the sound's sample rate is 0");
  const std::int64_t i = RoundHalfEven(22050.0 / sampleRate * f / 200.0);
  if (i < 0 || i >= kNeedleSteps) {
    throw std::out_of_range("needle step " + std::to_string(i) + " is off the dial");
  }
  return static_cast<int>(i);
}

void DrawTachNeedle(Context& ctx, std::int32_t f, std::int16_t slot) {
  ctx.controls.SetTachNeedle(NeedleStepOf(ctx, f, slot));
}

}  // namespace revalorn
