#include "ui/picture_box.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/temp_dir.h"

namespace revalorn::ui {
namespace {

// Red top band, green middle, blue bottom band.
QImage Bands(int width, int height, int band) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::green);
  QPainter p(&image);
  p.fillRect(0, 0, width, band, Qt::red);
  p.fillRect(0, height - band, width, band, Qt::blue);
  return image;
}

bool Near(QColor a, QColor b, int tolerance = 40) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

TEST(FitPicture, CoversTheBoxCroppingBothSidesEquallyWithSmoothScaling) {
  // 1600 × 1200 into 800 × 500: halved to 800 × 600 and rows 50 to 549 shown, so of
  // bands of 120 rows (60 when halved) 10 rows remain at each edge.
  const QImage shown = FitPicture(Bands(1600, 1200, 120), QSize(800, 500));
  ASSERT_EQ(shown.size(), QSize(800, 500));
  EXPECT_TRUE(Near(shown.pixelColor(400, 3), Qt::red));
  EXPECT_TRUE(Near(shown.pixelColor(400, 15), Qt::green));
  EXPECT_TRUE(Near(shown.pixelColor(400, 496), Qt::blue));
  // A one-pixel checkerboard halved averages to grey; picking pixels would not.
  QImage board(200, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  }
  EXPECT_TRUE(Near(FitPicture(board, QSize(100, 100)).pixelColor(50, 50), QColor(128, 128, 128), 30));
}

TEST(LoadPicture, FilesByTheirContentAndTheTwoBuiltInPictures) {
  testing::TempDir dir;
  ASSERT_TRUE(Bands(30, 20, 4).save(QString::fromStdString(dir.Sub("picture.tmp")), "JPEG"));
  EXPECT_EQ(LoadPicture(PictureSource::File(dir.Sub("picture.tmp"))).size(), QSize(30, 20));
  testing::WriteTextFile(dir.path() / "broken.jpg", "not a picture");
  EXPECT_TRUE(LoadPicture(PictureSource::File(dir.Sub("broken.jpg"))).isNull());
  EXPECT_TRUE(LoadPicture(PictureSource::File(dir.Sub("missing.jpg"))).isNull());
  EXPECT_EQ(LoadPicture(PictureSource::BuiltIn(101)).size(), QSize(800, 600));
  EXPECT_EQ(LoadPicture(PictureSource::BuiltIn(102)).size(), QSize(1600, 1200));
  EXPECT_TRUE(LoadPicture(PictureSource::BuiltIn(103)).isNull());
}

TEST(PictureBox, PaintsTheFittedPicture) {
  PictureBox box;
  box.resize(40, 100);  // the height decides: 160 × 120 becomes 133 × 100
  box.SetImage(Bands(160, 120, 12));
  QImage painted(box.size(), QImage::Format_RGB32);
  box.render(&painted);
  EXPECT_TRUE(Near(painted.pixelColor(20, 2), Qt::red));
  EXPECT_TRUE(Near(painted.pixelColor(20, 50), Qt::green));
}

}  // namespace
}  // namespace revalorn::ui
