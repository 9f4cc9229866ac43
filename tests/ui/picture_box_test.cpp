#include "ui/picture_box.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/temp_dir.h"

namespace revalorn::ui {
namespace {

// A picture in three bands: red top, green middle, blue bottom.
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

TEST(FitPicture, CoversTheBoxAndCutsTheOverflowEquallyOnBothSides) {
  // 1600 × 1200 into 800 × 500: halved to 800 × 600, rows 50 to 549 shown. The bands
  // of 100 rows become 50 rows and are cut off exactly.
  const QImage shown = FitPicture(Bands(1600, 1200, 100), QSize(800, 500));
  ASSERT_EQ(shown.size(), QSize(800, 500));
  EXPECT_TRUE(Near(shown.pixelColor(400, 1), Qt::green));
  EXPECT_TRUE(Near(shown.pixelColor(400, 498), Qt::green));
  // With bands of 120 rows, 10 scaled rows of each remain at the edges.
  const QImage edges = FitPicture(Bands(1600, 1200, 120), QSize(800, 500));
  EXPECT_TRUE(Near(edges.pixelColor(400, 3), Qt::red));
  EXPECT_TRUE(Near(edges.pixelColor(400, 496), Qt::blue));
}

TEST(FitPicture, ScalesWithSmoothFiltering) {
  // A one-pixel checkerboard halved: smooth scaling averages it to grey, where a plain
  // pixel pick would give black or white.
  QImage board(200, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  }
  const QImage shown = FitPicture(board, QSize(100, 100));
  EXPECT_TRUE(Near(shown.pixelColor(50, 50), QColor(128, 128, 128), 30)) << shown.pixelColor(50, 50).name().toStdString();
}

TEST(FitPicture, EmptyPicturesOrBoxesShowNothing) {
  EXPECT_TRUE(FitPicture(QImage(), QSize(10, 10)).isNull());
  EXPECT_TRUE(FitPicture(Bands(10, 10, 2), QSize(0, 10)).isNull());
}

TEST(LoadPicture, FilesByContentAndTheTwoBuiltInPictures) {
  testing::TempDir dir;
  const std::string jpeg = dir.Sub("GEMPic.jpg");
  ASSERT_TRUE(Bands(64, 48, 8).save(QString::fromStdString(jpeg), "JPEG"));
  EXPECT_EQ(LoadPicture(PictureSource::File(jpeg)).size(), QSize(64, 48));
  // A picture whose name does not say what it is is read by its content.
  const std::string misnamed = dir.Sub("picture.tmp");
  ASSERT_TRUE(Bands(30, 20, 4).save(QString::fromStdString(misnamed), "JPEG"));
  EXPECT_EQ(LoadPicture(PictureSource::File(misnamed)).size(), QSize(30, 20));

  testing::WriteTextFile(dir.path() / "broken.jpg", "not a picture");
  EXPECT_TRUE(LoadPicture(PictureSource::File(dir.Sub("broken.jpg"))).isNull());
  EXPECT_TRUE(LoadPicture(PictureSource::File(dir.Sub("missing.jpg"))).isNull());

  EXPECT_EQ(LoadPicture(PictureSource::BuiltIn(101)).size(), QSize(800, 600));
  EXPECT_EQ(LoadPicture(PictureSource::BuiltIn(102)).size(), QSize(1600, 1200));
  EXPECT_TRUE(LoadPicture(PictureSource::BuiltIn(103)).isNull());
  EXPECT_TRUE(LoadPicture(PictureSource{}).isNull());
}

TEST(PictureBox, PaintsTheFittedPictureAndRefitsWhenResized) {
  PictureBox box;
  box.resize(80, 50);
  box.SetImage(Bands(160, 120, 10));
  QImage painted(box.size(), QImage::Format_RGB32);
  painted.fill(Qt::black);
  box.render(&painted);
  EXPECT_TRUE(Near(painted.pixelColor(40, 25), Qt::green));
  EXPECT_EQ(painted.pixelColor(40, 25), box.Shown().pixelColor(40, 25));

  box.resize(40, 100);  // now the height decides: 160 × 120 scaled to 133 × 100
  EXPECT_EQ(box.Shown().size(), QSize(40, 100));
  EXPECT_TRUE(Near(box.Shown().pixelColor(20, 2), Qt::red));

  box.Clear();
  EXPECT_TRUE(box.Shown().isNull());
}

}  // namespace
}  // namespace revalorn::ui
