#include "playback/pedal_play.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>

#include "playback/play_common.h"
#include "playback/tachometer.h"
#include "tests/support/scripted_input_devices.h"
#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using Op = testing::RecordingSoundOutput::Call::Op;

constexpr std::int32_t kReleased = 9000;  // an inverted pedal: 9000 released, 500 pressed
constexpr std::int32_t kPressed = 500;

// Pedal Play of the first car of the 1967 game, 22050 Hz, MaxFreq 48760, with the
// throttle on axis 3 of the only controller.
class PedalPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    Context& ctx = t.ctx;
    InitTachometers(ctx);
    for (std::int16_t s : VersionSlots(ctx.catalogue, 0)) t.controls().AddItem(Ctl::Combo1, ctx.catalogue.CarLabel(0, s));
    t.controls().SetListIndex(Ctl::Combo1, 0);
    ctx.catalogue.SampleRate(0, 0) = 22050;
    ctx.catalogue.MaxFreq(0, 0) = 48760;
    t.controls().SetValue(Ctl::HScroll1, -700);
    pedals.devices = {testing::ScriptedInputDevices::WithAxes({1, 2, 3})};
    pedals.List();
    pedals.Open(0);
    Pedal(kReleased);
    ctx.input = &pedals;
    Globals& g = t.values();
    std::tie(g.DeviceIndex, g.ThrottleAxis, g.JoyStickMin, g.JoyStickMax) = std::tuple(1, 3, kReleased, kPressed);
  }
  void Start() { play.emplace(CmdPedalPlay_Click(t.ctx, 0)); }
  void Pedal(std::int32_t reading) { pedals.Set(0, 3, reading); }
  // One round: runs the play up to its next 0.025 s wait.
  void Round() { t.clock.AdvanceBy(t.clock.NextDueMs() - t.clock.NowMs()); }
  std::int32_t Playing() const { return t.sound.Frequencies().back(); }
  int RoundsUntil(std::int32_t f) {
    for (int n = 1; n <= 100; ++n) {
      Round();
      if (Playing() == f) return n;
    }
    return -1;
  }
  bool Ended() const { return play->Finished() && t.clock.PendingCount() == 0; }
  bool PlayingState() const { return t.ctx.controls.Caption(CmdAutoPlay(0)) == "Stop Play"; }

  testing::TestContext t;
  testing::ScriptedInputDevices pedals;
  std::optional<Steps> play;
};

TEST_F(PedalPlay, FollowsThePedalWithEngineInertia) {
  Start();
  ASSERT_EQ(t.sound.calls.size(), 3u);
  EXPECT_EQ(t.sound.calls[1].value, 3000);
  EXPECT_TRUE(t.sound.calls[2].op == Op::Play && t.sound.calls[2].looping && t.sound.calls[2].value == -700);
  EXPECT_TRUE(PlayingState() && !t.values().StopPlay);

  for (int i = 0; i < 20; ++i) Round();
  EXPECT_EQ(t.sound.Count(Op::SetFrequency), 1) << "a released pedal sends nothing after the start";
  Pedal(4750);  // half-way
  EXPECT_EQ(RoundsUntil(25880), 12);
  EXPECT_EQ(t.controls().Tachometer().needleStep, NeedleStepOf(t.ctx, 25880, 0));
  Pedal(kReleased);
  EXPECT_EQ(RoundsUntil(3000), 23);
  Pedal(kPressed);
  EXPECT_EQ(RoundsUntil(48760), 23);
  Pedal(kReleased);
  EXPECT_EQ(RoundsUntil(3000), 46);
  EXPECT_EQ(t.clock.NowMs(), (20 + 12 + 23 + 23 + 46 - 1) * 25);

  Pedal(0);  // beyond the calibrated full reading: the top, and nothing sent while there
  for (int i = 0; i < 40; ++i) Round();
  const auto f = t.sound.Frequencies();
  EXPECT_EQ(*std::max_element(f.begin(), f.end()), 48760);
  EXPECT_EQ(std::count(f.begin(), f.end(), 48760), 2);
}

TEST_F(PedalPlay, AHalfRateFileClimbsInHalfTheRounds) {
  t.ctx.catalogue.SampleRate(0, 0) = 11025;
  Start();
  EXPECT_EQ(Playing(), 1500);
  Pedal(kPressed);
  EXPECT_EQ(RoundsUntil(24380), 12);
}

TEST_F(PedalPlay, StopOrUnplugEndTheLoop) {
  Start();
  Pedal(kPressed);
  Round();
  ASSERT_TRUE(t.clock.RunNext());  // the wait ends; the stop runs while events are let through
  StopPlayBranch(t.ctx);
  const int polls = pedals.polls;
  t.clock.RunUntilIdle();
  EXPECT_TRUE(Ended());
  EXPECT_EQ(pedals.polls, polls + 1) << "the round runs on to its stop check";
  EXPECT_FALSE(t.sound.playing);

  Start();
  Round();
  pedals.devices[0].attached = false;
  Round();
  EXPECT_TRUE(Ended());
  EXPECT_EQ(pedals.acquires, 1);
  EXPECT_TRUE(t.sound.playing) << "at its last pitch until Stop Play";
  EXPECT_EQ(Playing(), 5000);
  EXPECT_TRUE(PlayingState());
  EXPECT_TRUE(t.prompts.messages.empty());
}

TEST_F(PedalPlay, ErrorsBeforeTheFirstReadAreReportedLaterOnesSkipped) {
  t.values().JoyStickMax = kReleased;  // no travel: no scale
  Start();
  EXPECT_TRUE(Ended());
  EXPECT_TRUE(t.sound.playing && PlayingState()) << "left as it stands";
  t.values().JoyStickMax = kPressed;
  t.values().DeviceIndex = 2;  // names no controller: the first poll fails
  Start();
  Round();
  EXPECT_TRUE(Ended());
  EXPECT_EQ(pedals.reads, 0);
  EXPECT_EQ(t.prompts.MessageTexts(), std::vector<std::string>(2, "The selected sound has a problem and can't be played."));
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Exclamation);

  t.values().DeviceIndex = 1;
  t.sound.maxFrequency = 10000;  // refused frequencies: f and the needle go on
  Start();
  Pedal(4750);
  EXPECT_EQ(RoundsUntil(25880), 12);
  EXPECT_EQ(t.controls().Tachometer().needleStep, NeedleStepOf(t.ctx, 25880, 0));
  EXPECT_EQ(t.prompts.messages.size(), 2u);
}

TEST_F(PedalPlay, NegativeTargetStopsThePlayAndAsksToQuit) {
  int quitRoutines = 0;
  t.ctx.RequestQuit = [&] { return ++quitRoutines, false; };  // the player keeps the program
  t.ctx.catalogue.MaxFreq(0, 0) = 100;                        // below idle: a negative scale
  Start();
  Pedal(0);  // 3000 − 9000 × 2900 / 8500 < 0
  Round();
  EXPECT_TRUE(Ended());
  ASSERT_EQ(t.prompts.MessageTexts(), std::vector<std::string>{"Recalibrate your pedals or joystick by restarting Revalorn."});
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(quitRoutines, 1);
  EXPECT_FALSE(t.sound.playing || PlayingState());
  EXPECT_TRUE(t.values().StopPlay);
}

}  // namespace
}  // namespace revalorn
