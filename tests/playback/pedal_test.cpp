// Pedal input and calibration, then Pedal Play, with a scripted device double and
// the scripted prompts.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <tuple>

#include "playback/pedal_input.h"
#include "playback/pedal_play.h"
#include "playback/play_common.h"
#include "playback/tachometer.h"
#include "tests/support/scripted_input_devices.h"
#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::ScriptedInputDevices;
using Texts = std::vector<std::string>;

const std::string kDepress = "Fully depress your throttle pedal or push your joystick full foward and hold";
const std::string kRelease = "Release your throttle pedal or joystick";
const std::string kNotice = "Your throttle pedal or joystick must be recalibrated";
const Texts kFourValues{"Device", "ThrottleAxis", "JoyStickMin", "JoyStickMax"};

// Settings in memory that remember the order of the writes.
struct OrderedSettings final : SettingsBackend {
  std::optional<std::string> Read(std::string_view name) override { return memory.Read(name); }
  bool Write(std::string_view name, std::string_view text) override {
    written.emplace_back(name);
    return memory.Write(name, text);
  }
  bool DeleteKey() override { return memory.DeleteKey(); }
  MemorySettingsBackend memory;
  Texts written;
};

// A controller's axis that the player moves while the boxes are open.
struct Move {
  int device, axis;
  std::int32_t pressed, released;
};

class Calibration : public ::testing::Test {
 protected:
  // Calibrates with the given moves; returns the texts of the boxes shown.
  Texts Run(bool force, std::vector<Move> moves = {}, bool unplugOnRelease = false) {
    prompts.onMessage = [=, this](const testing::RecordedMessage& m) -> std::optional<MsgResult> {
      for (const Move& mv : moves) pedals.Set(mv.device, mv.axis, m.text == kDepress ? mv.pressed : mv.released);
      if (m.text == kRelease && unplugOnRelease) pedals.devices[0].attached = false;
      return std::nullopt;
    };
    prompts.messages.clear();
    settings.written.clear();
    CalibratePedals(ctx, force);
    return prompts.MessageTexts();
  }
  void Store(const char* device, const char* axis, const char* min, const char* max) {
    settings.memory.values = {{"Device", device}, {"ThrottleAxis", axis}, {"JoyStickMin", min}, {"JoyStickMax", max}};
  }
  Texts Stored() {
    Texts v;
    for (const auto& name : kFourValues) v.push_back(settings.memory.Read(name).value_or("-"));
    return v;
  }

  testing::ScriptedPrompts prompts;
  VirtualClock clock;
  OrderedSettings settings;
  testing::RecordingSoundOutput sound;
  Context ctx{prompts, clock, settings, sound};
  ScriptedInputDevices pedals;
  void SetUp() override {
    ctx.input = &pedals;
    ctx.values.PedalsAvailable = true;
  }
};

TEST_F(Calibration, InvertedPedalIsStoredWithItsReleasedReadingAsMin) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2, 3})};
  EXPECT_EQ(Run(false, {{0, 3, 500, 9000}}), (Texts{kNotice, kDepress, kRelease}));
  EXPECT_EQ(settings.written, kFourValues);
  EXPECT_EQ(Stored(), (Texts{"1", "3", "9000", "500"}));
  EXPECT_TRUE(ctx.values.PedalsAvailable);
}

TEST_F(Calibration, FirstAxisMovingMoreThan1000OnTheLastMovingController) {
  // Controller 1: x moves exactly 1000 (too little), y 1001. Controller 2: axes 2 and 5
  // move; 2 wins and replaces controller 1. Controller 3 could not be opened.
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2}), ScriptedInputDevices::WithAxes({1, 2, 5}),
                    ScriptedInputDevices::WithAxes({1})};
  pedals.devices[2].openFails = true;
  const std::vector<Move> moves{{0, 1, 6000, 5000}, {0, 2, 3999, 5000}, {1, 5, 10000, 0}, {1, 2, 0, 8000}, {2, 1, 10000, 0}};
  Run(true, moves);
  EXPECT_EQ(Stored(), (Texts{"2", "2", "8000", "0"}));

  pedals.devices.resize(1);
  Run(true, {moves[0], moves[1]});
  EXPECT_EQ(Stored(), (Texts{"1", "2", "5000", "3999"}));

  pedals.devices = {ScriptedInputDevices::WithAxes({1, 7, 8})};  // one slider: 7 and 8
  Run(true, {{0, 7, 9500, 200}});
  EXPECT_EQ(Stored(), (Texts{"1", "7", "200", "9500"}));
}

