#include "playback/pedal_play.h"

#include <gtest/gtest.h>

#include <optional>

#include "playback/play_common.h"
#include "playback/tachometer.h"
#include "tests/support/scripted_input_devices.h"
#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::ScriptedInputDevices;
using Op = testing::RecordingSoundOutput::Call::Op;

constexpr int kThrottle = 3;
constexpr std::int32_t kReleased = 9000;  // an inverted pedal: 9000 released, 500 pressed
constexpr std::int32_t kPressed = 500;

class PedalPlay : public ::testing::Test {
 protected:
  PedalPlay() {
    Context& ctx = t.ctx;
    InitTachometers(ctx);
    for (std::int16_t s : VersionSlots(ctx.catalogue, kVersionOriginal1967)) {
      t.controls().AddItem(Ctl::Combo1, ctx.catalogue.CarLabel(kVersionOriginal1967, s));
    }
    t.controls().SetListIndex(Ctl::Combo1, 0);
    ctx.catalogue.SampleRate(kVersionOriginal1967, 0) = 22050;
    ctx.catalogue.MaxFreq(kVersionOriginal1967, 0) = 48760;
    t.controls().SetValue(Ctl::HScroll1, -700);

    pedals.devices = {ScriptedInputDevices::WithAxes({1, 2, 3})};
    pedals.List();
    pedals.Open(0);
    Pedal(kReleased);
    ctx.input = &pedals;
    t.values().PedalsAvailable = true;
    t.values().DeviceIndex = 1;
    t.values().ThrottleAxis = kThrottle;
    t.values().JoyStickMin = kReleased;
    t.values().JoyStickMax = kPressed;
  }

  void Start(int index = 0) { play.emplace(CmdPedalPlay_Click(t.ctx, index)); }
  void Pedal(std::int32_t reading) { pedals.Set(0, kThrottle, reading); }
  // Runs the play up to its next 0.025 s wait: one round.
  void Round() { t.clock.AdvanceBy(t.clock.NextDueMs() - t.clock.NowMs()); }
  std::int32_t Playing() const { return t.sound.Frequencies().back(); }
  // Rounds until the frequency playing is f; -1 when it is not reached in 100.
  int RoundsUntil(std::int32_t f) {
    for (int n = 1; n <= 100; ++n) {
      Round();
      if (Playing() == f) return n;
    }
    return -1;
  }
  bool Ended() const { return play->Finished() && t.clock.PendingCount() == 0; }

  testing::TestContext t;
  ScriptedInputDevices pedals;
  std::optional<Steps> play;
};

TEST_F(PedalPlay, StartsAtIdleAndFollowsTheWorkedExample) {
  Start();
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Stop Play");
  EXPECT_FALSE(t.controls().Enabled(CmdPedalPlay(0)));
  ASSERT_EQ(t.sound.calls.size(), 3u);
  EXPECT_EQ(t.sound.calls[0].op, Op::Load);
  EXPECT_EQ(t.sound.calls[0].path, ChoosePlayFile(t.ctx, 0, 0));
  EXPECT_EQ(t.sound.calls[1].op, Op::SetFrequency);
  EXPECT_EQ(t.sound.calls[1].value, 3000);
  EXPECT_EQ(t.sound.calls[2].op, Op::Play);
  EXPECT_TRUE(t.sound.calls[2].looping);
  EXPECT_EQ(t.sound.calls[2].value, -700);
  EXPECT_TRUE(t.controls().Visible(Ctl::Tach));
  EXPECT_EQ(t.controls().Tachometer().needleStep, NeedleStepOf(t.ctx, 3000, 0));
  EXPECT_FALSE(t.values().StopPlay);

  Pedal(4750);  // half-way
  EXPECT_EQ(RoundsUntil(25880), 12);
  EXPECT_EQ(t.sound.Frequencies()[1], 5000);
  EXPECT_EQ(t.sound.Frequencies()[11], 25000);
  EXPECT_EQ(t.controls().Tachometer().needleStep, NeedleStepOf(t.ctx, 25880, 0));
  Pedal(kReleased);
  EXPECT_EQ(RoundsUntil(3000), 23);
  Pedal(kPressed);
  EXPECT_EQ(RoundsUntil(48760), 23);
  Pedal(kReleased);
  EXPECT_EQ(RoundsUntil(3000), 46);
  EXPECT_EQ(t.clock.NowMs(), (12 + 23 + 23 + 46 - 1) * 25) << "one round every 0.025 s";
  EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(PedalPlay, SendsOnlyChangesAndClampsToTheTop) {
  Start();
  for (int i = 0; i < 40; ++i) Round();
  EXPECT_EQ(t.sound.Count(Op::SetFrequency), 1) << "a released pedal sends nothing after the start";

  Pedal(0);  // beyond the calibrated full reading
  for (int i = 0; i < 40; ++i) Round();
  const auto f = t.sound.Frequencies();
  EXPECT_EQ(f.back(), 48760);
  EXPECT_EQ(*std::max_element(f.begin(), f.end()), 48760);
  EXPECT_EQ(f.size(), 1u + 23u) << "nothing sent while the target stays at the top";
}

TEST_F(PedalPlay, AHalfRateFileClimbsInHalfTheRounds) {
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 0) = 11025;
  Start();
  EXPECT_EQ(t.sound.Frequencies().front(), 1500);
  Pedal(kPressed);
  EXPECT_EQ(RoundsUntil(24380), 12);
}

