// The program's pictures, tachometer dials and other resources as the program sees
// them: through the Qt resource system, and the background pictures staged beside
// the program.
#include <QByteArray>
#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <set>
#include <string>

#include "catalogue/catalogue.h"

namespace revalorn {
namespace {

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "revalorn_resources_tests";
  static char* argv[] = {name, nullptr};
  if (QGuiApplication::instance() == nullptr) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
  }
}

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

TEST(Resources, TheHelpTextAndStartupSoundAndTheBuiltInPicturesAreThere) {
  EnsureApplication();
  EXPECT_FALSE(ReadResource(":/revalorn/startup.wav").isEmpty());
  // The help text reaches the program byte for byte (its CRLF line breaks included).
  std::ifstream in(REVALORN_RESOURCES_DIR "/help.txt", std::ios::binary);
  const std::string onDisk{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(ReadResource(":/revalorn/help.txt").toStdString(), onDisk);
  for (const auto& [path, size] : {std::pair{":/revalorn/pictures/101.jpg", QSize(800, 600)},
                                   std::pair{":/revalorn/pictures/102.jpg", QSize(1600, 1200)}}) {
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "jpeg") << path;
    EXPECT_EQ(reader.read().size(), size) << path;
  }
}

// The geometry the program draws the needle with, restated from the design of the two
// dials: the image's edges in dial units (hub at the origin, y up), the needle length,
// and the compass angle (0 up, clockwise) of each thousand rpm.
struct Dial {
  int dialId;
  double left, right, top, bottom;
  double needleLength;
  int firstThousand, lastThousand;
  double firstAngle;
  double degreesPerThousand;
};
const Dial kDials[] = {
    {104, -123, 123, 125, -131, 85.0, 0, 12, 103.0, 308.0 / 12.0},
    {102, -125, 131, 123, -133, 82.0, 4, 14, 158.0, 403.0 / 14.0},
};

bool IsBrightMark(QRgb c) { return qRed(c) >= 170 && qGreen(c) >= 170 && qBlue(c) >= 170; }

// Whether a bright mark crosses the ray from the hub at the compass angle, between the
// needle's tip and 10 dial units beyond it.
bool MarkOnRay(const QImage& dial, const Dial& d, double degrees) {
  const double a = degrees * std::numbers::pi / 180.0;
  for (double r = d.needleLength; r <= d.needleLength + 10.0; r += 0.25) {
    const double ux = r * std::sin(a);
    const double uy = r * std::cos(a);
    const int px = static_cast<int>(std::floor((ux - d.left) / (d.right - d.left) * 256.0));
    const int py = static_cast<int>(std::floor((d.top - uy) / (d.top - d.bottom) * 256.0));
    if (px >= 0 && px < 256 && py >= 0 && py < 256 && IsBrightMark(dial.pixel(px, py))) return true;
  }
  return false;
}

TEST(TachometerBitmaps, EveryThousandIsMarkedWhereTheNeedlePointsAtIt) {
  EnsureApplication();
  for (const Dial& d : kDials) {
    const QImage dial = QImage(QString(":/revalorn/tach/%1.bmp").arg(d.dialId)).convertToFormat(QImage::Format_RGB32);
    for (int k = d.firstThousand; k <= d.lastThousand; ++k) {
      const double angle = d.firstAngle + (k - d.firstThousand) * d.degreesPerThousand;
      EXPECT_TRUE(MarkOnRay(dial, d, angle)) << d.dialId << ": " << k << "000 rpm at " << angle;
      // A quarter of the way to the next thousand there is no mark.
      EXPECT_FALSE(MarkOnRay(dial, d, angle + d.degreesPerThousand / 4.0)) << d.dialId << ": after " << k;
    }
    // Nothing is marked in the gap at the bottom of the scale.
    EXPECT_FALSE(MarkOnRay(dial, d, d.firstAngle - d.degreesPerThousand * 0.75)) << d.dialId;
  }
}

TEST(BackgroundPictures, SixDistinctScenesAreStagedInTheWorkingFolderBesideTheProgram) {
  EnsureApplication();
  Catalogue catalogue;
  BuildCatalogue(catalogue);
  std::set<QByteArray> digests;
  for (int v = 0; v <= 5; ++v) {
    const QString path = QString(REVALORN_TEST_PROGRAM_DIR "/Working Folder/") +
                         QString::fromStdString(catalogue.BackgroundPicture(v));
    QImageReader reader(path);
    EXPECT_EQ(reader.format(), "jpeg") << path.toStdString();
    const QSize size = reader.size();
    // At least the design size of the window's picture box, in its proportions.
    EXPECT_GE(size.width(), 695) << path.toStdString();
    EXPECT_GE(size.height(), 519) << path.toStdString();
    EXPECT_NEAR(static_cast<double>(size.width()) / size.height(), 695.0 / 519.0, 0.01) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    digests.insert(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
  }
  EXPECT_EQ(digests.size(), 6u);
}

}  // namespace
}  // namespace revalorn
