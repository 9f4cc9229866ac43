#pragma once
// The game controllers as the pedal calibration and Pedal Play see them: a list of the
// attached controllers in a stable order, each opened for shared reading in the
// background, with up to eight axes read at once and scaled to 0..10000.
//
// Axis numbers 1..8 are x, y, z, rx, ry, rz, then the first and the second slider. A
// controller that has any slider has both 7 and 8.
//
// The program uses the SDL2 back end (playback/sdl/sdl_input_devices.h); tests use a
// scripted double (tests/support). Positions are 0-based; the calibration stores them
// 1-based as `DeviceIndex`.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace revalorn {

inline constexpr int kAxisCount = 8;
inline constexpr std::int32_t kAxisReadingMax = 10000;

// One read of a controller: every axis in 0..10000 (an axis the controller lacks reads 0).
struct JoystickState {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t z = 0;
  std::int32_t rx = 0;
  std::int32_t ry = 0;
  std::int32_t rz = 0;
  std::array<std::int32_t, 2> slider{};
};

// The reading of axis number 1..8; nothing for any other number.
std::optional<std::int32_t> AxisReading(const JoystickState& state, int axis);
// Sets the reading of axis number 1..8; any other number is ignored.
void SetAxisReading(JoystickState& state, int axis, std::int32_t value);

// Which axis numbers a controller has: element axis − 1.
using AxisSet = std::array<bool, kAxisCount>;

// The outcome of a read.
enum class InputRead {
  Ok,
  Lost,    // the controller is not acquired or its input was lost (unplugged)
  Failed,  // any other failure, e.g. no controller was opened at that position
};

class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class InputDevices {
 public:
  virtual ~InputDevices() = default;
  // Starts the input system when needed, closes every opened controller and lists the
  // attached controllers anew; returns how many there are. Throws InputError when the
  // input system cannot be started or the list cannot be made.
  virtual int List() = 0;
  // The number of controllers in the last list.
  virtual int Count() const = 0;
  // Opens controller i of the last list for background, non-exclusive reading, closing
  // what was open at i before. Throws InputError when it cannot be opened; position i
  // then has no controller.
  virtual void Open(int i) = 0;
  // The axis numbers of the controller open at i; none when nothing is open there.
  virtual AxisSet Axes(int i) const = 0;
  // Fetches fresh input. Throws InputError when no controller is open at i; a
  // controller that has been unplugged is polled without error (its read tells).
  virtual void Poll(int i) = 0;
  // Reads all eight axes of the controller open at i into state. Lost and Failed leave
  // state as it was.
  virtual InputRead Read(int i, JoystickState& state) = 0;
  // Acquires a lost controller again: opens it anew when it is attached again, in
  // whatever place the platform now lists it. No effect otherwise.
  virtual void Acquire(int i) = 0;
  // Stops reading the controller open at i and closes it; no effect when none is open.
  virtual void Unacquire(int i) = 0;
};

// The controllers of a machine that has none: lists 0 and has nothing open.
InputDevices& NoInputDevices();

}  // namespace revalorn
