#include "playback/sdl/sdl_input_devices.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "playback/sdl/sdl_subsystem.h"

namespace revalorn {

namespace {

// SDL axis indices 0..5 are axis numbers 1..6; 6 and 7 are the sliders 7 and 8.
constexpr int kPlainAxes = 6;

// −32768..32767 onto 0..10000, to nearest. (v + 32768) × 10000 / 65535 never ends in
// exactly one half (the divisor is odd, the dividend even), so no tie rule is needed.
std::int32_t ScaleAxis(Sint16 value) {
  const std::int32_t steps = static_cast<std::int32_t>(value) + 32768;
  return (steps * kAxisReadingMax + 65535 / 2) / 65535;
}

std::array<std::uint8_t, 16> GuidBytes(SDL_JoystickGUID guid) {
  std::array<std::uint8_t, 16> bytes{};
  std::memcpy(bytes.data(), guid.data, bytes.size());
  return bytes;
}

}  // namespace

SdlInputDevices::~SdlInputDevices() {
  for (Opened& d : devices_) Close(d);
  if (started_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlInputDevices::Start() {
  if (started_) return;
  // Read the pedal whichever window has the focus.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (InitSdlSubsystem(SDL_INIT_JOYSTICK) != 0) throw InputError(SDL_GetError());
  started_ = true;
  // Nothing takes SDL's events out of its queue; the state is fetched by Poll instead.
  SDL_JoystickEventState(SDL_IGNORE);
}

int SdlInputDevices::List() {
  Start();
  for (Opened& d : devices_) Close(d);
  SDL_JoystickUpdate();  // notices controllers plugged in since the last look
  const int count = SDL_NumJoysticks();
  if (count < 0) throw InputError(SDL_GetError());
  devices_.assign(static_cast<std::size_t>(count), Opened{});
  return count;
}

void SdlInputDevices::Open(int i) {
  if (i < 0 || i >= Count()) throw InputError("no game controller " + std::to_string(i + 1));
  Opened& d = devices_[static_cast<std::size_t>(i)];
  Close(d);
  SDL_Joystick* joystick = SDL_JoystickOpen(i);
  if (joystick == nullptr) throw InputError(SDL_GetError());
  d.open = true;
  d.instance = SDL_JoystickInstanceID(joystick);
  d.guid = GuidBytes(SDL_JoystickGetGUID(joystick));
  d.axes = std::max(0, SDL_JoystickNumAxes(joystick));
}

void SdlInputDevices::Close(Opened& d) {
  if (!d.open) return;
  // A controller that was unplugged stays known to SDL until it is closed.
  if (SDL_Joystick* joystick = SDL_JoystickFromInstanceID(d.instance)) SDL_JoystickClose(joystick);
  d = Opened{};
}

const SdlInputDevices::Opened* SdlInputDevices::OpenAt(int i) const {
  if (i < 0 || i >= Count()) return nullptr;
  const Opened& d = devices_[static_cast<std::size_t>(i)];
  return d.open ? &d : nullptr;
}

bool SdlInputDevices::Holds(std::int32_t instance) const {
  return std::any_of(devices_.begin(), devices_.end(), [&](const Opened& d) { return d.open && d.instance == instance; });
}

AxisSet SdlInputDevices::Axes(int i) const {
  AxisSet present{};
  const Opened* d = OpenAt(i);
  if (d == nullptr) return present;
  for (int a = 0; a < std::min(d->axes, kPlainAxes); ++a) present[static_cast<std::size_t>(a)] = true;
  if (d->axes > kPlainAxes) {
    present[6] = true;
    present[7] = true;
  }
  return present;
}

void SdlInputDevices::Poll(int i) {
  if (OpenAt(i) == nullptr) throw InputError("no game controller is open at " + std::to_string(i + 1));
  SDL_JoystickUpdate();
}

InputRead SdlInputDevices::Read(int i, JoystickState& state) {
  const Opened* d = OpenAt(i);
  if (d == nullptr) return InputRead::Failed;
  SDL_Joystick* joystick = SDL_JoystickFromInstanceID(d->instance);
  if (joystick == nullptr || !SDL_JoystickGetAttached(joystick)) return InputRead::Lost;
  JoystickState read;
  for (int a = 0; a < std::min(d->axes, kAxisCount); ++a) {
    SetAxisReading(read, a + 1, ScaleAxis(SDL_JoystickGetAxis(joystick, a)));
  }
  state = read;
  return InputRead::Ok;
}

void SdlInputDevices::Acquire(int i) {
  if (OpenAt(i) == nullptr) return;
  Opened& d = devices_[static_cast<std::size_t>(i)];
  SDL_Joystick* current = SDL_JoystickFromInstanceID(d.instance);
  if (current != nullptr && SDL_JoystickGetAttached(current)) return;
  SDL_JoystickUpdate();  // notices a controller plugged in again
  const int count = SDL_NumJoysticks();
  for (int index = 0; index < count; ++index) {
    if (GuidBytes(SDL_JoystickGetDeviceGUID(index)) != d.guid) continue;
    if (Holds(SDL_JoystickGetDeviceInstanceID(index))) continue;  // another position has it
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (joystick == nullptr) continue;
    Close(d);
    d.open = true;
    d.instance = SDL_JoystickInstanceID(joystick);
    d.guid = GuidBytes(SDL_JoystickGetGUID(joystick));
    d.axes = std::max(0, SDL_JoystickNumAxes(joystick));
    return;
  }
}

void SdlInputDevices::Unacquire(int i) {
  if (i < 0 || i >= Count()) return;
  Close(devices_[static_cast<std::size_t>(i)]);
}

}  // namespace revalorn
