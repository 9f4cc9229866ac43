#pragma once
// The window side of start-up: the screen the main window is on, scaling and centring
// the window (and telling the dialogs the scale), the splash box, and the built-in
// start-up sound from the program's resources.

#include <memory>

#include "app/startup.h"

namespace revalorn::ui {

class FrmSound;
class FrmSplashBox;
class QtPrompts;

class MainWindowStartupHost final : public StartupHost {
 public:
  MainWindowStartupHost(FrmSound& window, QtPrompts& prompts);
  ~MainWindowStartupHost() override;
  MainWindowStartupHost(const MainWindowStartupHost&) = delete;
  MainWindowStartupHost& operator=(const MainWindowStartupHost&) = delete;

  // In the screen's own pixels (device-independent pixels on a scaled screen, which
  // the window's layout uses too).
  ScreenPixels ScreenSize() override;
  void ScaleAndCentreMainWindow(float scaleX, float scaleY) override;
  // Shows the splash box and waits until the window system shows it (a quarter of a
  // second at most), so that it is painted before the slow steps.
  void ShowSplash(float scaleX, float scaleY) override;
  void CloseSplash() override;
  std::vector<std::uint8_t> BuiltInStartupSound() override;

  // The splash box once shown (it stays, hidden, after it has been closed).
  FrmSplashBox* Splash() const { return splash_.get(); }

 private:
  FrmSound& window_;
  QtPrompts& prompts_;
  std::unique_ptr<FrmSplashBox> splash_;
};

}  // namespace revalorn::ui
