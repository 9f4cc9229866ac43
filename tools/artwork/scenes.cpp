#include "tools/artwork/scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <stdexcept>
#include <string>

#include "tools/artwork/cars.h"
#include "tools/artwork/scene_kit.h"

namespace revalorn::artwork {

namespace {

// The layout every background shares, in design units (695 x 519): the horizon
// behind the track, the track across the lower half, the near kerb and the verge. The
// main car stands in the middle, where the tachometer covers it while a sound plays.
constexpr double kW = 695.0;
constexpr double kH = 519.0;
constexpr double kTrackTop = 332.0;
constexpr double kTrackBottom = 432.0;
constexpr double kFarLane = 392.0;
constexpr double kNearLane = 424.0;

Livery Car(QColor body, int number, QColor accent = QColor(), bool noseBand = false, bool stripes = false) {
  Livery l;
  l.body = body;
  l.number = number;
  l.accent = accent;
  l.noseBand = noseBand;
  l.stripes = stripes;
  return l;
}

CarPose Pose(QPointF ground, double length, double shade = 0.0, bool highWings = false, bool lights = false) {
  CarPose pose;
  pose.ground = ground;
  pose.length = length;
  pose.moving = true;
  pose.shade = shade;
  pose.highWings = highWings;
  pose.lights = lights;
  return pose;
}

void StartLine(QPainter& p, double x, double top, double bottom, double square) {
  p.setPen(Qt::NoPen);
  int row = 0;
  for (double y = top; y < bottom; y += square, ++row) {
    for (int col = 0; col < 2; ++col) {
      p.setBrush((row + col) % 2 ? QColor(235, 235, 230) : QColor(25, 25, 25));
      p.drawRect(QRectF(x + col * square, y, square, std::min(square, bottom - y)));
    }
  }
}

void StoneWall(QPainter& p, Rng& rng, double y, double h) {
  p.fillRect(QRectF(0.0, y, kW, h), QColor(120, 116, 108));
  p.setPen(QPen(QColor(90, 86, 80), 0.8));
  for (double row = y; row < y + h; row += h / 2.0) {
    for (double x = rng.Between(-10.0, 0.0); x < kW; x += rng.Between(10.0, 18.0)) {
      p.setBrush(QColor(150, 145, 135).darker(static_cast<int>(rng.Between(95, 125))));
      p.drawRect(QRectF(x, row, rng.Between(9.0, 16.0), h / 2.0));
    }
  }
}

void Fence(QPainter& p, double y, double h, QColor wood) {
  p.setPen(Qt::NoPen);
  p.setBrush(wood);
  for (double x = 6.0; x < kW; x += 46.0) p.drawRect(QRectF(x, y, 4.0, h));
  p.setBrush(wood.lighter(115));
  p.drawRect(QRectF(0.0, y + h * 0.18, kW, 3.0));
  p.drawRect(QRectF(0.0, y + h * 0.55, kW, 3.0));
}

// Spray thrown up behind a car on a wet track (the car runs to the right).
void Spray(QPainter& p, QPointF rearWheel, double size) {
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 6; ++k) {
    const QPointF c = rearWheel + QPointF(-size * (0.3 + 0.45 * k), -size * (0.15 + 0.08 * k));
    QRadialGradient g(c, size * (0.35 + 0.12 * k));
    g.setColorAt(0.0, QColor(225, 230, 235, 110 - 14 * k));
    g.setColorAt(1.0, QColor(225, 230, 235, 0));
    p.setBrush(g);
    p.drawEllipse(c, size * (0.5 + 0.15 * k), size * (0.3 + 0.08 * k));
  }
}

// A car and its reflection in the wet track below it.
void CarOnWetTrack(QPainter& p, const Livery& livery, const CarPose& pose) {
  p.save();
  p.setClipRect(QRectF(0.0, pose.ground.y(), kW, kTrackBottom - pose.ground.y()));
  p.setOpacity(0.22);
  p.translate(0.0, 2.0 * pose.ground.y());
  p.scale(1.0, -1.0);
  PaintSingleSeater(p, livery, pose);
  p.restore();
  Spray(p, pose.ground + QPointF(-pose.length * 0.27, -pose.length * 0.04), pose.length * 0.22);
  PaintSingleSeater(p, livery, pose);
}

void Papy(QPainter& p) {
  Rng rng(101);
  PaintGradient(p, QRectF(0, 0, kW, 270), {{0.0, QColor(62, 122, 196)}, {0.7, QColor(150, 195, 235)},
                                           {1.0, QColor(214, 226, 236)}});
  PaintClouds(p, rng, QRectF(0, 20, kW, 120), 7, 26.0, QColor(255, 255, 255), QColor(196, 208, 222));
  PaintRidge(p, rng, 0, kW, 248, 40, 300, QColor(150, 170, 188), QColor(170, 186, 182));
  PaintRidge(p, rng, 0, kW, 266, 22, 318, QColor(98, 138, 92), QColor(82, 122, 72));
  PaintTreeLine(p, rng, 0, kW, 285, 30, 55, TreeKind::Poplar, QColor(40, 80, 40), QColor(90, 140, 70), 15);
  PaintGrandstand(p, rng, QRectF(8, 192, 300, 96), QColor(178, 42, 36), QColor(232, 232, 226));
  PaintPits(p, QRectF(380, 256, 315, 62), QColor(226, 221, 206), QColor(60, 70, 82), 6);
  PaintTimingTower(p, QRectF(540, 150, 60, 110), QColor(236, 236, 228));
  PaintBunting(p, QPointF(300, 200), QPointF(545, 168), 16, 14, 7);
  PaintGradient(p, QRectF(0, 316, kW, 16), {{0.0, QColor(240, 240, 236)}, {1.0, QColor(190, 190, 184)}});
  PaintTrack(p, QRectF(0, kTrackTop, kW, kTrackBottom - kTrackTop), QColor(92, 94, 98));
  StartLine(p, 612, kTrackTop + 4, kTrackBottom - 4, 8);
  PaintSpeedLines(p, rng, QRectF(0, 360, 240, 60), 14, QColor(230, 230, 230, 90));
  PaintSingleSeater(p, Car(QColor(22, 86, 52), 6, QColor(236, 200, 40), true), Pose({150, kFarLane}, 190));
  PaintSingleSeater(p, Car(QColor(192, 26, 24), 18), Pose({385, kNearLane}, 255));
  PaintKerb(p, 0, kW, kTrackBottom, 8, QColor(200, 35, 30), QColor(240, 240, 235), 16);
  PaintGrass(p, rng, QRectF(0, kTrackBottom + 8, kW, kH - kTrackBottom - 8), QColor(70, 118, 48),
             QColor(104, 150, 72));
  PaintHayBales(p, 0, 250, 510, 34);
  PaintHayBales(p, 460, kW, 510, 34);
}

void Mountain(QPainter& p) {
  Rng rng(167);
  PaintGradient(p, QRectF(0, 0, kW, 300), {{0.0, QColor(92, 146, 208)}, {1.0, QColor(204, 222, 236)}});
  PaintSun(p, QPointF(600, 62), 14, QColor(255, 252, 236), QColor(255, 240, 200, 110));
  PaintClouds(p, rng, QRectF(0, 30, kW, 60), 3, 20.0, QColor(255, 255, 255), QColor(210, 220, 232));
  PaintRidge(p, rng, 0, kW, 210, 120, 300, QColor(150, 164, 190), QColor(118, 138, 150), 0.45);
  PaintRidge(p, rng, 0, kW, 252, 50, 310, QColor(72, 112, 82), QColor(58, 94, 64));
  PaintTreeLine(p, rng, -10, kW + 10, 300, 40, 72, TreeKind::Conifer, QColor(18, 52, 32), QColor(56, 102, 60),
                11);
  PaintGrass(p, rng, QRectF(0, 296, kW, 22), QColor(88, 130, 62), QColor(100, 140, 70));
  PaintCrowd(p, rng, 0, kW, 314, 8);
  StoneWall(p, rng, 316, 16);
  PaintTrack(p, QRectF(0, kTrackTop, kW, kTrackBottom - kTrackTop), QColor(100, 100, 104));
  PaintSpeedLines(p, rng, QRectF(0, 360, 260, 60), 12, QColor(230, 230, 230, 80));
  PaintSingleSeater(p, Car(QColor(232, 192, 30), 11, QColor(20, 20, 20), false, true), Pose({150, kFarLane}, 185));
  PaintSingleSeater(p, Car(QColor(32, 62, 162), 4, QColor(245, 245, 245), true), Pose({390, kNearLane}, 250));
  PaintKerb(p, 0, kW, kTrackBottom, 8, QColor(240, 240, 235), QColor(200, 35, 30), 20);
  PaintGrass(p, rng, QRectF(0, kTrackBottom + 8, kW, kH - kTrackBottom - 8), QColor(64, 112, 44),
             QColor(96, 142, 66));
  Fence(p, 468, 40, QColor(120, 84, 52));
}

void Harbour(QPainter& p) {
  Rng rng(165);
  PaintGradient(p, QRectF(0, 0, kW, 220), {{0.0, QColor(86, 158, 222)}, {1.0, QColor(218, 232, 240)}});
  PaintClouds(p, rng, QRectF(0, 20, kW, 50), 3, 18.0, QColor(255, 255, 255), QColor(220, 228, 236));
  PaintGradient(p, QRectF(0, 200, kW, 92), {{0.0, QColor(52, 120, 170)}, {1.0, QColor(72, 150, 182)}});
  // Light on the water.
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 90; ++k) {
    p.setBrush(QColor(255, 255, 255, static_cast<int>(rng.Between(40, 120))));
    p.drawRect(QRectF(rng.Between(0, kW), rng.Between(204, 288), rng.Between(4, 14), 1.0));
  }
  // The town climbing the hill on the left, the headland on the right.
  PaintRidge(p, rng, -420, 400, 140, 60, 290, QColor(150, 150, 112), QColor(128, 138, 98), 0.0, true);
  PaintRidge(p, rng, 440, kW + 300, 200, 50, 290, QColor(120, 140, 96), QColor(104, 124, 82), 0.0, true);
  static const QColor kWalls[] = {QColor(240, 220, 180), QColor(236, 196, 160), QColor(246, 238, 220),
                                  QColor(220, 180, 150), QColor(250, 230, 200)};
  for (int row = 0; row < 5; ++row) {
    for (double x = -10 + row * 7; x < 140 + row * 48; x += rng.Between(22, 34)) {
      const double y = 150 + row * 26 + rng.Between(-6, 6);
      const double w = rng.Between(18, 30);
      const double h = rng.Between(22, 34);
      p.setPen(Qt::NoPen);
      p.setBrush(kWalls[static_cast<int>(rng.Next() * 5) % 5]);
      p.drawRect(QRectF(x, y, w, h));
      p.setBrush(QColor(186, 92, 60));
      QPolygonF roof;
      roof << QPointF(x - 2, y) << QPointF(x + w / 2, y - 8) << QPointF(x + w + 2, y);
      p.drawPolygon(roof);
      p.setBrush(QColor(70, 90, 110));
      for (double wx = x + 4; wx + 4 < x + w; wx += 8) p.drawRect(QRectF(wx, y + 6, 3.5, 5));
    }
  }
  // Boats in the harbour.
  for (const QPointF at : {QPointF(380, 248), QPointF(452, 266), QPointF(560, 242), QPointF(640, 270)}) {
    p.setBrush(QColor(246, 246, 240));
    QPolygonF hull;
    hull << at + QPointF(-16, 0) << at + QPointF(16, 0) << at + QPointF(11, 6) << at + QPointF(-12, 6);
    p.drawPolygon(hull);
    QPolygonF sail;
    sail << at + QPointF(-1, -2) << at + QPointF(-1, -34) << at + QPointF(13, -2);
    p.setBrush(QColor(252, 250, 244));
    p.drawPolygon(sail);
    p.setPen(QPen(QColor(80, 70, 60), 1.0));
    p.drawLine(at + QPointF(-1, 0), at + QPointF(-1, -36));
    p.setPen(Qt::NoPen);
  }
  PaintGradient(p, QRectF(0, 288, kW, kTrackTop - 288), {{0.0, QColor(214, 204, 182)}, {1.0, QColor(180, 170, 150)}});
  for (const double x : {50.0, 290.0, 520.0, 650.0}) {
    PaintTree(p, QPointF(x, 312), 84, TreeKind::Palm, QColor(40, 90, 40), QColor(90, 140, 60));
  }
  PaintGuardRail(p, 0, kW, 318, 9);
  PaintTrack(p, QRectF(0, kTrackTop, kW, kTrackBottom - kTrackTop), QColor(112, 110, 106));
  PaintSpeedLines(p, rng, QRectF(0, 360, 250, 60), 12, QColor(235, 235, 235, 80));
  PaintSingleSeater(p, Car(QColor(190, 32, 26), 16), Pose({140, kFarLane}, 185));
  PaintSingleSeater(p, Car(QColor(242, 242, 236), 2, QColor(34, 64, 166), false, true), Pose({385, kNearLane}, 250));
  PaintKerb(p, 0, kW, kTrackBottom, 8, QColor(236, 236, 230), QColor(70, 70, 74), 22);
  PaintGradient(p, QRectF(0, kTrackBottom + 8, kW, kH - kTrackBottom - 8),
                {{0.0, QColor(196, 192, 182)}, {1.0, QColor(168, 164, 154)}});
  p.setPen(QPen(QColor(150, 146, 138), 1.0));
  for (double y = kTrackBottom + 20; y < kH; y += 16) p.drawLine(QPointF(0, y), QPointF(kW, y));
  p.setPen(Qt::NoPen);
  for (double x = 20; x < kW; x += 70) {
    p.setBrush(QColor(60, 60, 64));
    p.drawRoundedRect(QRectF(x, 470, 8, 26), 3, 3);
  }
}

