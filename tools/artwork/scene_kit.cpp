#include "tools/artwork/scene_kit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/artwork/stroke_glyphs.h"

namespace revalorn::artwork {

namespace {

QColor Mix(const QColor& a, const QColor& b, double t) {
  auto m = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
  return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()), m(a.alpha(), b.alpha()));
}

}  // namespace

void PaintGradient(QPainter& p, const QRectF& area, const ColourStops& stops) {
  QLinearGradient g(area.topLeft(), area.bottomLeft());
  for (const auto& [at, colour] : stops) g.setColorAt(at, colour);
  p.fillRect(area, g);
}

void PaintSun(QPainter& p, QPointF centre, double radius, QColor core, QColor glow) {
  QRadialGradient g(centre, radius * 5.0);
  QColor outer = glow;
  outer.setAlpha(0);
  g.setColorAt(0.0, glow);
  g.setColorAt(1.0, outer);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(centre, radius * 5.0, radius * 5.0);
  p.setBrush(core);
  p.drawEllipse(centre, radius, radius);
}

void PaintClouds(QPainter& p, Rng& rng, const QRectF& band, int count, double size, QColor light, QColor shadow) {
  p.setPen(Qt::NoPen);
  for (int c = 0; c < count; ++c) {
    const QPointF at(rng.Between(band.left(), band.right()), rng.Between(band.top(), band.bottom()));
    const double scale = size * rng.Between(0.6, 1.3);
    const int puffs = 5 + static_cast<int>(rng.Next() * 5);
    for (int k = 0; k < puffs; ++k) {
      const double dx = rng.Between(-1.6, 1.6) * scale;
      const double dy = rng.Between(-0.35, 0.1) * scale;
      const double r = scale * rng.Between(0.45, 0.8) * (1.0 - std::abs(dx) / (2.2 * scale));
      QRadialGradient g(at + QPointF(dx, dy - r * 0.3), r * 1.3);
      g.setColorAt(0.0, light);
      g.setColorAt(0.8, Mix(light, shadow, 0.6));
      g.setColorAt(1.0, shadow);
      p.setBrush(g);
      p.drawEllipse(at + QPointF(dx, dy), r * 1.2, r);
    }
  }
}

void PaintRidge(QPainter& p, Rng& rng, double left, double right, double baseY, double height, double bottom,
                const QColor& top, const QColor& foot, double snow, bool taperEnds) {
  // The crest: a few broad swells with smaller ones on them.
  const int points = 64;
  const double phase1 = rng.Between(0.0, 6.28), phase2 = rng.Between(0.0, 6.28), phase3 = rng.Between(0.0, 6.28);
  const double f1 = rng.Between(1.0, 2.0), f2 = rng.Between(3.0, 5.0), f3 = rng.Between(8.0, 13.0);
  std::vector<QPointF> crest;
  for (int i = 0; i <= points; ++i) {
    const double t = static_cast<double>(i) / points;
    const double lift = 0.55 * std::sin(f1 * 6.28 * t + phase1) + 0.3 * std::sin(f2 * 6.28 * t + phase2) +
                        0.15 * std::sin(f3 * 6.28 * t + phase3);
    double y = baseY - height * (0.5 + 0.5 * lift);
    if (taperEnds) {
      const double edge = std::min(1.0, std::min(t, 1.0 - t) / 0.3);
      y = bottom + (y - bottom) * std::sqrt(edge * (2.0 - edge));
    }
    crest.emplace_back(left + (right - left) * t, y);
  }
  QPainterPath ridge;
  ridge.moveTo(left, bottom);
  for (const auto& pt : crest) ridge.lineTo(pt);
  ridge.lineTo(right, bottom);
  ridge.closeSubpath();
  QLinearGradient g(QPointF(0.0, baseY - height), QPointF(0.0, bottom));
  g.setColorAt(0.0, top);
  g.setColorAt(1.0, foot);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(ridge);
  if (snow > 0.0) {
    // Snow on whatever stands higher than the snow line.
    const double line = baseY - height * (1.0 - snow);
    p.save();
    p.setClipPath(ridge);
    QPainterPath cap;
    cap.moveTo(left, line);
    for (int i = 0; i <= points * 2; ++i) {
      const double t = static_cast<double>(i) / (points * 2);
      cap.lineTo(left + (right - left) * t, line + height * 0.06 * std::sin(t * 90.0));
    }
    cap.lineTo(right, baseY - height * 2.0);
    cap.lineTo(left, baseY - height * 2.0);
    cap.closeSubpath();
    QLinearGradient s(QPointF(0.0, baseY - height), QPointF(0.0, line));
    s.setColorAt(0.0, QColor(250, 252, 255));
    s.setColorAt(1.0, QColor(214, 224, 236));
    p.setBrush(s);
    p.drawPath(cap);
    p.restore();
  }
}

