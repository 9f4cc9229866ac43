#include "app/exit_commands.h"

#include "core/context.h"
#include "core/errors.h"
#include "soundfiles/replace_revert.h"

namespace revalorn {

std::string AboutText(const ProgramVersion& version, std::string_view companyName) {
  return VersionText(version) + " by " + std::string(companyName);
}

void MnuAbout_Click(Context& ctx) { MnuAbout_Click(ctx, CurrentProgramVersion()); }

void MnuAbout_Click(Context& ctx, const ProgramVersion& version) {
  ctx.prompts.MsgBox(AboutText(version, CompanyName()), MsgButtons::Ok, MsgIcon::Information);
}

void MnuReset_Click(Context& ctx) {
  if (ctx.prompts.MsgBox(kResetWarning, MsgButtons::OkCancel, MsgIcon::Information) != MsgResult::Ok) return;
  // A delete that fails is silent: the program ends all the same.
  SkipOnError([&] { DeleteRegKey(ctx.settings); });
  ctx.EndProgram();
}

bool QuitRoutine(Context& ctx) {
  bool keepRunning = false;
  SkipOnError([&] {
    if (AnySoundChanged(ctx) &&
        ctx.prompts.MsgBox(kQuitQuestion, MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes) {
      keepRunning = true;
    }
  });
  if (keepRunning) return false;

  SkipOnError([&] { SetRegValue(ctx.settings, "lVolume", std::to_string(ctx.controls.Value(Ctl::HScroll1))); });
  SkipOnError([&] { SetRegValue(ctx.settings, "lTimingDelay", std::to_string(ctx.controls.Value(Ctl::HScroll2))); });
  // A play waiting for its next step ends at its next check instead of driving a
  // released output.
  ctx.values.StopPlay = true;
  SkipOnError([&] { DSoundShutdown(ctx); });
  SkipOnError([&] {
    if (ctx.values.InputShutdown) ctx.values.InputShutdown(ctx);
  });
  SkipOnError([&] { ctx.prompts.ProcessEvents(); });
  ctx.EndProgram();
  return true;
}

void Mnuexit_Click(Context& ctx) { QuitRoutine(ctx); }

}  // namespace revalorn