void Sunset(QPainter& p) {
  Rng rng(169);
  PaintGradient(p, QRectF(0, 0, kW, 275), {{0.0, QColor(44, 30, 82)}, {0.45, QColor(170, 70, 84)},
                                           {0.8, QColor(246, 156, 76)}, {1.0, QColor(255, 206, 120)}});
  PaintSun(p, QPointF(300, 236), 26, QColor(255, 234, 170), QColor(255, 160, 80, 140));
  PaintClouds(p, rng, QRectF(0, 60, kW, 90), 5, 30.0, QColor(250, 150, 120, 170), QColor(120, 60, 90, 120));
  PaintRidge(p, rng, 0, kW, 262, 22, 305, QColor(120, 62, 82), QColor(88, 50, 70));
  PaintGradient(p, QRectF(0, 300, kW, kTrackTop - 300), {{0.0, QColor(70, 60, 44)}, {1.0, QColor(52, 50, 36)}});
  PaintTreeLine(p, rng, -10, kW + 10, 306, 40, 86, TreeKind::Broadleaf, QColor(34, 20, 36), QColor(72, 40, 56),
                26);
  PaintGrandstand(p, rng, QRectF(440, 214, 250, 92), QColor(52, 30, 46), QColor(74, 48, 62), 0.7);
  PaintHayBales(p, 0, kW, 332, 26, 0.45);
  PaintTrack(p, QRectF(0, kTrackTop, kW, kTrackBottom - kTrackTop), QColor(96, 82, 92));
  // The low sun on the tarmac.
  QRadialGradient shine(QPointF(300, 360), 260);
  shine.setColorAt(0.0, QColor(255, 170, 90, 90));
  shine.setColorAt(1.0, QColor(255, 170, 90, 0));
  p.fillRect(QRectF(0, kTrackTop, kW, kTrackBottom - kTrackTop), shine);
  PaintSpeedLines(p, rng, QRectF(0, 360, 260, 60), 14, QColor(255, 190, 130, 90));
  PaintSingleSeater(p, Car(QColor(26, 48, 116), 20, QColor(240, 240, 240), false, true),
                    Pose({150, kFarLane}, 190, 0.4, true));
  PaintSingleSeater(p, Car(QColor(204, 32, 30), 1, QColor(245, 245, 240), true),
                    Pose({385, kNearLane}, 255, 0.3, true));
  PaintKerb(p, 0, kW, kTrackBottom, 8, QColor(170, 62, 52), QColor(222, 192, 172), 16);
  PaintGrass(p, rng, QRectF(0, kTrackBottom + 8, kW, kH - kTrackBottom - 8), QColor(40, 48, 34),
             QColor(74, 70, 44));
}

