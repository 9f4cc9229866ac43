// Saves the screen, or a rectangle of it, as a PNG file:
//   revalorn-screen-grab OUT.png [X Y WIDTH HEIGHT]
// On X11 (Xvfb included) the whole screen is read from the root window, so another
// program's windows are grabbed as they are shown. Exit code 0 when the file was
// written, 1 otherwise, 2 for a wrong command line.
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: revalorn-screen-grab OUT.png [X Y WIDTH HEIGHT]\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) {
    std::fprintf(stderr, "revalorn-screen-grab: no screen\n");
    return 1;
  }
  QRect area = screen->geometry();
  if (argc == 6) {
    bool ok[4];
    area = QRect(QString(argv[2]).toInt(&ok[0]), QString(argv[3]).toInt(&ok[1]), QString(argv[4]).toInt(&ok[2]),
                 QString(argv[5]).toInt(&ok[3]));
    if (!(ok[0] && ok[1] && ok[2] && ok[3]) || area.isEmpty()) {
      std::fprintf(stderr, "revalorn-screen-grab: not a rectangle\n");
      return 2;
    }
  }
  const QImage image =
      screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage().convertToFormat(QImage::Format_RGB32);
  if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "revalorn-screen-grab: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
