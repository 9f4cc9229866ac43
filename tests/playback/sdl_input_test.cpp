// The game controllers through the real SDL2 back end, with SDL's virtual joysticks
// standing in for pedals and joysticks.
#include "playback/sdl/sdl_input_devices.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/context.h"
#include "playback/pedal_input.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/scripted_prompts.h"

namespace revalorn {
namespace {

class SdlJoysticks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    base = SDL_NumJoysticks();  // controllers of the machine come first
  }
  void TearDown() override {
    for (SDL_Joystick* j : handles) SDL_JoystickClose(j);
    for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
      if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  // Plugs in a controller with the given number of axes; returns its device index.
  int Plug(int axes) {
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_THROTTLE, axes, 0, 0);
    EXPECT_GE(index, 0) << SDL_GetError();
    return index;
  }
  // Moves SDL axis `axis` of the controller at device index `index`.
  void Move(int index, int axis, Sint16 value) {
    SDL_Joystick* j = SDL_JoystickOpen(index);
    ASSERT_NE(j, nullptr) << SDL_GetError();
    handles.push_back(j);
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(j, axis, value), 0) << SDL_GetError();
  }
  static AxisSet Numbers(std::initializer_list<int> axes) {
    AxisSet s{};
    for (int a : axes) s[static_cast<std::size_t>(a - 1)] = true;
    return s;
  }

  int base = 0;
  std::vector<SDL_Joystick*> handles;
  SdlInputDevices input;
};

TEST_F(SdlJoysticks, ListsInSdlOrderWithTheirAxisNumbers) {
  Plug(2);
  Plug(8);
  Plug(7);
  Plug(6);
  ASSERT_EQ(input.List(), base + 4);
  EXPECT_EQ(input.Count(), base + 4);
  for (int i = 0; i < 4; ++i) input.Open(base + i);
  EXPECT_EQ(input.Axes(base + 0), Numbers({1, 2}));
  EXPECT_EQ(input.Axes(base + 1), Numbers({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(input.Axes(base + 2), Numbers({1, 2, 3, 4, 5, 6, 7, 8})) << "one slider gives both 7 and 8";
  EXPECT_EQ(input.Axes(base + 3), Numbers({1, 2, 3, 4, 5, 6}));
  EXPECT_TRUE(SDL_GetHintBoolean(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, SDL_FALSE));

  EXPECT_THROW(input.Open(base + 4), InputError);
  EXPECT_THROW(input.Poll(base + 4), InputError);
  JoystickState state;
  EXPECT_EQ(input.Read(base + 4, state), InputRead::Failed);
}

TEST_F(SdlJoysticks, ReadsEveryAxisScaledAfterAPoll) {
  const int index = Plug(8);
  input.List();
  input.Open(index);
  Move(index, 0, -32768);
  Move(index, 1, 32767);
  Move(index, 2, 0);
  Move(index, 3, -16384);
  Move(index, 4, -1);
  Move(index, 5, 16383);
  Move(index, 6, 32767);   // first slider
  Move(index, 7, -32768);  // second slider
  input.Poll(index);
  JoystickState s;
  ASSERT_EQ(input.Read(index, s), InputRead::Ok);
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.y, 10000);
  EXPECT_EQ(s.z, 5000);
  EXPECT_EQ(s.rx, 2500);
  EXPECT_EQ(s.ry, 5000);
  EXPECT_EQ(s.rz, 7500);
  EXPECT_EQ(s.slider[0], 10000);
  EXPECT_EQ(s.slider[1], 0);

  // Input moves only when polled.
  Move(index, 0, 32767);
  ASSERT_EQ(input.Read(index, s), InputRead::Ok);
  EXPECT_EQ(s.x, 0);
  input.Poll(index);
  ASSERT_EQ(input.Read(index, s), InputRead::Ok);
  EXPECT_EQ(s.x, 10000);
}

TEST_F(SdlJoysticks, AnUnpluggedControllerIsLostUntilItComesBack) {
  const int index = Plug(3);
  input.List();
  input.Open(index);
  Move(index, 2, 32767);
  input.Poll(index);
  JoystickState s;
  ASSERT_EQ(input.Read(index, s), InputRead::Ok);

  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0) << SDL_GetError();
  EXPECT_NO_THROW(input.Poll(index));
  EXPECT_EQ(input.Read(index, s), InputRead::Lost);
  EXPECT_EQ(s.z, 10000) << "a lost read leaves the state alone";
  input.Acquire(index);
  EXPECT_EQ(input.Read(index, s), InputRead::Lost) << "not back yet";

  const int again = Plug(3);
  input.Acquire(index);
  Move(again, 2, -32768);
  input.Poll(index);
  ASSERT_EQ(input.Read(index, s), InputRead::Ok);
  EXPECT_EQ(s.z, 0);

  input.Unacquire(index);
  EXPECT_EQ(input.Read(index, s), InputRead::Failed);
}

TEST_F(SdlJoysticks, CalibratesAPedalThatRestsAtTheBottom) {
  const int index = Plug(3);
  Move(index, 2, -32768);
  testing::ScriptedPrompts prompts;
  VirtualClock clock;
  MemorySettingsBackend settings;
  testing::RecordingSoundOutput sound;
  Context ctx(prompts, clock, settings, sound);
  ctx.input = &input;
  prompts.onMessage = [&](const testing::RecordedMessage& m) -> std::optional<MsgResult> {
    const bool pressed = m.text.rfind("Fully depress", 0) == 0;
    Move(index, 2, pressed ? Sint16{32767} : Sint16{-32768});
    return std::nullopt;
  };

  DInputInit(ctx);
  ASSERT_TRUE(ctx.values.PedalsAvailable);
  CalibratePedals(ctx, false);
  EXPECT_EQ(settings.values["Device"], std::to_string(index + 1));
  EXPECT_EQ(settings.values["ThrottleAxis"], "3");
  EXPECT_EQ(settings.values["JoyStickMin"], "0");
  EXPECT_EQ(settings.values["JoyStickMax"], "10000");
  DInputShutdown(ctx);
  JoystickState s;
  EXPECT_EQ(input.Read(index, s), InputRead::Failed) << "no longer open";
}

}  // namespace
}  // namespace revalorn
