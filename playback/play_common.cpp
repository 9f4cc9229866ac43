#include "playback/play_common.h"

#include "catalogue/catalogue.h"
#include "files/file_helpers.h"
#include "core/rounding.h"

namespace revalorn {

std::int16_t ChoosePlaySlot(const Context& ctx, int Index) {
  if (Index == 0) {
    return SlotOfListIndex(ctx.controls.ListIndex(Ctl::Combo1), ctx.controls.ListCount(Ctl::Combo1));
  }
  if (ctx.controls.Checked(optFormula(0))) return kSlotReplacement;
  if (ctx.controls.Checked(optFormula(1))) return kSlotF2;
  return kSlotF3;
}

std::string ChoosePlayFile(const Context& ctx, int Index, std::int16_t slot) {
  const int version = ctx.values.GameVersion;
  if (Index == 0) {
    return JoinPath(JoinPath(ctx.values.ProgramFolder, "Working Folder"), ctx.catalogue.SoundFileName(version, slot));
  }
  return JoinPath(ctx.values.LastUsedSourceDirectory, ctx.catalogue.SoundFileName(version, kSlotReplacement));
}

std::int32_t PlayFrequency(std::int32_t sampleRate, double u) {
  return RoundHalfEven32(static_cast<double>(sampleRate) * u / kScaleRate);
}

namespace {

constexpr Ctl kMenus[] = {Ctl::MnuFile, Ctl::MnuOptions, Ctl::MnuToolBox, Ctl::MnuHelp};

}  // namespace

void SetPlayingState(Context& ctx, int Index) {
  ControlModel& c = ctx.controls;
  for (int i = 0; i < 2; ++i) {
    c.SetEnabled(CmdAutoPlay(i), false);
    c.SetEnabled(CmdPedalPlay(i), false);
  }
  c.SetEnabled(CmdAutoPlay(Index), true);
  c.SetCaption(CmdAutoPlay(Index), "Stop Play");
  c.SetEnabled(Ctl::CmdReplace, false);
  c.SetEnabled(Ctl::CmdRevert, false);
  c.SetEnabled(Ctl::CmdReplacementLoad, false);
  for (Ctl menu : kMenus) c.SetEnabled(menu, false);
  c.SetEnabled(Ctl::Combo1, false);
  c.SetEnabled(Ctl::Combo2, false);
}

void SetIdleState(Context& ctx) {
  ControlModel& c = ctx.controls;
  Globals& g = ctx.values;
  c.SetEnabled(CmdAutoPlay(0), true);
  c.SetCaption(CmdAutoPlay(0), "Auto Play");
  c.SetEnabled(CmdPedalPlay(0), g.PedalsAvailable);
  // Revert follows the selected sound's changed flag only when it is set; otherwise it
  // is left as it is.
  if (c.ListCount(Ctl::Combo1) > 0 && c.ListIndex(Ctl::Combo1) >= 0) {
    const std::int16_t slot = SlotOfListIndex(c.ListIndex(Ctl::Combo1), c.ListCount(Ctl::Combo1));
    if (slot >= 0 && slot < kChangedFlagCount && g.SoundChanged[static_cast<std::size_t>(slot)]) {
      c.SetEnabled(Ctl::CmdRevert, true);
    }
  }
  for (int i = 0; i < 3; ++i) c.SetEnabled(optFormula(i), true);
  c.SetEnabled(Ctl::Combo1, true);
  c.SetEnabled(Ctl::Combo2, true);
  if (!ctx.catalogue.SoundFileName(g.GameVersion, kSlotReplacement).empty()) {
    c.SetEnabled(CmdAutoPlay(1), true);
    c.SetCaption(CmdAutoPlay(1), "Auto Play");
    c.SetEnabled(CmdPedalPlay(1), g.PedalsAvailable);
    c.SetEnabled(Ctl::CmdReplace, true);
  }
  c.SetEnabled(Ctl::CmdReplacementLoad, true);
  for (Ctl menu : kMenus) c.SetEnabled(menu, true);
}

bool IsStopButton(const Context& ctx, int Index) { return ctx.controls.Caption(CmdAutoPlay(Index)) == "Stop Play"; }

void StopPlayBranch(Context& ctx) {
  DSoundStop(ctx);
  SetIdleState(ctx);
  ctx.controls.SetFocus(Ctl::GEMPic1);
  ctx.controls.SetVisible(Ctl::Tach, false);
  ctx.values.StopPlay = true;
}

}  // namespace revalorn
