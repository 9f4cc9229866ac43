#pragma once
// The arithmetic of scaling a window laid out for a 1280 × 1024 screen to the actual
// screen, kept apart from the widgets so it can be checked on its own. Layouts are in
// twips; at the design resolution 15 twips make one pixel.

namespace revalorn::ui {

inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr int kDesignScreenWidth = 1280;
inline constexpr int kDesignScreenHeight = 1024;

// Position and size in twips, relative to the containing control.
struct TwipsRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;
  bool operator==(const TwipsRect&) const = default;
};

// How a control's box follows the scale factors.
enum class ScaleRule {
  Uniform,   // position and size × f
  ComboBox,  // left and width × X, top × Y; the height follows the font
};

// The factor every window and control but the combo boxes uses: X when X > Y,
// otherwise Y (so the larger of the two, and Y on a tie).
float UniformFactor(float X, float Y);

// The box of a control after scaling by X and Y. Combo boxes keep their height here;
// the font decides it when it is applied.
TwipsRect ScaleRect(const TwipsRect& r, ScaleRule rule, float X, float Y);

// Twips to whole pixels at the design resolution, halves to even.
int TwipsToPixels(double twips);

// A scalable font is offered at whole pixel heights: the size in points closest to the
// requested one that makes a whole number of pixels at dpi (at least one pixel).
double NearestFontSize(double points, double dpi);

}  // namespace revalorn::ui
