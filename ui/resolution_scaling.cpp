#include "ui/resolution_scaling.h"

#include "core/rounding.h"

namespace revalorn::ui {

float UniformFactor(float X, float Y) { return X > Y ? X : Y; }

TwipsRect ScaleRect(const TwipsRect& r, ScaleRule rule, float X, float Y) {
  // The layout values and the factors are single precision, and so are their products.
  auto times = [](double v, float factor) { return static_cast<double>(static_cast<float>(v) * factor); };
  if (rule == ScaleRule::ComboBox) {
    return {times(r.left, X), times(r.top, Y), times(r.width, X), r.height};
  }
  const float f = UniformFactor(X, Y);
  return {times(r.left, f), times(r.top, f), times(r.width, f), times(r.height, f)};
}

int TwipsToPixels(double twips) { return RoundHalfEven32(twips / kTwipsPerPixel); }

double NearestFontSize(double points, double dpi) {
  if (!(points > 0) || !(dpi > 0)) return points;
  std::int64_t pixels = RoundHalfEven(points * dpi / 72.0);
  if (pixels < 1) pixels = 1;
  return static_cast<double>(pixels) * 72.0 / dpi;
}

}  // namespace revalorn::ui
