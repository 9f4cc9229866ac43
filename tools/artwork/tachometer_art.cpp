#include "tools/artwork/tachometer_art.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <numbers>

#include "playback/tachometer.h"
#include "tools/artwork/stroke_glyphs.h"

namespace revalorn::artwork {

namespace {

constexpr double kCentre = kDialPixels / 2.0;

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// Dial units to pixels: the four edge values stretched over the whole image.
QTransform DialToPixels(const DialDesign& d) {
  const double sx = kDialPixels / (d.right - d.left);
  const double sy = kDialPixels / (d.top - d.bottom);
  return QTransform(sx, 0.0, 0.0, -sy, -d.left * sx, d.top * sy);
}

// A point at `radius` dial units from the hub in the compass direction `degrees`.
QPointF Polar(double degrees, double radius) {
  return {radius * std::sin(Radians(degrees)), radius * std::cos(Radians(degrees))};
}

bool InsideDisc(const DialDesign& d, int x, int y) {
  const double dx = x + 0.5 - kCentre;
  const double dy = y + 0.5 - kCentre;
  const double r = d.discDiameter / 2.0;
  return dx * dx + dy * dy <= r * r;
}

double AngleOf(const DialDesign& d, double thousands) {
  return d.firstAngle + (thousands - d.firstThousand) * d.degreesPerThousand;
}

}  // namespace

// The bitmap ids, the dial's coordinates and the needle's length are the tachometer's
// own face record's, so the marks sit where the needle will point.
static void TakeFaceRecord(DialDesign& d, const TachFace& face) {
  d.maskId = face.maskBitmapId;
  d.dialId = face.dialBitmapId;
  d.left = face.scaleLeft;
  d.right = face.scaleRight;
  d.top = face.scaleTop;
  d.bottom = face.scaleBottom;
  d.needleLength = face.needleLength;
}

DialDesign Dial12000() {
  DialDesign d;
  TakeFaceRecord(d, TwelveThousandRpmFace());
  d.discDiameter = 243.0;
  d.firstThousand = 0;
  d.lastThousand = 12;
  d.firstAngle = 103.0;
  d.degreesPerThousand = 308.0 / 12.0;
  d.redFromThousand = 10;
  return d;
}

DialDesign Dial14000() {
  DialDesign d;
  TakeFaceRecord(d, FourteenThousandRpmFace());
  d.discDiameter = 229.0;
  d.firstThousand = 4;
  d.lastThousand = 14;
  d.firstAngle = 158.0;
  d.degreesPerThousand = 403.0 / 14.0;
  d.redFromThousand = 12;
  return d;
}

QImage PaintDialMask(const DialDesign& design) {
  QImage mask(kDialPixels, kDialPixels, QImage::Format_RGB888);
  for (int y = 0; y < kDialPixels; ++y) {
    for (int x = 0; x < kDialPixels; ++x) {
      mask.setPixelColor(x, y, InsideDisc(design, x, y) ? Qt::black : Qt::white);
    }
  }
  return mask;
}

QImage PaintDial(const DialDesign& d) {
  QImage dial(kDialPixels, kDialPixels, QImage::Format_RGB888);
  dial.fill(Qt::black);
  const QTransform toPixels = DialToPixels(d);
  const double discRadius = d.discDiameter / 2.0;
  const double faceRadius = discRadius - 8.0;
  const QPointF centre(kCentre, kCentre);
  // The marks run from just beyond the needle's tip to the scale's outer ring.
  const double tickInner = d.needleLength + 2.0;
  const double tickOuter = d.needleLength + 14.0;

  QPainter p(&dial);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath disc;
  disc.addEllipse(centre, discRadius - 0.5, discRadius - 0.5);
  p.setClipPath(disc);

  // The chrome bezel: a turned ring that catches the light at the top left.
  QConicalGradient chrome(centre, 135.0);
  chrome.setColorAt(0.0, QColor(235, 235, 232));
  chrome.setColorAt(0.18, QColor(120, 122, 126));
  chrome.setColorAt(0.42, QColor(200, 200, 198));
  chrome.setColorAt(0.55, QColor(70, 72, 76));
  chrome.setColorAt(0.78, QColor(170, 170, 168));
  chrome.setColorAt(1.0, QColor(235, 235, 232));
  p.setPen(Qt::NoPen);
  p.setBrush(chrome);
  p.drawEllipse(centre, discRadius - 1.0, discRadius - 1.0);
  p.setBrush(QColor(22, 22, 24));
  p.drawEllipse(centre, faceRadius + 1.5, faceRadius + 1.5);

  // The face: matt black, a shade lighter towards the middle.
  QRadialGradient face(centre, faceRadius);
  face.setColorAt(0.0, QColor(30, 30, 32));
  face.setColorAt(0.7, QColor(14, 14, 15));
  face.setColorAt(1.0, QColor(4, 4, 5));
  p.setBrush(face);
  p.drawEllipse(centre, faceRadius, faceRadius);

  // The red line, inside the marks, from the red zone to the top of the scale.
  {
    QPainterPath band;
    const double a0 = AngleOf(d, d.redFromThousand);
    const double a1 = AngleOf(d, d.lastThousand);
    const double inner = d.needleLength - 10.0;
    const double outer = d.needleLength - 3.0;
    constexpr int kSteps = 48;
    for (int i = 0; i <= kSteps; ++i) {
      const QPointF pt = toPixels.map(Polar(a0 + (a1 - a0) * i / kSteps, outer));
      if (i == 0) band.moveTo(pt);
      else band.lineTo(pt);
    }
    for (int i = kSteps; i >= 0; --i) band.lineTo(toPixels.map(Polar(a0 + (a1 - a0) * i / kSteps, inner)));
    band.closeSubpath();
    p.setBrush(QColor(205, 22, 18));
    p.drawPath(band);
  }

  // The outer ring of the scale, and the marks: long at every thousand, short between.
  const QColor white(246, 246, 240);
  {
    QPainterPath ring;
    const double a0 = AngleOf(d, d.firstThousand);
    const double a1 = AngleOf(d, d.lastThousand);
    constexpr int kSteps = 120;
    for (int i = 0; i <= kSteps; ++i) {
      const QPointF pt = toPixels.map(Polar(a0 + (a1 - a0) * i / kSteps, tickOuter + 0.8));
      if (i == 0) ring.moveTo(pt);
      else ring.lineTo(pt);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(white, 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(ring);
  }
  for (int k = d.firstThousand * 2; k <= d.lastThousand * 2; ++k) {
    const double angle = AngleOf(d, k / 2.0);
    const bool major = k % 2 == 0;
    const double inner = major ? tickInner : tickInner + 5.0;
    p.setPen(QPen(white, major ? 3.0 : 1.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(toPixels.map(Polar(angle, inner)), toPixels.map(Polar(angle, tickOuter)));
  }

  // The numerals, upright, inside the red line; the legend above the hub.
  const double numeralRadius = d.needleLength - 22.0;
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(white, 2.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  for (int n = d.firstThousand; n <= d.lastThousand; ++n) {
    const QPointF at = toPixels.map(Polar(AngleOf(d, n), numeralRadius));
    p.drawPath(StrokeText(QString::number(n), at, 14.0));
  }
  p.setPen(QPen(QColor(220, 220, 214), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF hub = toPixels.map(QPointF(0.0, 0.0));
  p.drawPath(StrokeText("RPM", hub + QPointF(0.0, -38.0), 9.0));
  p.setPen(QPen(QColor(200, 200, 194), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(StrokeText("X 1000", hub + QPointF(0.0, -25.0), 6.5));

  // A faint reflection on the glass.
  QRadialGradient glare(centre + QPointF(-40.0, -55.0), faceRadius * 0.9);
  glare.setColorAt(0.0, QColor(255, 255, 255, 26));
  glare.setColorAt(1.0, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glare);
  p.drawEllipse(centre, faceRadius, faceRadius);
  p.end();

  // Outside the mask's disc the dial is pure black, so that the OR of the two images
  // over the window's background leaves the background untouched there.
  for (int y = 0; y < kDialPixels; ++y) {
    for (int x = 0; x < kDialPixels; ++x) {
      if (!InsideDisc(d, x, y)) dial.setPixelColor(x, y, Qt::black);
    }
  }
  return dial;
}

}  // namespace revalorn::artwork
