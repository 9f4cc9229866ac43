#include "tests/support/scripted_input_devices.h"

namespace revalorn::testing {

ScriptedInputDevices::Device ScriptedInputDevices::WithAxes(std::initializer_list<int> axisNumbers) {
  Device d;
  for (int a : axisNumbers) d.axes[static_cast<std::size_t>(a - 1)] = true;
  return d;
}

int ScriptedInputDevices::List() {
  if (listFails) throw InputError("scripted: the controllers cannot be listed");
  listed_ = static_cast<int>(devices.size());
  open_.assign(devices.size(), false);
  return listed_;
}

bool ScriptedInputDevices::IsOpen(int i) const {
  return i >= 0 && i < listed_ && static_cast<std::size_t>(i) < devices.size() && open_[static_cast<std::size_t>(i)];
}

void ScriptedInputDevices::Open(int i) {
  if (i < 0 || i >= listed_) throw InputError("scripted: no such controller");
  open_[static_cast<std::size_t>(i)] = false;
  if (devices[static_cast<std::size_t>(i)].openFails) throw InputError("scripted: cannot open");
  open_[static_cast<std::size_t>(i)] = true;
}

AxisSet ScriptedInputDevices::Axes(int i) const {
  return IsOpen(i) ? devices[static_cast<std::size_t>(i)].axes : AxisSet{};
}

void ScriptedInputDevices::Poll(int i) {
  ++polls;
  if (!IsOpen(i)) throw InputError("scripted: nothing open");
}

InputRead ScriptedInputDevices::Read(int i, JoystickState& state) {
  ++reads;
  if (!IsOpen(i)) return InputRead::Failed;
  const Device& d = devices[static_cast<std::size_t>(i)];
  if (!d.attached) return InputRead::Lost;
  state = d.readings;
  return InputRead::Ok;
}

void ScriptedInputDevices::Acquire(int) { ++acquires; }

void ScriptedInputDevices::Unacquire(int i) {
  ++unacquires;
  if (IsOpen(i)) open_[static_cast<std::size_t>(i)] = false;
}

void ScriptedInputDevices::Set(int i, int axis, std::int32_t value) {
  SetAxisReading(devices[static_cast<std::size_t>(i)].readings, axis, value);
}

}  // namespace revalorn::testing
