#pragma once
// The two tachometer dials and their masks. Each image is 256 x 256; the dial's own
// coordinate system (hub at the origin, y up) is given by the four edge values, which
// the program uses again to draw the needle over the dial. A mark for n thousand rpm
// lies where the needle points at n thousand rpm.

#include <QImage>

namespace revalorn::artwork {

struct DialDesign {
  int maskId = 0;
  int dialId = 0;
  double discDiameter = 0.0;  // pixels; the mask's disc, centred in the image
  double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
  int firstThousand = 0;            // the lowest numeral
  int lastThousand = 0;             // the highest numeral
  double firstAngle = 0.0;          // compass degrees (0 up, clockwise) of the lowest numeral
  double degreesPerThousand = 0.0;  // clockwise
  int redFromThousand = 0;          // the red line runs from here to the top of the scale
  double needleLength = 0.0;        // in dial units; the marks start just beyond the tip
};

inline constexpr int kDialPixels = 256;

// 12000 rpm design: marked 0 to 12, mask 103, dial 104.
DialDesign Dial12000();
// 14000 rpm design: marked 4 to 14, mask 101, dial 102.
DialDesign Dial14000();

QImage PaintDialMask(const DialDesign& design);  // RGB888: black disc on white
QImage PaintDial(const DialDesign& design);      // RGB888: black outside the face

}  // namespace revalorn::artwork
