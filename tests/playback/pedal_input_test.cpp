#include "playback/pedal_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_sound_output.h"
#include "tests/support/scripted_input_devices.h"
#include "tests/support/scripted_prompts.h"

namespace revalorn {
namespace {

using testing::ScriptedInputDevices;

const std::string kDepress = "Fully depress your throttle pedal or push your joystick full foward and hold";
const std::string kRelease = "Release your throttle pedal or joystick";
const std::string kMustRecalibrate = "Your throttle pedal or joystick must be recalibrated";
const std::string kFailure =
    "Calibration failed miserably, pedal play will not be available in this session.\r\r"
    "Try resetting the registry and restart Revalorn.";
std::string Attempt(int n) {
  return "Attempt " + std::to_string(n) +
         " of 3 failed.\r\rYour pedals/joystick was not calibrated correctly.\r\rTry calibrating again\r\r";
}

// Settings in memory that remember the order of the writes.
class OrderedSettings final : public SettingsBackend {
 public:
  std::optional<std::string> Read(std::string_view name) override { return memory.Read(name); }
  bool Write(std::string_view name, std::string_view text) override {
    written.emplace_back(name);
    return memory.Write(name, text);
  }
  bool DeleteKey() override { return memory.DeleteKey(); }
  MemorySettingsBackend memory;
  std::vector<std::string> written;
};

class Calibration : public ::testing::Test {
 protected:
  Calibration() {
    ctx.input = &pedals;
    ctx.values.PedalsAvailable = true;
    prompts.onMessage = [this](const testing::RecordedMessage& m) -> std::optional<MsgResult> {
      // The player moves the controllers while the box is open.
      for (const Move& move : moves) pedals.Set(move.device, move.axis, m.text == kDepress ? move.pressed : move.released);
      if (m.text == kRelease && unplugOnRelease) pedals.devices[0].attached = false;
      return std::nullopt;
    };
  }
  void Store(const char* device, const char* axis, const char* min, const char* max) {
    settings.memory.values = {{"Device", device}, {"ThrottleAxis", axis}, {"JoyStickMin", min}, {"JoyStickMax", max}};
  }
  std::string Stored(const char* name) { return settings.memory.Read(name).value_or("<none>"); }

  struct Move {
    int device, axis;
    std::int32_t pressed, released;
  };
  std::vector<Move> moves;
  bool unplugOnRelease = false;

  testing::ScriptedPrompts prompts;
  VirtualClock clock;
  OrderedSettings settings;
  testing::RecordingSoundOutput sound;
  Context ctx{prompts, clock, settings, sound};
  ScriptedInputDevices pedals;
};

TEST_F(Calibration, InvertedPedalIsStoredReleasedFirstAfterTheRecalibrationNotice) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2, 3})};
  moves = {{0, 3, 500, 9000}};
  CalibratePedals(ctx, false);

  ASSERT_EQ(prompts.MessageTexts(), (std::vector<std::string>{kMustRecalibrate, kDepress, kRelease}));
  for (const auto& m : prompts.messages) EXPECT_EQ(m.icon, MsgIcon::Information) << m.text;
  EXPECT_EQ(settings.written, (std::vector<std::string>{"Device", "ThrottleAxis", "JoyStickMin", "JoyStickMax"}));
  EXPECT_EQ(Stored("Device"), "1");
  EXPECT_EQ(Stored("ThrottleAxis"), "3");
  EXPECT_EQ(Stored("JoyStickMin"), "9000");
  EXPECT_EQ(Stored("JoyStickMax"), "500");
  EXPECT_EQ(ctx.values.JoyStickMin, 9000);
  EXPECT_EQ(ctx.values.JoyStickMax, 500);
  EXPECT_TRUE(ctx.values.PedalsAvailable);

  DInputShutdown(ctx);
  EXPECT_EQ(pedals.unacquires, 1);
}

TEST_F(Calibration, AxisChoiceThresholdOrderAndDevices) {
  // Device 1: x moves by exactly 1000 (does not count), y by 1001 (counts).
  // Device 2: axes 2 and 5 both move; the lowest wins, and the later device replaces 1.
  // Device 3 failed to open: its moving axis cannot be chosen.
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2}), ScriptedInputDevices::WithAxes({1, 2, 5}),
                    ScriptedInputDevices::WithAxes({1})};
  pedals.devices[2].openFails = true;
  moves = {{0, 1, 6000, 5000}, {0, 2, 3999, 5000}, {1, 5, 10000, 0}, {1, 2, 0, 8000}, {2, 1, 10000, 0}};
  CalibratePedals(ctx, true);
  EXPECT_EQ(ctx.values.DeviceIndex, 2);
  EXPECT_EQ(ctx.values.ThrottleAxis, 2);
  EXPECT_EQ(ctx.values.JoyStickMin, 8000);
  EXPECT_EQ(ctx.values.JoyStickMax, 0);

  // Alone, device 1's y axis is the one moving by more than 1000.
  pedals.devices.resize(1);
  moves.resize(2);
  CalibratePedals(ctx, true);
  EXPECT_EQ(ctx.values.DeviceIndex, 1);
  EXPECT_EQ(ctx.values.ThrottleAxis, 2);
  EXPECT_EQ(Stored("JoyStickMin"), "5000");
  EXPECT_EQ(Stored("JoyStickMax"), "3999");
  EXPECT_EQ(prompts.MessageTexts(), (std::vector<std::string>{kDepress, kRelease, kDepress, kRelease}))
      << "a forced calibration gives no notice";
}

TEST_F(Calibration, FirstSliderIsAxisSeven) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2, 7, 8})};
  moves = {{0, 7, 9500, 200}};
  CalibratePedals(ctx, true);
  EXPECT_EQ(Stored("ThrottleAxis"), "7");
  EXPECT_EQ(ctx.values.JoyStickMin, 200);
}

