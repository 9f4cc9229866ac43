#include "tools/artwork/cars.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <numbers>

#include "tools/artwork/stroke_glyphs.h"

namespace revalorn::artwork {

namespace {

// Dims a colour towards night blue by `shade` (0 .. 1).
QColor Dim(const QColor& c, double shade) {
  const double keep = 1.0 - 0.75 * shade;
  auto mix = [&](int v, int night) { return static_cast<int>(v * keep + night * (1.0 - keep) * 0.35); };
  return QColor(mix(c.red(), 20), mix(c.green(), 28), mix(c.blue(), 60), c.alpha());
}

// Sets up car units: 400 (single-seater) or 440 (coupe) from tail (x 0) to nose,
// ground at y 0, y growing downward, nose to the right unless the pose faces left.
void EnterCarUnits(QPainter& p, const CarPose& pose, double unitsLong) {
  const double s = pose.length / unitsLong;
  p.translate(pose.ground);
  p.scale(pose.facingLeft ? -s : s, s);
  p.translate(-unitsLong / 2.0, 0.0);
}

void PaintShadow(QPainter& p, double centreX, double halfLength, double shade) {
  QRadialGradient g(QPointF(centreX, 0.0), halfLength);
  g.setColorAt(0.0, QColor(0, 0, 0, static_cast<int>(120 * (1.0 - 0.5 * shade))));
  g.setColorAt(1.0, QColor(0, 0, 0, 0));
  p.save();
  p.scale(1.0, 0.06);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(centreX, 0.0), halfLength, halfLength);
  p.restore();
}

void PaintWheel(QPainter& p, QPointF c, double r, bool moving, double shade) {
  QRadialGradient tyre(c, r);
  tyre.setColorAt(0.0, Dim(QColor(46, 46, 46), shade));
  tyre.setColorAt(0.75, Dim(QColor(30, 30, 30), shade));
  tyre.setColorAt(1.0, Dim(QColor(10, 10, 10), shade));
  p.setPen(Qt::NoPen);
  p.setBrush(tyre);
  p.drawEllipse(c, r, r);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Dim(QColor(72, 72, 72), shade), r * 0.035));
  p.drawEllipse(c, r * 0.9, r * 0.9);

  // Cast magnesium rim with a knock-off spinner.
  QRadialGradient rim(c - QPointF(r * 0.15, r * 0.2), r * 0.7);
  rim.setColorAt(0.0, Dim(QColor(226, 222, 205), shade));
  rim.setColorAt(1.0, Dim(QColor(128, 124, 110), shade));
  p.setPen(QPen(Dim(QColor(70, 68, 60), shade), r * 0.03));
  p.setBrush(rim);
  p.drawEllipse(c, r * 0.6, r * 0.6);
  p.setPen(Qt::NoPen);
  if (moving) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Dim(QColor(80, 78, 70, 170), shade), r * 0.16));
    p.drawEllipse(c, r * 0.37, r * 0.37);
  } else {
    p.setBrush(Dim(QColor(44, 42, 38), shade));
    for (int k = 0; k < 6; ++k) {
      const double a = (k * 60.0 + 15.0) * std::numbers::pi / 180.0;
      p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r * 0.37, r * 0.09, r * 0.13);
    }
  }
  p.setPen(QPen(Dim(QColor(90, 88, 80), shade), r * 0.03));
  p.setBrush(Dim(QColor(215, 212, 200), shade));
  p.drawEllipse(c, r * 0.14, r * 0.14);
  p.setPen(QPen(Dim(QColor(200, 196, 182), shade), r * 0.06, Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < 3; ++k) {
    const double a = (k * 120.0 + (moving ? 40.0 : 90.0)) * std::numbers::pi / 180.0;
    p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 0.12, c + QPointF(std::cos(a), std::sin(a)) * r * 0.25);
  }
}

