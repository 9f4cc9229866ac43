#pragma once
// Start-up's input step: opens the game controllers, checks the pedal calibration, and
// sets "Calibrate Pedals" and the engine sound's Pedal Play button accordingly.

#include "core/context.h"

namespace revalorn {

// DInputInit, then, when it found a controller, CalibratePedals without forcing it.
// "Calibrate Pedals" is enabled when a controller was found, the engine sound's Pedal
// Play button only while PedalsAvailable is still True. Stops at once when the
// program was ended on the way.
void StartInputDevices(Context& ctx);

}  // namespace revalorn