TEST_F(Calibration, UsableStoredValuesAreTakenWithoutAsking) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  Store(" 2 (pedals)", "3", " 9000 ", "5e2");
  CalibratePedals(ctx, false);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_TRUE(settings.written.empty());
  EXPECT_EQ(ctx.values.DeviceIndex, 2);
  EXPECT_EQ(ctx.values.ThrottleAxis, 3);
  EXPECT_EQ(ctx.values.JoyStickMin, 9000);
  EXPECT_EQ(ctx.values.JoyStickMax, 500);

  // An empty or non-numeric reading leaves the value as it was.
  Store("1", "2.5", "oops", "");
  CalibratePedals(ctx, false);
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(ctx.values.DeviceIndex, 1);
  EXPECT_EQ(ctx.values.ThrottleAxis, 2) << "halves round to even";
  EXPECT_EQ(ctx.values.JoyStickMin, 9000);
  EXPECT_EQ(ctx.values.JoyStickMax, 500);
}

TEST_F(Calibration, EqualStoredReadingsAskForACalibration) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  Store("2", "3", "100", "100");
  moves = {{0, 1, 10000, 0}};
  CalibratePedals(ctx, false);
  EXPECT_EQ(prompts.MessageTexts(), (std::vector<std::string>{kMustRecalibrate, kDepress, kRelease}));
  EXPECT_EQ(Stored("Device"), "1");
}

TEST_F(Calibration, ForcedWithUsableValuesAndNoMovementWritesThemBack) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2})};
  Store("1", "2", "9000", "500");
  CalibratePedals(ctx, true);
  EXPECT_EQ(prompts.MessageTexts(), (std::vector<std::string>{kDepress, kRelease}));
  EXPECT_EQ(settings.written, (std::vector<std::string>{"Device", "ThrottleAxis", "JoyStickMin", "JoyStickMax"}));
  EXPECT_EQ(Stored("JoyStickMin"), "9000");
  EXPECT_EQ(Stored("JoyStickMax"), "500");
  EXPECT_EQ(Stored("ThrottleAxis"), "2");
}

TEST_F(Calibration, ThreeAttemptsWithoutMovementTurnPedalPlayOff) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1, 2})};
  ctx.controls.SetEnabled(CmdPedalPlay(0), true);
  ctx.controls.SetEnabled(CmdPedalPlay(1), true);
  CalibratePedals(ctx, false);

  const std::vector<std::string> expected{kMustRecalibrate, kDepress, kRelease, Attempt(1), kDepress, kRelease,
                                          Attempt(2),       kDepress, kRelease, kFailure};
  ASSERT_EQ(prompts.MessageTexts(), expected);
  EXPECT_EQ(prompts.messages[3].icon, MsgIcon::Exclamation);
  EXPECT_EQ(prompts.messages[6].icon, MsgIcon::Exclamation);
  EXPECT_EQ(prompts.messages[9].icon, MsgIcon::Critical);
  EXPECT_FALSE(ctx.values.PedalsAvailable);
  EXPECT_FALSE(ctx.controls.Enabled(CmdPedalPlay(0)));
  EXPECT_FALSE(ctx.controls.Enabled(CmdPedalPlay(1)));
  EXPECT_TRUE(settings.written.empty());
}

TEST_F(Calibration, ALostControllerEndsItSilently) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  Store("1", "1", "9000", "500");
  moves = {{0, 1, 100, 7000}};
  unplugOnRelease = true;
  CalibratePedals(ctx, true);
  EXPECT_EQ(prompts.MessageTexts(), (std::vector<std::string>{kDepress, kRelease}));
  EXPECT_EQ(pedals.acquires, 1);
  EXPECT_TRUE(settings.written.empty());
  EXPECT_EQ(ctx.values.JoyStickMin, 9000) << "the stored values stand";
  EXPECT_TRUE(ctx.values.PedalsAvailable);
}

TEST_F(Calibration, InitCountsControllersOrEndsTheProgram) {
  ctx.values.PedalsAvailable = true;
  DInputInit(ctx);
  EXPECT_FALSE(ctx.values.PedalsAvailable);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "No pedals attached.");
  EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Information);

  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  DInputInit(ctx);
  EXPECT_TRUE(ctx.values.PedalsAvailable);
  EXPECT_EQ(prompts.messages.size(), 1u);
  EXPECT_FALSE(ctx.values.ProgramEnded);

  // The input system fails: the quit routine runs; the program ends even if it would not.
  int quitRoutines = 0;
  ctx.RequestQuit = [&] { return ++quitRoutines, false; };
  pedals.listFails = true;
  DInputInit(ctx);
  ASSERT_EQ(prompts.messages.size(), 2u);
  EXPECT_EQ(prompts.messages[1].text, "Error initializing DirectInput.");
  EXPECT_EQ(prompts.messages[1].icon, MsgIcon::Exclamation);
  EXPECT_EQ(quitRoutines, 1);
  EXPECT_TRUE(ctx.values.ProgramEnded);
  EXPECT_EQ(prompts.endProgramCalls, 1);
}

TEST_F(Calibration, MenuCommandForcesACalibration) {
  pedals.devices = {ScriptedInputDevices::WithAxes({1})};
  Store("1", "1", "9000", "500");
  moves = {{0, 1, 10000, 1000}};
  MnuCalibratePedals_Click(ctx);
  EXPECT_EQ(Stored("JoyStickMin"), "1000");
  EXPECT_EQ(Stored("JoyStickMax"), "10000");
}

}  // namespace
}  // namespace revalorn