void PaintRoundel(QPainter& p, QPointF c, double r, int number, double shade) {
  p.setPen(Qt::NoPen);
  p.setBrush(Dim(QColor(246, 246, 240), shade));
  p.drawEllipse(c, r, r);
  if (number <= 0) return;
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Dim(QColor(15, 15, 15), shade), r * 0.17, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(StrokeText(QString::number(number), c, r * 1.05));
}

QLinearGradient BodyShading(const QColor& base, double top, double bottom, double shade) {
  QLinearGradient g(QPointF(0.0, top), QPointF(0.0, bottom));
  g.setColorAt(0.0, Dim(base.lighter(150), shade));
  g.setColorAt(0.3, Dim(base.lighter(112), shade));
  g.setColorAt(0.6, Dim(base, shade));
  g.setColorAt(1.0, Dim(base.darker(170), shade));
  return g;
}

void PaintWing(QPainter& p, QPointF leading, double chord, double thickness, QColor colour) {
  QPainterPath foil;
  foil.moveTo(leading);
  foil.cubicTo(leading + QPointF(chord * 0.1, -thickness), leading + QPointF(chord * 0.5, -thickness),
               leading + QPointF(chord, thickness * 0.2));
  foil.cubicTo(leading + QPointF(chord * 0.5, thickness * 0.2), leading + QPointF(chord * 0.1, thickness * 0.5),
               leading);
  p.setPen(QPen(colour.darker(160), 1.0));
  p.setBrush(colour);
  p.drawPath(foil);
}

}  // namespace

