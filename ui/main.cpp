// The desktop program's entry point: one Context with the Qt prompts and clock, the
// platform's settings store and the sound output; the main window with its handlers
// wired; the start-up sequence; then the window's events until the program ends.
#include <QApplication>

#include <exception>
#include <memory>
#include <string>

#include "app/startup.h"
#include "core/context.h"
#include "core/version.h"
#include "files/file_helpers.h"
#include "playback/dsound.h"
#include "playback/sdl/sdl_audio_device.h"
#include "playback/sdl/sdl_input_devices.h"
#include "settings/settings_store.h"
#include "ui/frm_sound.h"
#include "ui/qt_clock.h"
#include "ui/qt_prompts.h"
#include "ui/startup_host.h"
#include "ui/wiring.h"

namespace {

// Shown when start-up itself fails in a way no step handles; the program cannot go on.
constexpr std::string_view kStartupFailedText = "Revalorn could not start.";

int Run(revalorn::ui::QtPrompts& prompts) {
  revalorn::ui::QtClock clock;
  const std::unique_ptr<revalorn::SettingsBackend> settings = revalorn::MakePlatformSettingsBackend();
  revalorn::SdlAudioDevice device;
  revalorn::DSound sound(prompts, device);
  revalorn::SdlInputDevices pedals;
  revalorn::Context ctx(prompts, clock, *settings, sound);
  ctx.input = &pedals;
  ctx.values.ProgramFolder = revalorn::ProgramFolderOfExecutable();

  revalorn::ui::FrmSound window(ctx.controls);
  revalorn::ui::AssembleMainWindow(window, ctx, prompts);

  revalorn::ui::MainWindowStartupHost host(window, prompts);
  revalorn::Form_Load(ctx, host);
  // Ended on the way ("Quit", a screen too small, no sound output): no window, no loop.
  if (ctx.values.ProgramEnded) return 0;

  window.show();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Revalorn");
  QApplication::setOrganizationName(QString::fromStdString(revalorn::CompanyName()));

  revalorn::ui::QtPrompts prompts;
  try {
    return Run(prompts);
  } catch (const std::exception& e) {
    prompts.SetParentWindow(nullptr);  // the window is gone
    prompts.MsgBox(std::string(kStartupFailedText) + "\r\n\r\n" + e.what(), revalorn::MsgButtons::Ok,
                   revalorn::MsgIcon::Critical);
  } catch (...) {
    prompts.SetParentWindow(nullptr);
    prompts.MsgBox(kStartupFailedText, revalorn::MsgButtons::Ok, revalorn::MsgIcon::Critical);
  }
  return 1;
}