void Rain(QPainter& p) {
  Rng rng(166);
  PaintGradient(p, QRectF(0, 0, kW, 280), {{0.0, QColor(104, 112, 120)}, {1.0, QColor(170, 174, 176)}});
  PaintClouds(p, rng, QRectF(0, 0, kW, 110), 10, 40.0, QColor(176, 180, 184), QColor(118, 124, 130));
  PaintRidge(p, rng, 0, kW, 240, 34, 300, QColor(92, 106, 102), QColor(72, 86, 76));
  PaintTreeLine(p, rng, -10, kW + 10, 304, 50, 92, TreeKind::Broadleaf, QColor(24, 48, 30), QColor(58, 88, 54),
                22);
  PaintTreeLine(p, rng, 5, kW + 10, 306, 60, 96, TreeKind::Conifer, QColor(16, 40, 26), QColor(44, 74, 46), 38);
  PaintGrass(p, rng, QRectF(0, 300, kW, 32), QColor(52, 84, 44), QColor(62, 94, 52));
  PaintCrowd(p, rng, 0, kW, 318, 8, 0.3);
  PaintHayBales(p, 0, kW, 334, 26, 0.2);
  PaintTrack(p, QRectF(0, kTrackTop, kW, kTrackBottom - kTrackTop), QColor(78, 80, 84), true);
  CarOnWetTrack(p, Car(QColor(182, 186, 192), 14), Pose({150, kFarLane}, 185, 0.1));
  CarOnWetTrack(p, Car(QColor(16, 76, 46), 8, QColor(232, 200, 40), true), Pose({385, kNearLane}, 255));
  PaintKerb(p, 0, kW, kTrackBottom, 8, QColor(180, 170, 160), QColor(70, 72, 74), 18);
  PaintGrass(p, rng, QRectF(0, kTrackBottom + 8, kW, kH - kTrackBottom - 8), QColor(44, 78, 40),
             QColor(68, 100, 58));
  // Rain.
  for (int k = 0; k < 420; ++k) {
    const QPointF a(rng.Between(-40, kW), rng.Between(-20, kH));
    p.setPen(QPen(QColor(220, 226, 232, static_cast<int>(rng.Between(30, 70))), 0.8));
    p.drawLine(a, a + QPointF(5, 16));
  }
}