void PaintSingleSeater(QPainter& p, const Livery& livery, const CarPose& pose) {
  const double sh = pose.shade;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  EnterCarUnits(p, pose, 400.0);
  PaintShadow(p, 205.0, 215.0, sh);

  const QPointF rear(92.0, -32.0);
  const QPointF front(330.0, -28.0);

  // Behind the driver: gearbox, engine with its inlet trumpets, exhausts.
  p.setPen(Qt::NoPen);
  p.setBrush(BodyShading(QColor(70, 70, 72), -44.0, -18.0, sh));
  p.drawRoundedRect(QRectF(22.0, -42.0, 54.0, 22.0), 6.0, 6.0);
  p.setBrush(BodyShading(QColor(48, 48, 50), -56.0, -20.0, sh));
  p.drawRoundedRect(QRectF(68.0, -55.0, 68.0, 34.0), 4.0, 4.0);
  p.setBrush(BodyShading(QColor(150, 150, 150), -62.0, -52.0, sh));
  p.drawRoundedRect(QRectF(72.0, -62.0, 60.0, 10.0), 3.0, 3.0);
  for (int k = 0; k < 4; ++k) {
    QLinearGradient stack(QPointF(78.0 + 13.0 * k, 0.0), QPointF(86.0 + 13.0 * k, 0.0));
    stack.setColorAt(0.0, Dim(QColor(235, 235, 235), sh));
    stack.setColorAt(1.0, Dim(QColor(120, 120, 124), sh));
    p.setBrush(stack);
    p.drawRect(QRectF(78.0 + 13.0 * k, -74.0, 8.0, 13.0));
  }
  for (int k = 0; k < 2; ++k) {
    QPainterPath pipe;
    pipe.moveTo(126.0, -30.0 - 6.0 * k);
    pipe.cubicTo(100.0, -26.0 - 6.0 * k, 70.0, -48.0 - 4.0 * k, 34.0, -48.0 - 4.0 * k);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Dim(QColor(165, 150, 130), sh), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(pipe);
    QPolygonF megaphone;
    megaphone << QPointF(36.0, -50.5 - 4.0 * k) << QPointF(4.0, -54.0 - 4.0 * k) << QPointF(4.0, -40.0 - 4.0 * k)
              << QPointF(36.0, -45.5 - 4.0 * k);
    p.setPen(Qt::NoPen);
    QLinearGradient metal(QPointF(0.0, -56.0), QPointF(0.0, -38.0));
    metal.setColorAt(0.0, Dim(QColor(220, 205, 180), sh));
    metal.setColorAt(1.0, Dim(QColor(110, 95, 80), sh));
    p.setBrush(metal);
    p.drawPolygon(megaphone);
    p.setBrush(Dim(QColor(25, 22, 20), sh));
    p.drawEllipse(QPointF(4.0, -47.0 - 4.0 * k), 1.6, 7.0);
  }

  // The tub and nose: one cigar from behind the cockpit to the radiator mouth.
  QPainterPath body;
  body.moveTo(132.0, -17.0);
  body.lineTo(300.0, -14.0);
  body.cubicTo(350.0, -13.0, 385.0, -15.0, 398.0, -23.0);
  body.cubicTo(404.0, -27.0, 404.0, -37.0, 398.0, -41.0);
  body.cubicTo(380.0, -51.0, 330.0, -61.0, 272.0, -64.0);
  body.lineTo(250.0, -64.0);
  body.cubicTo(238.0, -60.0, 200.0, -58.0, 184.0, -60.0);
  body.lineTo(172.0, -64.0);
  body.cubicTo(156.0, -67.0, 140.0, -61.0, 132.0, -52.0);
  body.closeSubpath();
  p.setBrush(BodyShading(livery.body, -66.0, -14.0, sh));
  p.drawPath(body);
  p.save();
  p.setClipPath(body);
  if (livery.noseBand) {
    p.setBrush(BodyShading(livery.accent, -66.0, -14.0, sh));
    p.drawRect(QRectF(368.0, -70.0, 40.0, 60.0));
  }
  if (livery.stripes) {
    p.setBrush(Qt::NoBrush);
    for (int k = 0; k < 2; ++k) {
      QPainterPath stripe;
      stripe.moveTo(134.0, -57.0 + 5.0 * k);
      stripe.cubicTo(200.0, -57.0 + 5.0 * k, 330.0, -60.0 + 5.0 * k, 402.0, -37.0 + 5.0 * k);
      p.setPen(QPen(Dim(livery.accent, sh), 2.6));
      p.drawPath(stripe);
    }
  }
  // The light along the top of the cigar.
  QPainterPath highlight;
  highlight.moveTo(140.0, -54.0);
  highlight.cubicTo(220.0, -54.0, 320.0, -57.0, 392.0, -40.0);
  p.setPen(QPen(QColor(255, 255, 255, static_cast<int>(80 * (1.0 - 0.7 * sh))), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(highlight);
  p.restore();
  p.setPen(Qt::NoPen);
  p.setBrush(Dim(QColor(18, 18, 18), sh));
  p.drawEllipse(QPointF(399.0, -32.0), 3.2, 7.5);

  PaintRoundel(p, QPointF(280.0, -39.0), 13.5, livery.number, sh);

  // Suspension arms and the drive shaft.
  p.setPen(QPen(Dim(QColor(35, 35, 35), sh), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(300.0, -20.0), front + QPointF(0.0, 5.0));
  p.drawLine(QPointF(300.0, -42.0), front + QPointF(0.0, -6.0));
  p.drawLine(QPointF(134.0, -22.0), rear + QPointF(0.0, 6.0));
  p.drawLine(QPointF(134.0, -44.0), rear + QPointF(0.0, -7.0));
  p.setPen(QPen(Dim(QColor(190, 160, 40), sh), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(118.0, -26.0), QPointF(112.0, -50.0));  // spring and damper

  // Driver: overalls, open-face helmet with goggles; windscreen, roll hoop, mirror.
  p.setPen(Qt::NoPen);
  p.setBrush(Dim(livery.overalls, sh));
  p.drawRoundedRect(QRectF(190.0, -72.0, 44.0, 14.0), 6.0, 6.0);
  const QPointF head(214.0, -84.0);
  QRadialGradient shell(head - QPointF(4.0, 5.0), 16.0);
  shell.setColorAt(0.0, Dim(livery.helmet.lighter(115), sh));
  shell.setColorAt(1.0, Dim(livery.helmet.darker(140), sh));
  p.setBrush(shell);
  p.drawEllipse(head, 14.0, 14.0);
  p.setBrush(Dim(livery.helmetStripe, sh));
  p.drawRect(QRectF(head.x() - 2.5, head.y() - 14.0, 5.0, 12.0));
  p.setBrush(Dim(QColor(214, 170, 140), sh));
  p.drawEllipse(QPointF(head.x() + 9.0, head.y() + 4.0), 6.0, 8.0);
  p.setBrush(Dim(QColor(25, 25, 28), sh));
  p.drawRoundedRect(QRectF(head.x() + 4.0, head.y() - 3.0, 13.0, 5.5), 2.0, 2.0);
  p.setBrush(Dim(QColor(160, 200, 220), sh));
  p.drawEllipse(QPointF(head.x() + 13.0, head.y() - 0.3), 2.2, 2.0);

  QPolygonF screen;
  screen << QPointF(258.0, -64.0) << QPointF(250.0, -80.0) << QPointF(238.0, -83.0) << QPointF(236.0, -63.0);
  p.setBrush(QColor(190, 220, 235, 110));
  p.setPen(QPen(Dim(QColor(235, 240, 240), sh), 1.0));
  p.drawPolygon(screen);
  p.setPen(QPen(Dim(QColor(200, 200, 205), sh), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(178.0, -62.0), QPointF(175.0, -98.0));
  p.drawLine(QPointF(175.0, -98.0), QPointF(150.0, -64.0));
  p.setPen(QPen(Dim(QColor(40, 40, 40), sh), 1.5));
  p.drawLine(QPointF(262.0, -64.0), QPointF(266.0, -72.0));
  p.setBrush(Dim(QColor(200, 205, 210), sh));
  p.drawEllipse(QPointF(267.0, -75.0), 4.0, 3.0);

  if (pose.highWings) {
    const QColor wing = Dim(livery.body.darker(115), sh);
    p.setPen(QPen(Dim(QColor(60, 60, 60), sh), 2.0));
    p.drawLine(rear + QPointF(-6.0, 0.0), QPointF(84.0, -128.0));
    p.drawLine(rear + QPointF(6.0, 0.0), QPointF(104.0, -128.0));
    p.drawLine(front, QPointF(330.0, -92.0));
    PaintWing(p, QPointF(58.0, -128.0), 70.0, 7.0, wing);
    PaintWing(p, QPointF(312.0, -92.0), 40.0, 5.0, wing);
  }

  PaintWheel(p, rear, 32.0, pose.moving, sh);
  PaintWheel(p, front, 28.0, pose.moving, sh);
  p.restore();
}

void PaintCoupe(QPainter& p, const Livery& livery, const CarPose& pose) {
  const double sh = pose.shade;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  EnterCarUnits(p, pose, 440.0);
  PaintShadow(p, 222.0, 230.0, sh);

  const QPointF rear(98.0, -31.0);
  const QPointF front(348.0, -29.0);

  if (pose.lights) {
    // Headlight beams reaching far down the road, and the glow of the tail lights.
    QLinearGradient beam(QPointF(430.0, 0.0), QPointF(1100.0, 0.0));
    beam.setColorAt(0.0, QColor(255, 245, 200, 150));
    beam.setColorAt(1.0, QColor(255, 245, 200, 0));
    QPolygonF cone;
    cone << QPointF(428.0, -44.0) << QPointF(1100.0, -110.0) << QPointF(1100.0, 25.0) << QPointF(428.0, -36.0);
    p.setPen(Qt::NoPen);
    p.setBrush(beam);
    p.drawPolygon(cone);
    QRadialGradient tail(QPointF(10.0, -52.0), 40.0);
    tail.setColorAt(0.0, QColor(255, 40, 30, 160));
    tail.setColorAt(1.0, QColor(255, 40, 30, 0));
    p.setBrush(tail);
    p.drawEllipse(QPointF(10.0, -52.0), 40.0, 40.0);
  }

  QPainterPath body;
  body.moveTo(12.0, -24.0);
  body.lineTo(420.0, -20.0);
  body.cubicTo(436.0, -20.0, 442.0, -28.0, 440.0, -36.0);
  body.cubicTo(436.0, -44.0, 420.0, -47.0, 400.0, -50.0);
  body.cubicTo(360.0, -54.0, 320.0, -57.0, 296.0, -58.0);
  body.cubicTo(280.0, -72.0, 266.0, -86.0, 250.0, -90.0);
  body.cubicTo(220.0, -96.0, 180.0, -95.0, 160.0, -91.0);
  body.cubicTo(110.0, -80.0, 60.0, -68.0, 18.0, -62.0);
  body.cubicTo(6.0, -58.0, 4.0, -32.0, 12.0, -24.0);
  body.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(BodyShading(livery.body, -96.0, -20.0, sh));
  p.drawPath(body);
  p.save();
  p.setClipPath(body);
  p.setBrush(Dim(QColor(14, 14, 16), sh));
  p.drawEllipse(rear, 35.0, 35.0);
  p.drawEllipse(front, 33.0, 33.0);
  if (livery.stripes) {
    p.setBrush(Dim(livery.accent, sh));
    p.drawRect(QRectF(0.0, -49.0, 450.0, 4.0));
    p.drawRect(QRectF(0.0, -42.0, 450.0, 4.0));
  }
  if (livery.noseBand) {
    p.setBrush(Dim(livery.accent, sh));
    p.drawRect(QRectF(410.0, -70.0, 40.0, 60.0));
  }
  QPainterPath highlight;
  highlight.moveTo(30.0, -60.0);
  highlight.cubicTo(120.0, -74.0, 200.0, -92.0, 250.0, -88.0);
  highlight.moveTo(300.0, -55.0);
  highlight.cubicTo(350.0, -52.0, 400.0, -49.0, 432.0, -42.0);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, static_cast<int>(70 * (1.0 - 0.6 * sh))), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(highlight);
  p.restore();

  // Side window and the door line.
  QPainterPath glass;
  glass.moveTo(172.0, -86.0);
  glass.cubicTo(200.0, -90.0, 236.0, -90.0, 250.0, -85.0);
  glass.lineTo(282.0, -60.0);
  glass.lineTo(168.0, -62.0);
  glass.closeSubpath();
  QLinearGradient glassShade(QPointF(0.0, -90.0), QPointF(0.0, -60.0));
  glassShade.setColorAt(0.0, Dim(QColor(150, 170, 190), sh));
  glassShade.setColorAt(1.0, Dim(QColor(30, 38, 50), sh));
  p.setPen(QPen(Dim(QColor(190, 190, 195), sh), 1.5));
  p.setBrush(glassShade);
  p.drawPath(glass);
  p.setPen(QPen(Dim(livery.body.darker(180), sh), 1.2));
  p.drawLine(QPointF(286.0, -56.0), QPointF(290.0, -24.0));
  p.drawLine(QPointF(168.0, -60.0), QPointF(164.0, -24.0));

  PaintRoundel(p, QPointF(226.0, -40.0), 14.0, livery.number, sh);

  // Covered headlight and tail light.
  p.setPen(QPen(Dim(QColor(120, 120, 120), sh), 1.0));
  p.setBrush(pose.lights ? QColor(255, 250, 220) : Dim(QColor(220, 215, 180), sh));
  p.drawEllipse(QPointF(420.0, -41.0), 9.0, 5.0);
  p.setBrush(pose.lights ? QColor(255, 60, 40) : Dim(QColor(150, 20, 20), sh));
  p.drawEllipse(QPointF(12.0, -52.0), 3.0, 5.0);

  PaintWheel(p, rear, 31.0, pose.moving, sh);
  PaintWheel(p, front, 29.0, pose.moving, sh);
  p.restore();
}

}  // namespace revalorn::artwork
