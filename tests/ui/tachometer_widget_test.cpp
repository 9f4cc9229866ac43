#include "ui/tachometer_widget.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

#include "playback/tachometer.h"
#include "resources/resource_paths.h"
#include "tests/support/test_context.h"
#include "ui/picture_box.h"

namespace revalorn::ui {
namespace {

// Every pixel of the background tells where it is.
QRgb BackgroundPixel(int x, int y) { return qRgb(x % 256, y % 256, 77); }

QImage PositionCoded(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  for (int y = 0; y < size.height(); ++y) {
    for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, BackgroundPixel(x, y));
  }
  return image;
}

class TachometerWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTachometers(t.ctx);
    background.resize(500, 500);
    background.SetImage(PositionCoded(background.size()));
    tach = new TachometerWidget(t.controls(), t.values(), BackgroundOf(background), &background);
    tach->setGeometry(kAt.x(), kAt.y(), 256, 256);
  }
  // A play's drawing steps, with the window told of each change.
  void ShowFace(std::int16_t version) {
    t.values().CurrentGameVersion = version;
    DrawTachFace(t.ctx);
    tach->Refresh();
  }
  void ShowNeedle(int step) {
    t.controls().SetTachNeedle(step);
    tach->Refresh();
  }
  QImage Rendered() {
    QImage image(tach->size(), QImage::Format_RGB32);
    tach->render(&image);
    return image;
  }
  // The pixel at a point of the dial's coordinates.
  static QRgb PixelAt(const QImage& image, const TachFace& face, double x, double y) {
    const double px = (x - face.scaleLeft) * image.width() / (face.scaleRight - face.scaleLeft);
    const double py = (y - face.scaleTop) * image.height() / (face.scaleBottom - face.scaleTop);
    return image.pixel(static_cast<int>(std::floor(px)), static_cast<int>(std::floor(py)));
  }
  // True when the needle of step `step` is drawn red from just outside the hub to near its tip.
  bool NeedleShownAt(const QImage& image, std::int16_t version, int step) {
    const TachFace& face = t.values().TachFace[static_cast<std::size_t>(version)];
    const NeedleEnds& e = t.values().NeedleTable[static_cast<std::size_t>(version)][static_cast<std::size_t>(step)];
    for (double along : {0.4, 0.6, 0.8, 0.95}) {
      if (PixelAt(image, face, e.tipX * along, e.tipY * along) != qRgb(255, 0, 0)) return false;
    }
    return true;
  }

  static constexpr QPoint kAt{60, 90};
  testing::TestContext t;
  PictureBox background;
  TachometerWidget* tach = nullptr;
};

TEST_F(TachometerWidgetTest, DialOverTheBackgroundWithTheNeedleWhereTheTableSays) {
  ShowFace(kVersionOriginal1967);
  ShowNeedle(0);
  QImage image = Rendered();
  const TachFace& face = t.values().TachFace[kVersionOriginal1967];
  // Outside the disc: the background that lies under the tachometer.
  for (QPoint p : {QPoint(1, 1), QPoint(254, 2), QPoint(3, 253), QPoint(250, 250)}) {
    EXPECT_EQ(image.pixel(p), BackgroundPixel(kAt.x() + p.x(), kAt.y() + p.y())) << p.x() << "," << p.y();
  }
  // Inside: the dial as it is, away from the needle.
  const QImage dial = QImage(resources::TachBitmapPath(face.dialBitmapId)).convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(image.pixel(128, 60), dial.pixel(128, 60));
  EXPECT_EQ(image.pixel(70, 128), dial.pixel(70, 128));
  // The hub: filled light grey at the origin.
  EXPECT_EQ(PixelAt(image, face, 0, 0), qRgb(192, 192, 192));

  EXPECT_TRUE(NeedleShownAt(image, kVersionOriginal1967, 0));
  for (int step : {244, 300}) {
    ShowNeedle(step);
    image = Rendered();
    EXPECT_TRUE(NeedleShownAt(image, kVersionOriginal1967, step)) << step;
    EXPECT_FALSE(NeedleShownAt(image, kVersionOriginal1967, 0)) << "the previous needle is gone";
  }
}

TEST_F(TachometerWidgetTest, FourteenThousandDesignAndAScaledWindow) {
  tach->resize(192, 192);  // a smaller screen: the dial and its coordinates follow
  ShowFace(kVersionMod1965);
  ShowNeedle(15);  // idle rests at 158 degrees
  QImage image = Rendered();
  ASSERT_EQ(image.size(), QSize(192, 192));
  EXPECT_EQ(image.pixel(1, 1), BackgroundPixel(kAt.x() + 1, kAt.y() + 1));
  EXPECT_TRUE(NeedleShownAt(image, kVersionMod1965, 15));

  // The next play of another version composes its own dial over the new background.
  background.SetImage(QImage());
  ShowFace(kVersionGT);
  ShowNeedle(0);
  image = Rendered();
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0)) << "no background picture: black around the dial";
  EXPECT_TRUE(NeedleShownAt(image, kVersionGT, 0));
}

}  // namespace
}  // namespace revalorn::ui