void Night(QPainter& p) {
  Rng rng(1000);
  PaintGradient(p, QRectF(0, 0, kW, 290), {{0.0, QColor(6, 9, 26)}, {0.7, QColor(26, 36, 76)},
                                           {1.0, QColor(62, 62, 92)}});
  p.setPen(Qt::NoPen);
  for (int k = 0; k < 160; ++k) {
    p.setBrush(QColor(255, 255, 240, static_cast<int>(rng.Between(60, 230))));
    const double r = rng.Between(0.4, 1.2);
    p.drawEllipse(QPointF(rng.Between(0, kW), rng.Between(0, 200)), r, r);
  }
  PaintSun(p, QPointF(560, 70), 15, QColor(236, 236, 220), QColor(170, 180, 220, 80));
  PaintRidge(p, rng, 0, kW, 252, 26, 320, QColor(22, 28, 48), QColor(16, 20, 36));
  PaintTreeLine(p, rng, -10, kW + 10, 296, 36, 70, TreeKind::Conifer, QColor(8, 14, 18), QColor(18, 28, 34), 12);
  PaintGrandstand(p, rng, QRectF(0, 204, 270, 92), QColor(40, 40, 52), QColor(80, 80, 92), 0.6);
  PaintPits(p, QRectF(330, 240, 365, 76), QColor(92, 92, 104), QColor(36, 36, 46), 7, true);
  // Floodlight towers and their light.
  for (const double x : {300.0, 672.0}) {
    QPolygonF cone;
    cone << QPointF(x - 4, 118) << QPointF(x + 4, 118) << QPointF(x + 120, kTrackBottom) << QPointF(x - 120, kTrackBottom);
    QLinearGradient g(QPointF(0, 118), QPointF(0, kTrackBottom));
    g.setColorAt(0.0, QColor(255, 250, 225, 70));
    g.setColorAt(1.0, QColor(255, 250, 225, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPolygon(cone);
    p.setBrush(QColor(60, 62, 70));
    p.drawRect(QRectF(x - 2, 118, 4, 214));
    p.setBrush(QColor(255, 252, 230));
    for (int k = 0; k < 4; ++k) p.drawEllipse(QPointF(x - 9 + 6 * k, 114), 3, 3);
  }
  PaintGradient(p, QRectF(0, 316, kW, 16), {{0.0, QColor(120, 120, 124)}, {1.0, QColor(70, 70, 76)}});
  PaintTrack(p, QRectF(0, kTrackTop, kW, kTrackBottom - kTrackTop), QColor(44, 46, 56));
  PaintSpeedLines(p, rng, QRectF(0, 360, 240, 60), 12, QColor(255, 120, 100, 90));
  PaintCoupe(p, Car(QColor(172, 28, 26), 27), Pose({120, kFarLane}, 200, 0.45, false, true));
  PaintCoupe(p, Car(QColor(32, 64, 156), 3, QColor(240, 240, 240), false, true),
             Pose({380, kNearLane}, 265, 0.4, false, true));
  PaintKerb(p, 0, kW, kTrackBottom, 8, QColor(120, 40, 40), QColor(150, 150, 154), 16);
  PaintGrass(p, rng, QRectF(0, kTrackBottom + 8, kW, kH - kTrackBottom - 8), QColor(14, 28, 18),
             QColor(24, 40, 28));
}

void PitGarage(QPainter& p, Rng& rng) {
  // 800 x 600: a red car in front of its pit garage.
  PaintGradient(p, QRectF(0, 0, 800, 150), {{0.0, QColor(110, 164, 220)}, {1.0, QColor(206, 222, 236)}});
  PaintClouds(p, rng, QRectF(0, 10, 800, 70), 4, 30.0, QColor(255, 255, 255), QColor(206, 216, 228));
  PaintGradient(p, QRectF(0, 130, 800, 300), {{0.0, QColor(226, 220, 204)}, {1.0, QColor(200, 194, 178)}});
  p.fillRect(QRectF(0, 112, 800, 26), QColor(58, 68, 80));
  p.fillRect(QRectF(0, 136, 800, 6), QColor(30, 34, 40));
  // The open garage with tyres, fuel drums and a tool board.
  const QRectF door(50, 196, 400, 234);
  PaintGradient(p, door, {{0.0, QColor(26, 26, 28)}, {1.0, QColor(66, 62, 56)}});
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(92, 74, 52));
  p.drawRect(QRectF(300, 220, 120, 80));
  p.setPen(QPen(QColor(190, 190, 196), 3, Qt::SolidLine, Qt::RoundCap));
  for (int k = 0; k < 6; ++k) p.drawLine(QPointF(314 + 18 * k, 232), QPointF(314 + 18 * k, 262 + 8 * (k % 3)));
  p.setPen(Qt::NoPen);
  for (int stack = 0; stack < 2; ++stack) {
    for (int t = 0; t < 5; ++t) {
      p.setBrush(t % 2 ? QColor(24, 24, 24) : QColor(34, 34, 34));
      p.drawEllipse(QRectF(70 + 80 * stack, 400 - 26 * t, 70, 28));
    }
  }
  for (int k = 0; k < 3; ++k) {
    QLinearGradient drum(QPointF(236 + 34 * k, 0), QPointF(266 + 34 * k, 0));
    const QColor c = k == 1 ? QColor(40, 70, 150) : QColor(190, 40, 32);
    drum.setColorAt(0.0, c.darker(130));
    drum.setColorAt(0.4, c.lighter(120));
    drum.setColorAt(1.0, c.darker(150));
    p.setBrush(drum);
    p.drawRect(QRectF(236 + 34 * k, 360, 30, 66));
  }
  // The neighbouring garage, shut.
  const QRectF shutter(490, 196, 280, 234);
  PaintGradient(p, shutter, {{0.0, QColor(164, 168, 172)}, {1.0, QColor(130, 134, 138)}});
  p.setPen(QPen(QColor(110, 114, 118), 1.5));
  for (double y = shutter.top() + 8; y < shutter.bottom(); y += 10) {
    p.drawLine(QPointF(shutter.left(), y), QPointF(shutter.right(), y));
  }
  p.setPen(Qt::NoPen);
  PaintGradient(p, QRectF(0, 430, 800, 170), {{0.0, QColor(150, 148, 142)}, {1.0, QColor(186, 184, 176)}});
  p.fillRect(QRectF(0, 574, 800, 5), QColor(240, 240, 232));
  Livery red = Car(QColor(184, 22, 22), 12);
  red.helmet = QColor(236, 236, 232);
  red.helmetStripe = QColor(30, 60, 150);
  CarPose pose;
  pose.ground = QPointF(410, 548);
  pose.length = 640;
  PaintSingleSeater(p, red, pose);
}

void OnTheCircuit(QPainter& p, QSize pixels) {
  // 800 x 600 design units over `pixels`: the background smeared by the pan, the car sharp.
  const double scale = pixels.width() / 800.0;
  QImage backdrop(pixels, QImage::Format_RGB32);
  {
    QPainter b(&backdrop);
    b.setRenderHint(QPainter::Antialiasing);
    b.scale(scale, scale);
    Rng rng(102);
    PaintGradient(b, QRectF(0, 0, 800, 320), {{0.0, QColor(70, 132, 204)}, {1.0, QColor(200, 220, 234)}});
    PaintClouds(b, rng, QRectF(0, 20, 800, 110), 6, 34.0, QColor(255, 255, 255), QColor(200, 212, 226));
    PaintRidge(b, rng, 0, 800, 250, 50, 330, QColor(120, 150, 120), QColor(100, 130, 90));
    PaintTreeLine(b, rng, -10, 810, 330, 60, 110, TreeKind::Broadleaf, QColor(30, 70, 36), QColor(84, 130, 66), 34);
    PaintGrandstand(b, rng, QRectF(420, 230, 380, 110), QColor(40, 60, 120), QColor(230, 230, 226));
    PaintGrass(b, rng, QRectF(0, 330, 800, 60), QColor(80, 126, 56), QColor(96, 140, 66));
    PaintHayBales(b, 0, 800, 392, 40);
    PaintTrack(b, QRectF(0, 392, 800, 168), QColor(96, 96, 100));
    PaintKerb(b, 0, 800, 560, 12, QColor(200, 35, 30), QColor(240, 240, 235), 24);
    PaintGrass(b, rng, QRectF(0, 572, 800, 28), QColor(70, 116, 48), QColor(90, 134, 60));
  }
  p.drawImage(QPointF(0, 0), HorizontalBlur(backdrop, static_cast<int>(std::lround(9 * scale))));
  p.scale(scale, scale);
  Rng rng(1020);
  PaintSpeedLines(p, rng, QRectF(0, 420, 200, 120), 18, QColor(235, 235, 235, 110));
  Livery green = Car(QColor(20, 82, 46), 5, QColor(238, 204, 42), true);
  green.helmet = QColor(240, 200, 40);
  green.helmetStripe = QColor(20, 20, 20);
  CarPose pose;
  pose.ground = QPointF(420, 530);
  pose.length = 660;
  pose.moving = true;
  PaintSingleSeater(p, green, pose);
}

}  // namespace

QImage PaintBuiltInPicture(int id) {
  if (id != 101 && id != 102) throw std::invalid_argument("no built-in picture " + std::to_string(id));
  const QSize size = id == 101 ? QSize(800, 600) : QSize(1600, 1200);
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (id == 101) {
    Rng rng(1010);
    p.scale(size.width() / 800.0, size.height() / 600.0);
    PitGarage(p, rng);
  } else {
    OnTheCircuit(p, size);
  }
  return image;
}

QImage PaintBackground(int gameVersion, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size.width() / kW, size.height() / kH);
  switch (gameVersion) {
    case 0: Papy(p); break;
    case 1: Mountain(p); break;
    case 2: Harbour(p); break;
    case 3: Sunset(p); break;
    case 4: Rain(p); break;
    case 5: Night(p); break;
    default: throw std::invalid_argument("no background for game version " + std::to_string(gameVersion));
  }
  return image;
}

}  // namespace revalorn::artwork
