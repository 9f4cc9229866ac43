#include "ui/wiring.h"

#include <exception>
#include <string>

#include "patching/sound_patch.h"
#include "playback/playback_controls.h"
#include "soundfiles/replace_revert.h"
#include "soundfiles/replacement_loading.h"
#include "soundfiles/sound_sets.h"
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

  // Still to come (their controls stay disabled until wired):
  //   CmdAutoPlay(0/1), CmdPedalPlay(0/1)  -> (void)CmdAutoPlay_Click(ctx, i) etc.; they
  //                                          return Steps, which run on by themselves
  //   MnuCalibratePedals, Mnuexit, MnuReset, MnuHelpFile, MnuAbout
  //   window.SetCloseHandler(GuardedClose(ctx, ...the quit routine...))
}

}  // namespace revalorn::ui
