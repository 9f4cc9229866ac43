#pragma once
// An InputDevices double: controllers with chosen axes whose readings a test sets, and
// which can be unplugged, fail to open, or fail to be listed. Counts what is asked.

#include <vector>

#include "core/input_devices.h"

namespace revalorn::testing {

class ScriptedInputDevices final : public InputDevices {
 public:
  struct Device {
    AxisSet axes{};             // the axis numbers it has (element axis − 1)
    JoystickState readings;     // what a read returns
    bool attached = true;       // false: unplugged, reads as Lost until plugged in again
    bool openFails = false;    // Open throws
  };

  // A controller with the given axis numbers, every reading 0.
  static Device WithAxes(std::initializer_list<int> axisNumbers);

  int List() override;
  int Count() const override { return listed_; }
  void Open(int i) override;
  AxisSet Axes(int i) const override;
  void Poll(int i) override;
  InputRead Read(int i, JoystickState& state) override;
  void Acquire(int i) override;
  void Unacquire(int i) override;

  // Sets the reading of axis number 1..8 of controller i.
  void Set(int i, int axis, std::int32_t value);

  std::vector<Device> devices;  // the attached controllers, in list order
  bool listFails = false;       // List throws
  int polls = 0;
  int reads = 0;
  int acquires = 0;
  int unacquires = 0;

 private:
  bool IsOpen(int i) const;
  int listed_ = 0;
  std::vector<bool> open_;
};

}  // namespace revalorn::testing
