#pragma once
// An InputDevices double: controllers with chosen axes whose readings a test sets, and
// which can be unplugged, fail to open, or fail to be listed. Counts polls, reads and
// re-acquisitions.

#include <vector>

#include "core/input_devices.h"

namespace revalorn::testing {

class ScriptedInputDevices final : public InputDevices {
 public:
  struct Device {
    AxisSet axes{};          // the axis numbers it has (element axis − 1)
    JoystickState readings;  // what a read returns
    bool attached = true;    // false: unplugged, reads as Lost
    bool openFails = false;
  };
  // A controller with the given axis numbers, every reading 0.
  static Device WithAxes(std::initializer_list<int> axisNumbers) {
    Device d;
    for (int a : axisNumbers) d.axes[static_cast<std::size_t>(a - 1)] = true;
    return d;
  }
  // Sets the reading of axis number 1..8 of controller i.
  void Set(int i, int axis, std::int32_t value) { SetAxisReading(devices.at(static_cast<std::size_t>(i)).readings, axis, value); }

  int List() override {
    if (listFails) throw InputError("scripted: cannot list");
    open_.assign(devices.size(), false);
    return Count();
  }
  int Count() const override { return static_cast<int>(open_.size()); }
  void Open(int i) override {
    if (i < 0 || i >= Count() || devices[Index(i)].openFails) throw InputError("scripted: cannot open");
    open_[Index(i)] = true;
  }
  AxisSet Axes(int i) const override { return IsOpen(i) ? devices[Index(i)].axes : AxisSet{}; }
  void Poll(int i) override {
    ++polls;
    if (!IsOpen(i)) throw InputError("scripted: nothing open");
  }
  InputRead Read(int i, JoystickState& state) override {
    ++reads;
    if (!IsOpen(i)) return InputRead::Failed;
    if (!devices[Index(i)].attached) return InputRead::Lost;
    state = devices[Index(i)].readings;
    return InputRead::Ok;
  }
  void Acquire(int) override { ++acquires; }
  void Unacquire(int i) override {
    if (IsOpen(i)) open_[Index(i)] = false;
  }

  std::vector<Device> devices;  // the attached controllers, in list order
  bool listFails = false;
  int polls = 0;
  int reads = 0;
  int acquires = 0;

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
  bool IsOpen(int i) const { return i >= 0 && i < Count() && open_[Index(i)]; }
  std::vector<bool> open_;
};

}  // namespace revalorn::testing
