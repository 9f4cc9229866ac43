// The painting code behind the artwork: the stroke lettering the dials and cars are
// numbered with, the sideways blur, and the background scenes.
#include <QGuiApplication>
#include <QImage>
#include <QPainterPath>
#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/artwork/scene_kit.h"
#include "tools/artwork/scenes.h"
#include "tools/artwork/stroke_glyphs.h"

namespace revalorn::artwork {
namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "revalorn_artwork_tests";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
  }
}

TEST(StrokeText, DrawsEveryNumeralAndLegendLetterAtTheAskedSizeAroundTheAskedPoint) {
  const QPointF centre(50.0, 40.0);
  for (const QString text : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "RPM", "X 1000", "14"}) {
    const QRectF box = StrokeText(text, centre, 20.0).boundingRect();
    ASSERT_FALSE(box.isEmpty()) << text.toStdString();
    EXPECT_NEAR(box.height(), 20.0, 2.5) << text.toStdString();
    EXPECT_NEAR(box.center().x(), centre.x(), 2.5) << text.toStdString();
    EXPECT_NEAR(box.center().y(), centre.y(), 1.5) << text.toStdString();
  }
  // Wider text for more characters; characters it cannot draw are left out.
  EXPECT_GT(StrokeText("1000", centre, 20.0).boundingRect().width(),
            StrokeText("10", centre, 20.0).boundingRect().width() * 1.8);
  EXPECT_TRUE(StrokeText("?", centre, 20.0).isEmpty());
}

TEST(HorizontalBlur, SpreadsAColumnOverTwiceTheRadiusPlusOneAndKeepsFlatAreas) {
  QImage image(21, 3, QImage::Format_RGB32);
  image.fill(QColor(40, 40, 40));
  for (int y = 0; y < 3; ++y) image.setPixelColor(10, y, QColor(40 + 7 * 30, 40, 40));
  const QImage blurred = HorizontalBlur(image, 3);
  for (int x = 0; x < 21; ++x) {
    const int expected = x >= 7 && x <= 13 ? 70 : 40;
    EXPECT_EQ(qRed(blurred.pixel(x, 1)), expected) << x;
    EXPECT_EQ(qGreen(blurred.pixel(x, 1)), 40) << x;
  }
}

TEST(Backgrounds, EverySceneCoversTheWholePicture) {
  EnsureApplication();
  // Pictures start black; a band that no piece of scenery covers stays black.
  for (int version = 0; version <= 5; ++version) {
    const QImage image = PaintBackground(version, kBackgroundDesignSize);
    ASSERT_EQ(image.size(), kBackgroundDesignSize);
    for (int y = 0; y < image.height(); ++y) {
      int black = 0;
      for (int x = 0; x < image.width(); ++x) black += (image.pixel(x, y) & 0xffffff) == 0;
      ASSERT_LT(black, image.width() / 50) << "version " << version << ", row " << y;
    }
  }
  EXPECT_THROW(PaintBackground(6), std::invalid_argument);
  EXPECT_THROW(PaintBuiltInPicture(103), std::invalid_argument);
}

}  // namespace
}  // namespace revalorn::artwork
