#include "ui/wiring.h"

#include <exception>
#include <string>

#include "app/exit_commands.h"
#include "patching/sound_patch.h"
#include "playback/auto_play.h"
#include "playback/pedal_input.h"
#include "playback/pedal_play.h"
#include "playback/playback_controls.h"
#include "soundfiles/replace_revert.h"
#include "soundfiles/replacement_loading.h"
#include "soundfiles/sound_sets.h"
#include "ui/frm_help.h"
#include "ui/qt_prompts.h"
#include "ui/tachometer_widget.h"
#include "workingfolder/working_folder.h"

namespace revalorn::ui {

namespace {

void ReportUnexpectedError(Context& ctx, const char* what) noexcept {
  try {
    if (ctx.values.ProgramEnded) return;
    std::string text(kUnexpectedErrorText);
    if (what && *what) text += std::string("\r\n\r\n") + what;
    ctx.prompts.MsgBox(text, MsgButtons::Ok, MsgIcon::Exclamation);
  } catch (...) {
    // Not even the message could be shown; the program goes on regardless.
  }
}

}  // namespace

void RunGuarded(Context& ctx, const std::function<void()>& handler) noexcept {
  try {
    handler();
  } catch (const std::exception& e) {
    ReportUnexpectedError(ctx, e.what());
  } catch (...) {
    ReportUnexpectedError(ctx, nullptr);
  }
}

std::function<void()> Guarded(Context& ctx, std::function<void()> handler) {
  return [&ctx, handler = std::move(handler)] { RunGuarded(ctx, handler); };
}

std::function<bool()> GuardedClose(Context& ctx, std::function<bool()> handler) {
  return [&ctx, handler = std::move(handler)] {
    bool close = true;
    RunGuarded(ctx, [&] { close = handler(); });
    return close;
  };
}

void WireHandlers(FrmSound& window, Context& ctx) {
  const auto wire = [&](Ctl c, void (*handler)(Context&)) {
    window.SetHandler(c, Guarded(ctx, [&ctx, handler] { handler(ctx); }));
  };
  wire(Ctl::Combo2, Combo2_Click);
  wire(Ctl::Combo1, Combo1_Click);
  wire(Ctl::CmdReplace, CmdReplace_Click);
  wire(Ctl::CmdRevert, CmdRevert_Click);
  wire(Ctl::CmdReplacementLoad, CmdReplacementLoad_Click);
  for (int i = 0; i < 3; ++i) {
    window.SetHandler(optFormula(i), Guarded(ctx, [&ctx, i] { optFormula_Click(ctx, i); }));
  }
  wire(Ctl::HScroll1, HScroll1_Change);
  wire(Ctl::HScroll2, HScroll2_Change);
  wire(Ctl::MnuSaveEngineSounds, MnuSaveEngineSounds_Click);
  wire(Ctl::MnuLoadSoundSet, MnuLoadSoundSet_Click);
  wire(Ctl::MnuSaveSoundSet, MnuSaveSoundSet_Click);
  wire(Ctl::MnuRevertAll, MnuRevertAll_Click);
  // The patch command opens its finder with FinderFromMenu set, so it reads "Cancel".
  wire(Ctl::MnuPatchGPL, MnuPatchGPL_Click);

  // The plays are step machines: the click starts one, which then runs on by itself
  // between window events. An error inside is handled by the play itself.
  for (int i = 0; i < 2; ++i) {
    window.SetHandler(CmdAutoPlay(i), Guarded(ctx, [&ctx, i] { (void)CmdAutoPlay_Click(ctx, i); }));
    window.SetHandler(CmdPedalPlay(i), Guarded(ctx, [&ctx, i] { (void)CmdPedalPlay_Click(ctx, i); }));
  }
  wire(Ctl::MnuCalibratePedals, MnuCalibratePedals_Click);
  wire(Ctl::MnuReset, MnuReset_Click);
  wire(Ctl::MnuAbout, MnuAbout_Click);
  wire(Ctl::Mnuexit, Mnuexit_Click);
  window.SetHandler(Ctl::MnuHelpFile, Guarded(ctx, [&window] { ShowHelpWindow(&window); }));
  // The close box runs the quit routine; its "No" keeps the window open.
  window.SetCloseHandler(GuardedClose(ctx, [&ctx] { return QuitRoutine(ctx); }));
  // Whatever else would end the program with unsaved sounds (Pedal Play's
  // recalibration notice, a failing input system) goes through the quit routine too.
  ctx.RequestQuit = [&ctx] {
    bool ending = true;
    RunGuarded(ctx, [&] { ending = QuitRoutine(ctx); });
    return ending;
  };
  ctx.values.InputShutdown = [](Context& c) { DInputShutdown(c); };
}

void AssembleMainWindow(FrmSound& window, Context& ctx, QtPrompts& prompts) {
  prompts.SetParentWindow(&window);
  auto* tachometer =
      new TachometerWidget(ctx.controls, ctx.values, BackgroundOf(*window.Picture(Ctl::FrmSoundBackground)));
  window.SetTachometerWidget(tachometer, [tachometer] { tachometer->Refresh(); });
  WireHandlers(window, ctx);
}

}  // namespace revalorn::ui