void PaintTree(QPainter& p, QPointF base, double h, TreeKind kind, const QColor& dark, const QColor& light) {
  p.setPen(Qt::NoPen);
  const QColor trunk = Mix(QColor(70, 50, 35), dark, 0.4);
  switch (kind) {
    case TreeKind::Conifer: {
      p.setBrush(trunk);
      p.drawRect(QRectF(base.x() - h * 0.025, base.y() - h * 0.15, h * 0.05, h * 0.15));
      for (int tier = 0; tier < 4; ++tier) {
        const double y0 = base.y() - h * (0.1 + 0.22 * tier);
        const double w = h * (0.34 - 0.07 * tier);
        QPolygonF t;
        t << QPointF(base.x() - w, y0) << QPointF(base.x(), y0 - h * 0.42) << QPointF(base.x() + w, y0);
        QLinearGradient g(QPointF(base.x() - w, 0.0), QPointF(base.x() + w, 0.0));
        g.setColorAt(0.0, light);
        g.setColorAt(1.0, dark);
        p.setBrush(g);
        p.drawPolygon(t);
      }
      break;
    }
    case TreeKind::Poplar: {
      p.setBrush(trunk);
      p.drawRect(QRectF(base.x() - h * 0.02, base.y() - h * 0.1, h * 0.04, h * 0.1));
      QRadialGradient g(base + QPointF(-h * 0.05, -h * 0.65), h * 0.5);
      g.setColorAt(0.0, light);
      g.setColorAt(1.0, dark);
      p.setBrush(g);
      p.drawEllipse(base + QPointF(0.0, -h * 0.55), h * 0.12, h * 0.47);
      break;
    }
    case TreeKind::Broadleaf: {
      p.setBrush(trunk);
      p.drawRect(QRectF(base.x() - h * 0.04, base.y() - h * 0.4, h * 0.08, h * 0.4));
      const QPointF crown = base + QPointF(0.0, -h * 0.62);
      for (int k = 0; k < 5; ++k) {
        const double a = k * 72.0 * std::numbers::pi / 180.0;
        const QPointF c = crown + QPointF(std::cos(a) * h * 0.16, std::sin(a) * h * 0.1);
        QRadialGradient g(c + QPointF(-h * 0.08, -h * 0.1), h * 0.3);
        g.setColorAt(0.0, light);
        g.setColorAt(1.0, dark);
        p.setBrush(g);
        p.drawEllipse(c, h * 0.24, h * 0.2);
      }
      break;
    }
    case TreeKind::Palm: {
      QPainterPath stem;
      stem.moveTo(base);
      stem.cubicTo(base + QPointF(h * 0.05, -h * 0.4), base + QPointF(h * 0.15, -h * 0.7),
                   base + QPointF(h * 0.12, -h * 0.95));
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(trunk, h * 0.04, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(stem);
      const QPointF top = base + QPointF(h * 0.12, -h * 0.95);
      p.setPen(QPen(dark, h * 0.035, Qt::SolidLine, Qt::RoundCap));
      for (int k = 0; k < 7; ++k) {
        const double a = (-170.0 + k * 27.0) * std::numbers::pi / 180.0;
        QPainterPath frond;
        frond.moveTo(top);
        const QPointF tip = top + QPointF(std::cos(a) * h * 0.38, std::sin(a) * h * 0.2 + h * 0.16);
        frond.quadTo(top + QPointF(std::cos(a) * h * 0.22, std::sin(a) * h * 0.22 - h * 0.05), tip);
        p.setPen(QPen(k % 2 ? dark : light, h * 0.035, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(frond);
      }
      break;
    }
  }
}

void PaintTreeLine(QPainter& p, Rng& rng, double left, double right, double baseY, double minHeight,
                   double maxHeight, TreeKind kind, const QColor& dark, const QColor& light, double spacing) {
  for (double x = left; x < right; x += spacing * rng.Between(0.6, 1.4)) {
    const double h = rng.Between(minHeight, maxHeight);
    const double tint = rng.Between(0.0, 0.25);
    PaintTree(p, QPointF(x, baseY + rng.Between(0.0, 3.0)), h, kind, Mix(dark, QColor(0, 0, 0), tint * 0.5),
              Mix(light, dark, tint));
  }
}

void PaintCrowd(QPainter& p, Rng& rng, double left, double right, double y, double size, double shade) {
  static const QColor kClothes[] = {QColor(200, 50, 40), QColor(40, 70, 150), QColor(230, 220, 200),
                                    QColor(60, 110, 60), QColor(230, 190, 60), QColor(90, 90, 95),
                                    QColor(150, 100, 60), QColor(240, 240, 240)};
  p.setPen(Qt::NoPen);
  for (double x = left; x < right; x += size * rng.Between(0.7, 1.1)) {
    const double dy = rng.Between(-0.25, 0.25) * size;
    QColor cloth = kClothes[static_cast<int>(rng.Next() * 8) % 8];
    QColor skin = QColor(220, 180, 150);
    cloth = Mix(cloth, QColor(10, 12, 25), shade);
    skin = Mix(skin, QColor(10, 12, 25), shade);
    p.setBrush(cloth);
    p.drawRoundedRect(QRectF(x - size * 0.45, y + dy - size * 0.55, size * 0.9, size * 0.8), size * 0.3, size * 0.3);
    p.setBrush(skin);
    p.drawEllipse(QPointF(x, y + dy - size * 0.75), size * 0.22, size * 0.25);
  }
}

void PaintGrandstand(QPainter& p, Rng& rng, const QRectF& r, const QColor& roof, const QColor& frame,
                     double shade) {
  p.setPen(Qt::NoPen);
  // The stepped terraces, shaded under the roof.
  QLinearGradient back(r.topLeft(), r.bottomLeft());
  back.setColorAt(0.0, Mix(QColor(40, 38, 36), QColor(5, 5, 12), shade));
  back.setColorAt(1.0, Mix(QColor(110, 104, 96), QColor(10, 10, 20), shade));
  p.setBrush(back);
  p.drawRect(QRectF(r.left(), r.top() + r.height() * 0.12, r.width(), r.height() * 0.88));
  const int rows = 6;
  for (int row = 0; row < rows; ++row) {
    const double y = r.top() + r.height() * (0.28 + 0.12 * row);
    PaintCrowd(p, rng, r.left() + 3.0, r.right() - 3.0, y, r.height() * 0.09, std::min(1.0, shade + 0.35 - 0.05 * row));
  }
  // Roof and its pillars.
  QPolygonF top;
  top << QPointF(r.left() - r.width() * 0.02, r.top() + r.height() * 0.16) << QPointF(r.left(), r.top())
      << QPointF(r.right(), r.top()) << QPointF(r.right() + r.width() * 0.02, r.top() + r.height() * 0.16);
  QLinearGradient rg(r.topLeft(), r.topLeft() + QPointF(0.0, r.height() * 0.16));
  rg.setColorAt(0.0, roof.lighter(120));
  rg.setColorAt(1.0, roof.darker(130));
  p.setBrush(rg);
  p.drawPolygon(top);
  p.setBrush(frame);
  const int pillars = std::max(2, static_cast<int>(r.width() / (r.height() * 0.9)));
  for (int k = 0; k <= pillars; ++k) {
    const double x = r.left() + r.width() * k / pillars;
    p.drawRect(QRectF(x - r.height() * 0.015, r.top() + r.height() * 0.14, r.height() * 0.03, r.height() * 0.86));
  }
  p.setBrush(frame.darker(120));
  p.drawRect(QRectF(r.left(), r.bottom() - r.height() * 0.08, r.width(), r.height() * 0.08));
}

void PaintPits(QPainter& p, const QRectF& r, const QColor& wall, const QColor& roof, int bays, bool lit) {
  p.setPen(Qt::NoPen);
  QLinearGradient wg(r.topLeft(), r.bottomLeft());
  wg.setColorAt(0.0, wall.lighter(110));
  wg.setColorAt(1.0, wall.darker(115));
  p.setBrush(wg);
  p.drawRect(r);
  p.setBrush(roof);
  p.drawRect(QRectF(r.left() - 4.0, r.top() - r.height() * 0.12, r.width() + 8.0, r.height() * 0.14));
  const double bay = r.width() / bays;
  for (int k = 0; k < bays; ++k) {
    const QRectF door(r.left() + bay * k + bay * 0.12, r.top() + r.height() * 0.25, bay * 0.76, r.height() * 0.75);
    QLinearGradient dg(door.topLeft(), door.bottomLeft());
    if (lit) {
      dg.setColorAt(0.0, QColor(255, 236, 170));
      dg.setColorAt(1.0, QColor(200, 160, 90));
    } else {
      dg.setColorAt(0.0, QColor(22, 22, 24));
      dg.setColorAt(1.0, QColor(58, 56, 52));
    }
    p.setBrush(dg);
    p.drawRect(door);
    // A stack of spare tyres in every other bay.
    if (k % 2 == 0) {
      p.setBrush(QColor(20, 20, 20));
      for (int t = 0; t < 3; ++t) {
        p.drawEllipse(QRectF(door.left() + bay * 0.06, door.bottom() - door.height() * (0.17 + 0.14 * t),
                             bay * 0.22, door.height() * 0.15));
      }
    }
  }
}

void PaintTimingTower(QPainter& p, const QRectF& r, const QColor& wall, double shade) {
  p.setPen(Qt::NoPen);
  QLinearGradient g(r.topLeft(), r.topRight());
  g.setColorAt(0.0, wall.lighter(115));
  g.setColorAt(1.0, wall.darker(125));
  p.setBrush(g);
  p.drawRect(r);
  const QRectF board(r.left() + r.width() * 0.1, r.top() + r.height() * 0.08, r.width() * 0.8, r.height() * 0.45);
  p.setBrush(Mix(QColor(20, 24, 22), QColor(5, 5, 10), shade));
  p.drawRect(board);
  // Positions on the board: car numbers in white.
  static const int kNumbers[] = {7, 12, 3, 18, 5, 9, 21, 14};
  const double cellH = board.height() / 4.0;
  p.setPen(QPen(Mix(QColor(240, 240, 230), QColor(120, 120, 110), shade), cellH * 0.09, Qt::SolidLine,
                Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  for (int k = 0; k < 8; ++k) {
    const QPointF c(board.left() + board.width() * (k < 4 ? 0.28 : 0.72), board.top() + cellH * (k % 4 + 0.5));
    p.drawPath(StrokeText(QString::number(kNumbers[k]), c, cellH * 0.62));
  }
  p.setPen(Qt::NoPen);
  p.setBrush(wall.darker(150));
  p.drawRect(QRectF(r.left() - r.width() * 0.08, r.top() - r.height() * 0.05, r.width() * 1.16, r.height() * 0.06));
  // Flag pole on top.
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(QRectF(r.center().x() - 0.8, r.top() - r.height() * 0.3, 1.6, r.height() * 0.27));
}

void PaintTrack(QPainter& p, const QRectF& r, const QColor& tarmac, bool wet) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0.0, tarmac.darker(112));
  g.setColorAt(0.55, tarmac);
  g.setColorAt(1.0, tarmac.lighter(108));
  p.fillRect(r, g);
  // The racing line, darker with rubber, and the white edge lines.
  QLinearGradient line(r.topLeft(), r.bottomLeft());
  line.setColorAt(0.0, QColor(0, 0, 0, 0));
  line.setColorAt(0.55, QColor(0, 0, 0, wet ? 25 : 45));
  line.setColorAt(0.75, QColor(0, 0, 0, 0));
  p.fillRect(r, line);
  p.fillRect(QRectF(r.left(), r.top() + 2.0, r.width(), 1.6), QColor(235, 235, 228, 200));
  p.fillRect(QRectF(r.left(), r.bottom() - 4.0, r.width(), 2.0), QColor(235, 235, 228, 200));
  if (wet) {
    QLinearGradient sheen(r.topLeft(), r.bottomLeft());
    sheen.setColorAt(0.0, QColor(200, 210, 225, 70));
    sheen.setColorAt(1.0, QColor(200, 210, 225, 10));
    p.fillRect(r, sheen);
  }
}

void PaintKerb(QPainter& p, double left, double right, double y, double h, const QColor& a, const QColor& b,
               double segment) {
  p.setPen(Qt::NoPen);
  int k = 0;
  for (double x = left; x < right; x += segment, ++k) {
    QLinearGradient g(QPointF(0.0, y), QPointF(0.0, y + h));
    const QColor c = k % 2 ? b : a;
    g.setColorAt(0.0, c.lighter(115));
    g.setColorAt(1.0, c.darker(120));
    p.setBrush(g);
    p.drawRect(QRectF(x, y, segment + 0.5, h));
  }
}

void PaintGrass(QPainter& p, Rng& rng, const QRectF& r, const QColor& near, const QColor& far) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0.0, far);
  g.setColorAt(1.0, near);
  p.fillRect(r, g);
  p.setPen(Qt::NoPen);
  const int tufts = static_cast<int>(r.width() * r.height() / 90.0);
  for (int k = 0; k < tufts; ++k) {
    const QPointF at(rng.Between(r.left(), r.right()), rng.Between(r.top(), r.bottom()));
    const double depth = (at.y() - r.top()) / std::max(1.0, r.height());
    QColor c = Mix(far, near, depth).darker(static_cast<int>(rng.Between(105, 130)));
    c.setAlpha(120);
    p.setBrush(c);
    p.drawEllipse(at, 1.0 + 3.0 * depth, 0.5 + 1.0 * depth);
  }
}

void PaintHayBales(QPainter& p, double left, double right, double y, double w, double shade) {
  p.setPen(Qt::NoPen);
  for (double x = left; x < right; x += w * 1.02) {
    const QRectF bale(x, y - w * 0.45, w, w * 0.45);
    QLinearGradient g(bale.topLeft(), bale.bottomLeft());
    g.setColorAt(0.0, Mix(QColor(236, 206, 120), QColor(20, 20, 30), shade));
    g.setColorAt(1.0, Mix(QColor(170, 130, 60), QColor(10, 10, 20), shade));
    p.setBrush(g);
    p.drawRoundedRect(bale, w * 0.06, w * 0.06);
    p.setBrush(Mix(QColor(140, 105, 50), QColor(10, 10, 20), shade));
    p.drawRect(QRectF(x + w * 0.3, bale.top(), w * 0.03, bale.height()));
    p.drawRect(QRectF(x + w * 0.67, bale.top(), w * 0.03, bale.height()));
  }
}

void PaintGuardRail(QPainter& p, double left, double right, double y, double h, double shade) {
  p.setPen(Qt::NoPen);
  p.setBrush(Mix(QColor(90, 92, 96), QColor(10, 10, 20), shade));
  for (double x = left; x < right; x += h * 3.0) p.drawRect(QRectF(x, y, h * 0.18, h * 1.6));
  QLinearGradient g(QPointF(0.0, y), QPointF(0.0, y + h));
  g.setColorAt(0.0, Mix(QColor(225, 228, 232), QColor(20, 20, 35), shade));
  g.setColorAt(0.5, Mix(QColor(150, 154, 160), QColor(15, 15, 30), shade));
  g.setColorAt(1.0, Mix(QColor(200, 204, 208), QColor(20, 20, 35), shade));
  p.setBrush(g);
  p.drawRect(QRectF(left, y, right - left, h));
}

void PaintBunting(QPainter& p, QPointF a, QPointF b, double sag, int flags, double size) {
  static const QColor kColours[] = {QColor(210, 40, 40), QColor(245, 245, 240), QColor(40, 80, 170),
                                    QColor(240, 200, 40), QColor(40, 140, 70)};
  p.setPen(QPen(QColor(60, 60, 60), 0.8));
  QPainterPath line;
  line.moveTo(a);
  line.quadTo((a + b) / 2.0 + QPointF(0.0, sag * 2.0), b);
  p.setBrush(Qt::NoBrush);
  p.drawPath(line);
  p.setPen(Qt::NoPen);
  for (int k = 0; k < flags; ++k) {
    const double t = (k + 0.5) / flags;
    const QPointF at = line.pointAtPercent(t);
    QPolygonF flag;
    flag << at + QPointF(-size * 0.4, 0.0) << at + QPointF(size * 0.4, 0.0) << at + QPointF(0.0, size);
    p.setBrush(kColours[k % 5]);
    p.drawPolygon(flag);
  }
}

void PaintSpeedLines(QPainter& p, Rng& rng, const QRectF& r, int count, QColor colour) {
  for (int k = 0; k < count; ++k) {
    const double y = rng.Between(r.top(), r.bottom());
    const double x = rng.Between(r.left(), r.right());
    const double len = rng.Between(r.width() * 0.05, r.width() * 0.25);
    QLinearGradient g(QPointF(x, y), QPointF(x + len, y));
    QColor clear = colour;
    clear.setAlpha(0);
    g.setColorAt(0.0, clear);
    g.setColorAt(0.5, colour);
    g.setColorAt(1.0, clear);
    p.setPen(QPen(QBrush(g), rng.Between(0.6, 1.8)));
    p.drawLine(QPointF(x, y), QPointF(x + len, y));
  }
}

QImage HorizontalBlur(const QImage& image, int radius) {
  // A box blur along each row, done by hand: Qt has no public blur for QImage.
  const QImage src = image.convertToFormat(QImage::Format_RGB32);
  QImage out(src.size(), QImage::Format_RGB32);
  const int w = src.width();
  for (int y = 0; y < src.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    long r = 0, g = 0, b = 0;
    const int span = 2 * radius + 1;
    for (int k = -radius; k <= radius; ++k) {
      const QRgb c = in[std::clamp(k, 0, w - 1)];
      r += qRed(c);
      g += qGreen(c);
      b += qBlue(c);
    }
    for (int x = 0; x < w; ++x) {
      row[x] = qRgb(static_cast<int>(r / span), static_cast<int>(g / span), static_cast<int>(b / span));
      const QRgb leaving = in[std::clamp(x - radius, 0, w - 1)];
      const QRgb entering = in[std::clamp(x + radius + 1, 0, w - 1)];
      r += qRed(entering) - qRed(leaving);
      g += qGreen(entering) - qGreen(leaving);
      b += qBlue(entering) - qBlue(leaving);
    }
  }
  return out;
}

}  // namespace revalorn::artwork
