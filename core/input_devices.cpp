#include "core/input_devices.h"

namespace revalorn {

std::optional<std::int32_t> AxisReading(const JoystickState& state, int axis) {
  switch (axis) {
    case 1: return state.x;
    case 2: return state.y;
    case 3: return state.z;
    case 4: return state.rx;
    case 5: return state.ry;
    case 6: return state.rz;
    case 7: return state.slider[0];
    case 8: return state.slider[1];
    default: return std::nullopt;
  }
}

void SetAxisReading(JoystickState& state, int axis, std::int32_t value) {
  switch (axis) {
    case 1: state.x = value; break;
    case 2: state.y = value; break;
    case 3: state.z = value; break;
    case 4: state.rx = value; break;
    case 5: state.ry = value; break;
    case 6: state.rz = value; break;
    case 7: state.slider[0] = value; break;
    case 8: state.slider[1] = value; break;
    default: break;
  }
}

namespace {

class NoControllers final : public InputDevices {
 public:
  int List() override { return 0; }
  int Count() const override { return 0; }
  void Open(int) override { throw InputError("no game controller is attached"); }
  AxisSet Axes(int) const override { return {}; }
  void Poll(int) override { throw InputError("no game controller is open"); }
  InputRead Read(int, JoystickState&) override { return InputRead::Failed; }
  void Acquire(int) override {}
  void Unacquire(int) override {}
};

}  // namespace

InputDevices& NoInputDevices() {
  // Stateless, so one instance serves every Context.
  static NoControllers none;
  return none;
}

}  // namespace revalorn
