#pragma once
// Start-up's input step: opens the game controllers, checks the pedal calibration, and
// sets "Calibrate Pedals" and the engine sound's Pedal Play button accordingly.

#include "core/context.h"

namespace revalorn {

// Sets PedalsAvailable and the states of MnuCalibratePedals and CmdPedalPlay(0).
// Until the pedal input is built in, no controller is ever found: PedalsAvailable is
// False and the menu item and both Pedal Play buttons are disabled.
void StartInputDevices(Context& ctx);

}  // namespace revalorn