TEST_F(Calibration, StoredValuesAreTakenOnlyWhenUsable) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  Store(" 2 (pedals)", "2.5", " 9000 ", "5e2");
  EXPECT_EQ(Run(false), Texts{});
  EXPECT_EQ(ctx.values.DeviceIndex, 2);
  EXPECT_EQ(ctx.values.ThrottleAxis, 2) << "leading number, halves to even";
  EXPECT_EQ(ctx.values.JoyStickMax, 500);

  Store("1", "1", "oops", "");  // not numbers: the readings stay 9000 and 500
  EXPECT_EQ(Run(false), Texts{});
  EXPECT_EQ(ctx.values.JoyStickMin, 9000);

  Store("2", "3", "100", "100");
  EXPECT_EQ(Run(false, {{0, 1, 10000, 0}}), (Texts{kNotice, kDepress, kRelease}));
  EXPECT_EQ(Stored(), (Texts{"1", "1", "0", "10000"}));
}

TEST_F(Calibration, ForcedWithoutMovementWritesUsableValuesBack) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2})};
  Store("1", "2", "9000", "500");
  prompts.onMessage = nullptr;
  MnuCalibratePedals_Click(ctx);
  EXPECT_EQ(prompts.MessageTexts(), (Texts{kDepress, kRelease}));
  EXPECT_EQ(settings.written, kFourValues);
  EXPECT_EQ(Stored(), (Texts{"1", "2", "9000", "500"}));
}

TEST_F(Calibration, ThreeAttemptsWithoutMovementTurnPedalPlayOff) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2})};
  ctx.controls.SetEnabled(CmdPedalPlay(0), true);
  ctx.controls.SetEnabled(CmdPedalPlay(1), true);
  auto attempt = [](int n) {
    return "Attempt " + std::to_string(n) +
           " of 3 failed.\r\rYour pedals/joystick was not calibrated correctly.\r\rTry calibrating again\r\r";
  };
  const std::string failure =
      "Calibration failed miserably, pedal play will not be available in this session.\r\r"
      "Try resetting the registry and restart Revalorn.";
  EXPECT_EQ(Run(false), (Texts{kNotice, kDepress, kRelease, attempt(1), kDepress, kRelease, attempt(2), kDepress,
                               kRelease, failure}));
  std::vector<MsgIcon> icons;
  for (const auto& m : prompts.messages) icons.push_back(m.icon);
  const MsgIcon i = MsgIcon::Information, e = MsgIcon::Exclamation;
  EXPECT_EQ(icons, (std::vector<MsgIcon>{i, i, i, e, i, i, e, i, i, MsgIcon::Critical}));
  EXPECT_FALSE(ctx.values.PedalsAvailable);
  EXPECT_FALSE(ctx.controls.Enabled(CmdPedalPlay(0)));
  EXPECT_FALSE(ctx.controls.Enabled(CmdPedalPlay(1)));
  EXPECT_EQ(settings.written, Texts{});
}

TEST_F(Calibration, ALostControllerEndsItSilently) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  Store("1", "1", "9000", "500");
  EXPECT_EQ(Run(true, {{0, 1, 100, 7000}}, true), (Texts{kDepress, kRelease}));
  EXPECT_EQ(pedals.acquires, 1);
  EXPECT_EQ(settings.written, Texts{});
  EXPECT_EQ(ctx.values.JoyStickMin, 9000);
}

TEST_F(Calibration, InitCountsControllersOrEndsTheProgram) {
  DInputInit(ctx);
  EXPECT_FALSE(ctx.values.PedalsAvailable);
  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  DInputInit(ctx);
  EXPECT_TRUE(ctx.values.PedalsAvailable);

  int quitRoutines = 0;
  ctx.RequestQuit = [&] { return ++quitRoutines, false; };
  pedals.listFails = true;
  DInputInit(ctx);
  EXPECT_EQ(prompts.MessageTexts(), (Texts{"No pedals attached.", "Error initializing DirectInput."}));
  EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(prompts.messages[1].icon, MsgIcon::Exclamation);
  EXPECT_EQ(quitRoutines, 1);
  EXPECT_TRUE(ctx.values.ProgramEnded) << "ended even though the quit routine kept it running";
}

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
