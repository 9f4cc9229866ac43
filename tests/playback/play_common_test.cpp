#include "playback/play_common.h"
#include "playback/playback_controls.h"

#include <gtest/gtest.h>

#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::TestContext;
using Op = testing::RecordingSoundOutput::Call::Op;

// The engine list of a version as the window shows it.
void FillEngineList(TestContext& t, std::int16_t version, int selected) {
  t.values().GameVersion = version;
  for (std::int16_t s : VersionSlots(t.ctx.catalogue, version)) t.controls().AddItem(Ctl::Combo1, t.ctx.catalogue.CarLabel(version, s));
  t.controls().SetListIndex(Ctl::Combo1, selected);
}

TEST(PlayChoice, EngineRowPlaysTheSelectedSlotsWorkingCopyTheReplacementRowTheFormulasSlot) {
  TestContext t;
  FillEngineList(t, kVersionMod1966, 8);
  EXPECT_EQ(ChoosePlaySlot(t.ctx, 0), 8);
  EXPECT_EQ(ChoosePlayFile(t.ctx, 0, 8), JoinPath(JoinPath(t.values().ProgramFolder, "Working Folder"), "66climS4.wav"));
  t.controls().SetListIndex(Ctl::Combo1, 16);
  EXPECT_EQ(ChoosePlaySlot(t.ctx, 0), kSlotF2);

  t.values().LastUsedSourceDirectory = "/sounds";
  t.ctx.catalogue.SoundFileName(kVersionMod1966, kSlotReplacement) = "v12.wav";
  EXPECT_EQ(ChoosePlaySlot(t.ctx, 1), kSlotReplacement);  // F1 is set at design
  for (int option : {1, 2}) {
    t.controls().SetChecked(optFormula(option - 1), false);
    t.controls().SetChecked(optFormula(option), true);
    EXPECT_EQ(ChoosePlaySlot(t.ctx, 1), option == 1 ? kSlotF2 : kSlotF3);
  }
  EXPECT_EQ(ChoosePlayFile(t.ctx, 1, kSlotF3), JoinPath("/sounds", "v12.wav"));
}

TEST(PlayFrequency, ConvertsFromThe22050ScaleForTheFilesRate) {
  EXPECT_EQ(PlayFrequency(22050, 48760), 48760);
  EXPECT_EQ(PlayFrequency(11025, 48760), 24380);
  EXPECT_EQ(PlayFrequency(48000, 1000), 2177);  // 2176.87
  EXPECT_EQ(PlayFrequency(0, 48760), 0);
  EXPECT_EQ(PlayFrequency(96000, 57240), 249208) << "no overflow in the product";
  EXPECT_THROW(PlayFrequency(2000000000, 57240), std::overflow_error);
}

TEST(PlayControls, PlayingStateLeavesOnlyTheStopButtonAndTheSliders) {
  TestContext t;
  FillEngineList(t, kVersionOriginal1967, 0);
  t.values().PedalsAvailable = true;
  SetIdleState(t.ctx);
  SetPlayingState(t.ctx, 0);
  const ControlModel& c = t.controls();
  EXPECT_TRUE(c.Enabled(CmdAutoPlay(0)));
  EXPECT_EQ(c.Caption(CmdAutoPlay(0)), "Stop Play");
  EXPECT_TRUE(IsStopButton(t.ctx, 0));
  for (Ctl off : {Ctl::CmdAutoPlay1, Ctl::CmdPedalPlay0, Ctl::CmdPedalPlay1, Ctl::CmdReplace, Ctl::CmdRevert,
                  Ctl::CmdReplacementLoad, Ctl::MnuFile, Ctl::MnuOptions, Ctl::MnuToolBox, Ctl::MnuHelp, Ctl::Combo1,
                  Ctl::Combo2}) {
    EXPECT_FALSE(c.Enabled(off)) << ControlName(off);
  }
  for (Ctl on : {Ctl::optFormula0, Ctl::optFormula1, Ctl::optFormula2, Ctl::HScroll1, Ctl::HScroll2}) {
    EXPECT_TRUE(c.Enabled(on)) << ControlName(on);
  }
}

TEST(PlayControls, IdleStateEnablesWhatTheReplacementThePedalsAndTheChangedSoundAllow) {
  TestContext t;
  FillEngineList(t, kVersionOriginal1967, 5);
  SetPlayingState(t.ctx, 0);
  SetIdleState(t.ctx);
  const ControlModel& c = t.controls();
  EXPECT_EQ(c.Caption(CmdAutoPlay(0)), "Auto Play");
  for (Ctl on : {Ctl::CmdAutoPlay0, Ctl::CmdReplacementLoad, Ctl::MnuHelp, Ctl::Combo2}) EXPECT_TRUE(c.Enabled(on));
  for (Ctl off : {Ctl::CmdPedalPlay0, Ctl::CmdAutoPlay1, Ctl::CmdReplace, Ctl::CmdRevert}) EXPECT_FALSE(c.Enabled(off));

  t.values().PedalsAvailable = true;
  t.values().SoundChanged[5] = true;
  t.ctx.catalogue.SoundFileName(kVersionOriginal1967, kSlotReplacement) = "v12.wav";
  SetPlayingState(t.ctx, 1);
  EXPECT_EQ(c.Caption(CmdAutoPlay(1)), "Stop Play");
  SetIdleState(t.ctx);
  EXPECT_EQ(c.Caption(CmdAutoPlay(1)), "Auto Play");
  for (Ctl on : {Ctl::CmdAutoPlay1, Ctl::CmdPedalPlay1, Ctl::CmdPedalPlay0, Ctl::CmdReplace, Ctl::CmdRevert}) {
    EXPECT_TRUE(c.Enabled(on)) << ControlName(on);
  }
}

// A play still waiting when a new one starts: see AutoPlayTest.AnEarlierPlayDoesNotResume...
TEST(StopPlayBranch, StopsTheSoundRestoresTheControlsAndEndsWaitingPlays) {
  TestContext t;
  FillEngineList(t, kVersionOriginal1967, 0);
  t.values().StopPlay = false;
  const PlayTicket running(t.ctx);
  SetPlayingState(t.ctx, 0);
  t.controls().SetVisible(Ctl::Tach, true);
  StopPlayBranch(t.ctx);
  EXPECT_EQ(t.sound.Count(Op::Stop), 1);
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Auto Play");
  EXPECT_FALSE(t.controls().Visible(Ctl::Tach));
  EXPECT_TRUE(running.Stopped(t.ctx));
}

// The speed slider's delay is measured step by step in the Auto Play tests.
TEST(PlaybackControls, VolumeGoesToTheSoundOutputAndFormulaOptionsCopyTheirRevLimitIntoThisVersionOnly) {
  testing::TestContext t;
  t.controls().SetValue(Ctl::HScroll1, -2500);
  HScroll1_Change(t.ctx);
  ASSERT_EQ(t.sound.Count(Op::SetVolume), 1);
  EXPECT_EQ(t.sound.calls.back().value, -2500);

  t.values().GameVersion = kVersionMod1966;
  optFormula_Click(t.ctx, 1);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionMod1966, kSlotReplacement), 41552);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionMod1965, kSlotReplacement), 50500) << "other versions keep theirs";
  t.values().GameVersion = kVersionOriginal1967;
  optFormula_Click(t.ctx, 0);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionOriginal1967, kSlotReplacement), 39856);  // slot 5, the Lotus
  optFormula_Click(t.ctx, 2);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionOriginal1967, kSlotReplacement), 26288);
}

}  // namespace
}  // namespace revalorn
