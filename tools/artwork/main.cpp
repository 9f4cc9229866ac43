// revalorn-artwork OUTDIR: paints the program's pictures and tachometer dials into
//   OUTDIR/pictures/101.jpg, 102.jpg         built-in pictures
//   OUTDIR/tach/101.bmp .. 104.bmp           tachometer masks and dials
//   OUTDIR/backgrounds/<name>                one background per game version, named
//                                            as the catalogue names them
// Everything is drawn from code; the same program always paints the same pixels.
#include <QDir>
#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <cstdio>
#include <exception>

#include "catalogue/catalogue.h"
#include "tools/artwork/scenes.h"
#include "tools/artwork/tachometer_art.h"

namespace {

void Save(QImage image, const QString& path, const char* format, int quality) {
  // 96 dots per inch, whatever the machine: the files come out the same everywhere.
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  QImageWriter writer(path, format);
  if (quality >= 0) writer.setQuality(quality);
  if (!writer.write(image)) {
    std::fprintf(stderr, "revalorn-artwork: could not write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    std::exit(1);
  }
}

void MakeFolder(const QString& path) {
  if (!QDir().mkpath(path)) {
    std::fprintf(stderr, "revalorn-artwork: could not create %s\n", qPrintable(path));
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: revalorn-artwork OUTDIR\n");
    return 2;
  }
  // Painting into images needs no screen and no fonts: a core application (for the
  // image format plugins) is enough.
  QCoreApplication app(argc, argv);
  using namespace revalorn::artwork;
  const QString out = QString::fromLocal8Bit(argv[1]);

  try {
    MakeFolder(out + "/pictures");
    for (const int id : {101, 102}) {
      Save(PaintBuiltInPicture(id), QString("%1/pictures/%2.jpg").arg(out).arg(id), "jpeg", 90);
    }

    MakeFolder(out + "/tach");
    for (const DialDesign& d : {Dial14000(), Dial12000()}) {
      Save(PaintDialMask(d), QString("%1/tach/%2.bmp").arg(out).arg(d.maskId), "bmp", -1);
      Save(PaintDial(d), QString("%1/tach/%2.bmp").arg(out).arg(d.dialId), "bmp", -1);
    }

    MakeFolder(out + "/backgrounds");
    revalorn::Catalogue catalogue;
    revalorn::BuildCatalogue(catalogue);
    for (int v = 0; v <= 5; ++v) {
      const QString name = QString::fromStdString(catalogue.BackgroundPicture(v));
      Save(PaintBackground(v), out + "/backgrounds/" + name, "jpeg", 88);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "revalorn-artwork: %s\n", e.what());
    return 1;
  }
  return 0;
}