TEST_F(PedalPlay, StopEndsThePlayAtItsNextCheck) {
  Start();
  Pedal(kPressed);
  Round();
  Round();
  // The wait ends, then the stop runs while events are let through.
  ASSERT_TRUE(t.clock.RunNext());
  StopPlayBranch(t.ctx);
  const int polls = pedals.polls;
  t.clock.RunUntilIdle();
  EXPECT_TRUE(Ended());
  EXPECT_EQ(pedals.polls, polls) << "nothing more is read";
  EXPECT_EQ(t.sound.Frequencies().back(), 7000);
  EXPECT_FALSE(t.sound.playing);
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Auto Play");
}

TEST_F(PedalPlay, UnpluggedControllerLeavesTheSoundPlayingUntilStopped) {
  Start();
  Pedal(kPressed);
  Round();
  Round();
  pedals.devices[0].attached = false;
  Round();
  EXPECT_TRUE(Ended());
  EXPECT_EQ(pedals.acquires, 1);
  EXPECT_TRUE(t.sound.playing);
  EXPECT_EQ(Playing(), 7000);
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Stop Play");
  EXPECT_TRUE(t.prompts.messages.empty());

  StopPlayBranch(t.ctx);
  EXPECT_FALSE(t.sound.playing);
  EXPECT_TRUE(t.controls().Enabled(CmdPedalPlay(0)));
}

TEST_F(PedalPlay, ErrorsBeforeTheFirstReadAreReportedLaterOnesSkipped) {
  const std::string problem = "The selected sound has a problem and can't be played.";
  // Equal readings: the scale cannot be computed.
  t.values().JoyStickMax = kReleased;
  Start();
  EXPECT_TRUE(Ended());
  ASSERT_EQ(t.prompts.MessageTexts(), std::vector<std::string>{problem});
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_TRUE(t.sound.playing) << "left as it stands; Stop Play recovers";
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Stop Play");
  StopPlayBranch(t.ctx);

  // A device number that names no controller fails at the first poll.
  t.values().JoyStickMax = kPressed;
  t.values().DeviceIndex = 2;
  Start();
  Round();
  EXPECT_TRUE(Ended());
  EXPECT_EQ(t.prompts.MessageTexts().size(), 2u);
  EXPECT_EQ(pedals.reads, 0);
  StopPlayBranch(t.ctx);

  // From the first read on, a refused frequency is skipped: f and the needle go on.
  t.values().DeviceIndex = 1;
  t.sound.maxFrequency = 10000;
  Start();
  Pedal(4750);
  EXPECT_EQ(RoundsUntil(25880), 12);
  EXPECT_EQ(t.controls().Tachometer().needleStep, NeedleStepOf(t.ctx, 25880, 0));
  EXPECT_EQ(t.prompts.MessageTexts().size(), 2u);
  EXPECT_FALSE(play->Finished());
}

TEST_F(PedalPlay, NegativeTargetStopsThePlayAndAsksToQuit) {
  int quitRoutines = 0;
  t.ctx.RequestQuit = [&] { return ++quitRoutines, false; };  // the player keeps the program
  t.ctx.catalogue.MaxFreq(kVersionOriginal1967, 0) = 100;     // below idle: the scale is negative
  Start();
  Pedal(0);  // 9000 units from the released end: 3000 - 9000 × 2900 / 8500 < 0
  Round();
  EXPECT_TRUE(Ended());
  ASSERT_EQ(t.prompts.messages.size(), 1u);
  EXPECT_EQ(t.prompts.messages[0].text, "Recalibrate your pedals or joystick by restarting Revalorn.");
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(quitRoutines, 1);
  EXPECT_FALSE(t.sound.playing);
  EXPECT_TRUE(t.values().StopPlay);
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Auto Play");
  EXPECT_FALSE(t.values().ProgramEnded);
}

}  // namespace
}  // namespace revalorn
