// The game controllers through the real SDL2 back end, with SDL's virtual joysticks
// standing in for pedals and joysticks.
#include "playback/sdl/sdl_input_devices.h"

#include <SDL.h>
#include <gtest/gtest.h>


namespace revalorn {
namespace {

class SdlJoysticks : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    base = SDL_NumJoysticks();  // the machine's own controllers come first
  }
  void TearDown() override {
    for (SDL_Joystick* j : handles) SDL_JoystickClose(j);
    for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
      if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  // Plugs in a controller; returns its device index.
  static int Plug(int axes) { return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_THROTTLE, axes, 0, 0); }
  void Move(int index, int sdlAxis, Sint16 value) {
    handles.push_back(SDL_JoystickOpen(index));
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(handles.back(), sdlAxis, value), 0) << SDL_GetError();
  }
  JoystickState Read(int index, InputRead expected = InputRead::Ok) {
    JoystickState s;
    EXPECT_EQ(input.Read(index, s), expected);
    return s;
  }

  int base = 0;
  std::vector<SDL_Joystick*> handles;
  SdlInputDevices input;
};

TEST_F(SdlJoysticks, ListsInSdlOrderWithAxisNumbersAndScaledReadings) {
  for (int axes : {2, 8, 7, 6}) ASSERT_GE(Plug(axes), 0) << SDL_GetError();
  ASSERT_EQ(input.List(), base + 4);
  for (int i = 0; i < 4; ++i) input.Open(base + i);
  auto count = [&](int i) { const AxisSet a = input.Axes(base + i); return std::count(a.begin(), a.end(), true); };
  EXPECT_EQ(count(0), 2);
  EXPECT_EQ(count(1), 8);
  EXPECT_EQ(count(2), 8) << "a seventh axis gives both sliders";
  EXPECT_EQ(count(3), 6);
  EXPECT_TRUE(SDL_GetHintBoolean(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, SDL_FALSE));

  const int i = base + 1;
  const Sint16 values[8] = {-32768, 32767, 0, -16384, -1, 16383, 32767, -32768};
  for (int a = 0; a < 8; ++a) Move(i, a, values[a]);
  EXPECT_EQ(Read(i).x, 5000) << "input moves only when polled";
  input.Poll(i);
  const JoystickState s = Read(i);
  EXPECT_EQ((std::vector<std::int32_t>{s.x, s.y, s.z, s.rx, s.ry, s.rz, s.slider[0], s.slider[1]}),
            (std::vector<std::int32_t>{0, 10000, 5000, 2500, 5000, 7500, 10000, 0}));

  EXPECT_THROW(input.Poll(base + 4), InputError);
  Read(base + 4, InputRead::Failed);
}

TEST_F(SdlJoysticks, AnUnpluggedControllerIsLostUntilItComesBack) {
  const int index = Plug(3);
  input.List();
  input.Open(index);
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0) << SDL_GetError();
  EXPECT_NO_THROW(input.Poll(index));
  Read(index, InputRead::Lost);
  input.Acquire(index);
  Read(index, InputRead::Lost);

  const int again = Plug(3);
  input.Acquire(index);
  Move(again, 2, 32767);
  input.Poll(index);
  EXPECT_EQ(Read(index).z, 10000);
}

}  // namespace
}  // namespace revalorn
