// What both play modes share: the slot and file they play, the frequency conversion,
// the control states and the stop branch; the playback controls; the tachometer's table.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "playback/play_common.h"
#include "playback/playback_controls.h"
#include "playback/tachometer.h"
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

class TachometerTest : public ::testing::Test {
 protected:
  void SetUp() override { InitTachometers(t.ctx); }
  const NeedleEnds& Needle(int version, int i) const {
    return t.ctx.values.NeedleTable[static_cast<std::size_t>(version)][static_cast<std::size_t>(i)];
  }
  // The needle's compass angle in degrees, 0 up, clockwise.
  double AngleOf(const NeedleEnds& e) const {
    double a = std::atan2(e.tipX, e.tipY) * 180.0 / std::numbers::pi;
    return a < 0 ? a + 360.0 : a;
  }
  TestContext t;
};

TEST_F(TachometerTest, TwelveThousandDesignAtRestAndAtFullScale) {
  const NeedleEnds& e = Needle(kVersionOriginal1967, 0);  // at 103 degrees, tail at 283
  EXPECT_EQ(std::vector<int>({e.tipX, e.tipY, e.tailX, e.tailY}), std::vector<int>({82, -20, -28, 6}));
  // 12000 rpm is u 50884, step 254.42 -> 254, about 410.5 (50.5) degrees.
  EXPECT_NEAR(AngleOf(Needle(kVersionOriginal1967, 254)), 50.5, 1.0);
}

TEST_F(TachometerTest, FourteenThousandDesignRestsAt158DegreesUpTo4000Rpm) {
  const NeedleEnds& idle = Needle(kVersionMod1965, 15);  // u 3000
  const NeedleEnds& rest = Needle(kVersionMod1965, 0);
  EXPECT_TRUE(idle.tipX == rest.tipX && idle.tipY == rest.tipY);
  EXPECT_NEAR(AngleOf(idle), 158.0, 1.0);
  EXPECT_GT(AngleOf(Needle(kVersionMod1965, 100)), 170.0) << "moves beyond 4000 rpm";
}

TEST_F(TachometerTest, NeedleFollowsTheEngineSpeedWhateverTheSampleRate) {
  t.ctx.values.CurrentGameVersion = kVersionOriginal1967;
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 6) = 22050;
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 5) = 44100;
  EXPECT_EQ(NeedleStepOf(t.ctx, 48760, 6), 244);
  EXPECT_EQ(NeedleStepOf(t.ctx, 2 * 48760, 5), 244);
  DrawTachNeedle(t.ctx, 48760, 6);
  EXPECT_EQ(t.ctx.controls.Tachometer().needleStep, 244);
}

TEST_F(TachometerTest, ANeedleOffTheDialOrASampleRateOfZeroIsAnError) {
  t.ctx.values.CurrentGameVersion = kVersionOriginal1967;
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 0) = 22050;
  EXPECT_EQ(NeedleStepOf(t.ctx, 60000, 0), 300);
  EXPECT_EQ(NeedleStepOf(t.ctx, 60100, 0), 300) << "300.5 rounds to the even 300";
  EXPECT_THROW(NeedleStepOf(t.ctx, 60200, 0), std::out_of_range);
  EXPECT_THROW(NeedleStepOf(t.ctx, -200, 0), std::out_of_range);
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 1) = 0;
  EXPECT_THROW(DrawTachNeedle(t.ctx, 3000, 1), std::domain_error);
}

TEST_F(TachometerTest, FaceShowsTheCurrentVersionsDesignWithoutANeedle) {
  t.ctx.values.CurrentGameVersion = kVersionMod1965;
  t.ctx.controls.SetTachNeedle(10);
  DrawTachFace(t.ctx);
  EXPECT_TRUE(t.ctx.controls.Visible(Ctl::Tach));
  EXPECT_EQ(t.ctx.controls.Tachometer().face, kVersionMod1965);
  EXPECT_EQ(t.ctx.controls.Tachometer().needleStep, -1);
}

}  // namespace
}  // namespace revalorn
