// The desktop program's entry point: one Context with the Qt prompts and clock, the
// platform's settings store and a sound output; the main window scaled to the screen
// and centred.
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <memory>

#include "core/context.h"
#include "core/version.h"
#include "playback/dsound.h"
#include "playback/sdl/sdl_audio_device.h"
#include "files/file_helpers.h"
#include "settings/settings_store.h"
#include "ui/form_layout.h"
#include "ui/frm_sound.h"
#include "ui/qt_clock.h"
#include "ui/qt_prompts.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Revalorn");
  QApplication::setOrganizationName(QString::fromStdString(revalorn::CompanyName()));

  revalorn::ui::QtPrompts prompts;
  revalorn::ui::QtClock clock;
  const std::unique_ptr<revalorn::SettingsBackend> settings = revalorn::MakePlatformSettingsBackend();
  revalorn::SdlAudioDevice device;
  revalorn::DSound sound(prompts, device);
  revalorn::Context ctx(prompts, clock, *settings, sound);
  ctx.values.ProgramFolder = revalorn::ProgramFolderOfExecutable();

  // Screen scale factors, for the main window and every dialog.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    ctx.values.ScaleX = static_cast<float>(screen->geometry().width()) / 1280.0f;
    ctx.values.ScaleY = static_cast<float>(screen->geometry().height()) / 1024.0f;
  }
  prompts.SetScale(ctx.values.ScaleX, ctx.values.ScaleY);
  revalorn::BuildCatalogue(ctx.catalogue);

  revalorn::ui::FrmSound window(ctx.controls);
  prompts.SetParentWindow(&window);
  revalorn::ui::ResizeForResolution(ctx.values.ScaleX, ctx.values.ScaleY, window.Layout());
  revalorn::ui::CentreOnScreen(window);
  ctx.controls.SetCaption(revalorn::Ctl::FrmSound,
                          "Revalorn " + revalorn::VersionText(revalorn::CurrentProgramVersion()));
  window.show();

  // A "Quit" during start-up ends the program before its event loop runs.
  if (ctx.values.ProgramEnded) return 0;
  return QApplication::exec();
}
