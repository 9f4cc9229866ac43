#include "tools/artwork/stroke_glyphs.h"

#include <QTransform>

namespace revalorn::artwork {

namespace {

// One glyph in a box 1 unit tall, y growing downward; returns its advance width.
double Glyph(QChar c, QPainterPath& p) {
  switch (c.toUpper().unicode()) {
    case '0':
      p.addEllipse(QPointF(0.28, 0.5), 0.26, 0.48);
      return 0.56;
    case '1':
      p.moveTo(0.10, 0.18);
      p.lineTo(0.30, 0.0);
      p.lineTo(0.30, 1.0);
      return 0.46;
    case '2':
      p.moveTo(0.03, 0.24);
      p.cubicTo(0.03, -0.04, 0.53, -0.04, 0.53, 0.25);
      p.cubicTo(0.53, 0.47, 0.20, 0.62, 0.02, 1.0);
      p.lineTo(0.55, 1.0);
      return 0.58;
    case '3':
      p.moveTo(0.04, 0.12);
      p.cubicTo(0.14, -0.03, 0.50, -0.04, 0.50, 0.23);
      p.cubicTo(0.50, 0.42, 0.36, 0.47, 0.20, 0.47);
      p.cubicTo(0.42, 0.47, 0.54, 0.56, 0.54, 0.73);
      p.cubicTo(0.54, 1.03, 0.12, 1.05, 0.02, 0.86);
      return 0.58;
    case '4':
      p.moveTo(0.42, 1.0);
      p.lineTo(0.42, 0.0);
      p.lineTo(0.0, 0.70);
      p.lineTo(0.58, 0.70);
      return 0.60;
    case '5':
      p.moveTo(0.50, 0.0);
      p.lineTo(0.10, 0.0);
      p.lineTo(0.06, 0.44);
      p.cubicTo(0.20, 0.35, 0.54, 0.36, 0.54, 0.68);
      p.cubicTo(0.54, 1.03, 0.12, 1.05, 0.02, 0.88);
      return 0.58;
    case '6':
      p.moveTo(0.47, 0.05);
      p.cubicTo(0.22, -0.07, 0.02, 0.14, 0.03, 0.68);
      p.addEllipse(QPointF(0.28, 0.70), 0.25, 0.30);
      return 0.56;
    case '7':
      p.moveTo(0.02, 0.0);
      p.lineTo(0.54, 0.0);
      p.cubicTo(0.40, 0.25, 0.25, 0.60, 0.21, 1.0);
      return 0.56;
    case '8':
      p.addEllipse(QPointF(0.28, 0.24), 0.21, 0.24);
      p.addEllipse(QPointF(0.28, 0.72), 0.26, 0.28);
      return 0.56;
    case '9':
      p.addEllipse(QPointF(0.28, 0.30), 0.25, 0.30);
      p.moveTo(0.53, 0.32);
      p.cubicTo(0.54, 0.86, 0.34, 1.07, 0.09, 0.95);
      return 0.56;
    case 'M':
      p.moveTo(0.02, 1.0);
      p.lineTo(0.06, 0.0);
      p.lineTo(0.33, 0.72);
      p.lineTo(0.60, 0.0);
      p.lineTo(0.64, 1.0);
      return 0.66;
    case 'P':
      p.moveTo(0.05, 1.0);
      p.lineTo(0.05, 0.0);
      p.lineTo(0.30, 0.0);
      p.cubicTo(0.58, 0.0, 0.58, 0.52, 0.30, 0.52);
      p.lineTo(0.05, 0.52);
      return 0.54;
    case 'R':
      p.moveTo(0.05, 1.0);
      p.lineTo(0.05, 0.0);
      p.lineTo(0.30, 0.0);
      p.cubicTo(0.58, 0.0, 0.58, 0.50, 0.30, 0.50);
      p.lineTo(0.05, 0.50);
      p.moveTo(0.28, 0.50);
      p.lineTo(0.54, 1.0);
      return 0.58;
    case 'X':
      p.moveTo(0.02, 0.0);
      p.lineTo(0.52, 1.0);
      p.moveTo(0.52, 0.0);
      p.lineTo(0.02, 1.0);
      return 0.54;
    case ' ':
      return 0.35;
    default:
      return 0.0;
  }
}

}  // namespace

QPainterPath StrokeText(const QString& text, QPointF centre, double height) {
  constexpr double kGap = 0.16;  // between glyphs, in glyph units
  QPainterPath unit;
  double x = 0.0;
  for (QChar c : text) {
    QPainterPath g;
    const double advance = Glyph(c, g);
    if (advance == 0.0) continue;
    unit.addPath(g.translated(x, 0.0));
    x += advance + kGap;
  }
  const double width = x > 0.0 ? x - kGap : 0.0;
  QTransform t;
  t.translate(centre.x() - width * height / 2.0, centre.y() - height / 2.0);
  t.scale(height, height);
  return t.map(unit);
}

}  // namespace revalorn::artwork
