#pragma once
// The game controllers on SDL2's joystick layer.
//
// - Order: SDL's device order at the time of List().
// - Axes: SDL does not tell what an axis is, only its index. Indices 0..5 are taken as
//   axis numbers 1..6 (x, y, z, rx, ry, rz) and indices 6 and 7 as the two sliders, 7
//   and 8; a controller with a seventh axis has 7 and 8 both. This is the order in which
//   SDL lists the axes of a DirectInput device on Windows and of an evdev device on
//   Linux (X, Y, Z, RX, RY, RZ, then throttle and rudder).
// - Readings: SDL's −32768..32767, mapped linearly onto 0..10000 and rounded.
// - Controllers are read in the background, whichever window has the focus; Poll()
//   fetches fresh input (SDL's joystick events are switched off, so input moves only
//   when polled and never piles up in SDL's event queue).
// - An unplugged controller reads as Lost. Acquire() reopens it when a controller with
//   the same identity is attached again.
//
// SDL's joystick subsystem starts at the first List() and stops with the object.

#include <array>
#include <cstdint>
#include <vector>

#include "core/input_devices.h"

namespace revalorn {

class SdlInputDevices final : public InputDevices {
 public:
  SdlInputDevices() = default;
  ~SdlInputDevices() override;
  SdlInputDevices(const SdlInputDevices&) = delete;
  SdlInputDevices& operator=(const SdlInputDevices&) = delete;

  int List() override;
  int Count() const override { return static_cast<int>(devices_.size()); }
  void Open(int i) override;
  AxisSet Axes(int i) const override;
  void Poll(int i) override;
  InputRead Read(int i, JoystickState& state) override;
  void Acquire(int i) override;
  void Unacquire(int i) override;

 private:
  struct Opened {
    bool open = false;
    std::int32_t instance = -1;           // SDL's instance id, unique for each plug-in
    std::array<std::uint8_t, 16> guid{};  // identifies the kind of controller
    int axes = 0;
  };

  void Start();
  void Close(Opened& d);
  const Opened* OpenAt(int i) const;
  bool Holds(std::int32_t instance) const;

  bool started_ = false;
  std::vector<Opened> devices_;
};

}  // namespace revalorn
