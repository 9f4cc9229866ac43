// revalorn-demo-car-pictures OUTDIR: paints the car pictures of the demo game folder
// into OUTDIR/<set>_<team>.jpg (regenerate-artwork runs it into tools/demo_game/pictures,
// where revalorn-demo-game picks them up). Each is a 400 x 300 JPEG of one car in the
// paddock, drawn from code.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>

#include "tools/artwork/cars.h"
#include "tools/artwork/scene_kit.h"
#include "tools/demo_game/demo_cars.h"

namespace {

using namespace revalorn::artwork;

QColor Rgb(std::uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

QImage Paint(const revalorn::demo::DemoCar& car, unsigned seed) {
  // Design units of 800 x 600, painted at half size.
  QImage image(400, 300, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(0.5, 0.5);
  Rng rng(seed);
  PaintGradient(p, QRectF(0, 0, 800, 300), {{0.0, QColor(96, 150, 210)}, {1.0, QColor(210, 224, 236)}});
  PaintClouds(p, rng, QRectF(0, 20, 800, 120), 4, 40.0, QColor(255, 255, 255), QColor(206, 216, 228));
  PaintRidge(p, rng, 0, 800, 260, 50, 340, QColor(118, 146, 118), QColor(96, 126, 88));
  PaintTreeLine(p, rng, -10, 810, 340, 70, 120, TreeKind::Broadleaf, QColor(32, 72, 38), QColor(86, 132, 68), 40);
  PaintGrass(p, rng, QRectF(0, 340, 800, 60), QColor(80, 126, 56), QColor(96, 140, 66));
  PaintTrack(p, QRectF(0, 400, 800, 200), QColor(110, 110, 114));

  Livery livery;
  livery.body = Rgb(car.body);
  livery.accent = Rgb(car.accent);
  livery.noseBand = car.noseBand;
  livery.stripes = car.stripes;
  livery.number = car.number;
  CarPose pose;
  pose.ground = QPointF(400, 540);
  pose.length = 680;
  pose.highWings = car.highWings;
  if (car.coupe) {
    PaintCoupe(p, livery, pose);
  } else {
    PaintSingleSeater(p, livery, pose);
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: revalorn-demo-car-pictures OUTDIR\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  const QString out = QString::fromLocal8Bit(argv[1]);
  if (!QDir().mkpath(out)) {
    std::fprintf(stderr, "revalorn-demo-car-pictures: could not create %s\n", argv[1]);
    return 1;
  }
  unsigned seed = 500;
  for (const auto& car : revalorn::demo::DemoCars()) {
    QImage image = Paint(car, seed++);
    image.setDotsPerMeterX(3780);  // the same bytes on every machine
    image.setDotsPerMeterY(3780);
    const QString path = out + "/" + QString::fromStdString(revalorn::demo::PictureFileName(car));
    QImageWriter writer(path, "jpeg");
    writer.setQuality(80);
    if (!writer.write(image)) {
      std::fprintf(stderr, "revalorn-demo-car-pictures: could not write %s: %s\n", qPrintable(path),
                   qPrintable(writer.errorString()));
      return 1;
    }
  }
  return 0;
}
