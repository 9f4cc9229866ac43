#include "ui/startup_host.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include "resources/resource_paths.h"
#include "ui/form_layout.h"
#include "ui/frm_sound.h"
#include "ui/qt_prompts.h"
#include "ui/splash_box.h"

namespace revalorn::ui {

MainWindowStartupHost::MainWindowStartupHost(FrmSound& window, QtPrompts& prompts)
    : window_(window), prompts_(prompts) {}

MainWindowStartupHost::~MainWindowStartupHost() = default;

ScreenPixels MainWindowStartupHost::ScreenSize() {
  const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
  if (!screen) return {};
  return {screen->geometry().width(), screen->geometry().height()};
}

void MainWindowStartupHost::ScaleAndCentreMainWindow(float scaleX, float scaleY) {
  prompts_.SetScale(scaleX, scaleY);
  ResizeForResolution(scaleX, scaleY, window_.Layout());
  CentreOnScreen(window_);
}

void MainWindowStartupHost::ShowSplash(float scaleX, float scaleY) {
  splash_ = std::make_unique<FrmSplashBox>();
  splash_->Load(scaleX, scaleY);
  splash_->show();
  // A new window is painted only once the window system has mapped it; start-up then
  // lets pending events run once more.
  QElapsedTimer waited;
  waited.start();
  const auto exposed = [this] { return splash_->windowHandle() && splash_->windowHandle()->isExposed(); };
  while (splash_->isVisible() && !exposed() && waited.elapsed() < 250) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  if (splash_->isVisible()) splash_->repaint();
}

void MainWindowStartupHost::CloseSplash() {
  if (splash_) splash_->Unload();
}

std::vector<std::uint8_t> MainWindowStartupHost::BuiltInStartupSound() {
  QFile file(QString::fromLatin1(resources::kStartupSound));
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return {bytes.begin(), bytes.end()};
}

}  // namespace revalorn::ui
