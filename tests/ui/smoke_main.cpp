// The real program, started as a player starts it, on a real X server (Xvfb):
//   revalorn_smoke <program> <work folder>
// Prepares a program folder with a copy of the program and its backgrounds, a game
// with its sound.dat, and a settings file that knows both, so that start-up asks for
// nothing (it only tells that no game controller is attached). Starts the program (SDL's dummy audio driver), grabs the screen from this
// second process until the main window shows, and checks the picture: a window of the
// main window's size, in the middle of the screen, showing pictures rather than a blank
// area. The last screenshot is kept as <work folder>/screenshot.png. Exit code 0 when
// the window showed, 1 otherwise.
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QThread>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "catalogue/catalogue.h"
#include "core/version.h"
#include "settings/settings_store.h"
#include "tools/gamefiles/sound_dat_fixture.h"

namespace fs = std::filesystem;

namespace {

int Fail(const std::string& why) {
  std::fprintf(stderr, "smoke test: %s\n", why.c_str());
  return 1;
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct Shown {
  QRect box;        // where the screen differs from before the program started
  int colours = 0;  // distinct colours inside it
};

Shown Compare(const QImage& before, const QImage& now) {
  Shown s;
  if (before.size() != now.size()) return s;
  int left = now.width(), top = now.height(), right = -1, bottom = -1;
  for (int y = 0; y < now.height(); ++y) {
    for (int x = 0; x < now.width(); ++x) {
      if (now.pixel(x, y) == before.pixel(x, y)) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return s;
  s.box = QRect(QPoint(left, top), QPoint(right, bottom));
  QSet<QRgb> colours;
  for (int y = s.box.top(); y <= s.box.bottom(); y += 2) {
    for (int x = s.box.left(); x <= s.box.right(); x += 2) colours.insert(now.pixel(x, y));
  }
  s.colours = static_cast<int>(colours.size());
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: revalorn_smoke <program> <work folder>");
  // This process and the program both draw on the X server, whatever the caller chose.
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return Fail("no screen");

  // The program folder, the game and the settings.
  const fs::path program(argv[1]);
  const fs::path work(argv[2]);
  std::error_code ec;
  fs::remove_all(work, ec);
  const fs::path folder = work / "program";
  const fs::path game = work / "GPL" / "sound";
  fs::create_directories(folder / "Working Folder");
  fs::create_directories(game);
  const fs::path copy = folder / program.filename();
  fs::copy_file(program, copy);
  fs::permissions(copy, fs::perms::owner_all, fs::perm_options::add);
  for (const auto& picture : fs::directory_iterator(program.parent_path() / "Working Folder")) {
    fs::copy_file(picture.path(), folder / "Working Folder" / picture.path().filename());
  }
  WriteFile(game / "sound.dat", revalorn::fixtures::MakeSoundDat(revalorn::fixtures::StockSoundDatEntries(1'000'000)));
  const fs::path config = work / "config";
  {
    revalorn::FileSettingsBackend settings(config);
    revalorn::SetRegValue(settings, "Version", revalorn::VersionText(revalorn::CurrentProgramVersion()));
    revalorn::SetRegValue(settings, "LastUsedGPLPath", game.string());
  }

  const QImage before = screen->grabWindow(0).toImage();
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.string()));
  env.insert("SDL_AUDIODRIVER", "dummy");
  env.insert("QT_QPA_PLATFORM", "xcb");
  process.setProcessEnvironment(env);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(QString::fromStdString(copy.string()), {});
  if (!process.waitForStarted(30'000)) return Fail("the program did not start");

  // Wait for the main window: at the design size (713 x 547 and a menu bar on a
  // 1280 x 1024 screen), centred, showing the background and car pictures. The splash
  // box is smaller and plain grey, so it does not count.
  revalorn::FileSettingsBackend settings(config);
  QElapsedTimer waited;
  waited.start();
  Shown shown;
  QImage now;
  bool ok = false;
  while (!ok && waited.elapsed() < 120'000) {
    if (process.state() == QProcess::NotRunning) {
      return Fail("the program ended early (exit code " + std::to_string(process.exitCode()) + "): " +
                  process.readAll().toStdString());
    }
    QThread::msleep(500);
    // The speed is written at the end of start-up. Until then the program may wait at
    // "No pedals attached." (this machine has no game controller): a player reads it
    // and presses Enter, and so does this test, through the X server.
    if (revalorn::GetRegValue(settings, "lTimingDelay", "").empty()) {
      QProcess::execute("xdotool", {"key", "Return"});
      continue;
    }
    now = screen->grabWindow(0).toImage();
    shown = Compare(before, now);
    const QPoint off = shown.box.center() - screen->geometry().center();
    ok = shown.box.width() >= 700 && shown.box.height() >= 540 && std::abs(off.x()) <= 40 &&
         std::abs(off.y()) <= 40 && shown.colours >= 256;
  }
  if (!now.isNull()) now.save(QString::fromStdString((work / "screenshot.png").string()));
  process.terminate();
  if (!process.waitForFinished(10'000)) process.kill();
  process.waitForFinished(10'000);

  if (!ok) {
    return Fail("no main window on the screen (see screenshot.png); changed area " + std::to_string(shown.box.width()) +
                " x " + std::to_string(shown.box.height()) + "; program output: " + process.readAll().toStdString());
  }
  // Start-up filled the Working Folder with the first version's sounds from sound.dat.
  revalorn::Catalogue catalogue;
  revalorn::BuildCatalogue(catalogue);
  const std::string first = catalogue.SoundFileName(revalorn::kVersionOriginal1967, 0);
  if (!fs::exists(folder / "Working Folder" / first)) return Fail("no working copy of " + first);
  if (revalorn::GetRegValue(settings, "lVolume", "") != "0") return Fail("lVolume was not written");
  return 0;
}
