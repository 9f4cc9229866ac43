#pragma once
// The throttle pedal: finding the game controllers at start-up, calibrating the one axis
// that moves when the player presses and releases the pedal, and letting them go at the
// end. The calibration (DeviceIndex, ThrottleAxis, JoyStickMin, JoyStickMax) lives in
// ctx.values and in the settings; the controllers are ctx.input.
//
// Start-up runs, in this order:
//   DInputInit(ctx);                        // may end the program (ctx.values.ProgramEnded)
//   if (ctx.values.PedalsAvailable) CalibratePedals(ctx, false);
// and the quit routine ends with DInputShutdown(ctx).

#include "core/context.h"

namespace revalorn {

// Lists the attached controllers. None: "No pedals attached." and PedalsAvailable
// False; otherwise PedalsAvailable True. When the input system cannot be started or
// listed: "Error initializing DirectInput.", then the program ends through
// ctx.RequestQuit (at once if that routine keeps it running).
void DInputInit(Context& ctx);

// Opens every attached controller and calibrates the throttle. Unless Force is set, a
// usable stored calibration is taken as it is. Otherwise the player is asked to press
// and release the pedal, up to three times; the first axis that moves by more than 1000
// is stored, the last controller with a moving axis winning. After three failures Pedal
// Play is off for this run. A controller lost while it is read ends the calibration
// without a message and without storing anything. Failing steps are skipped.
void CalibratePedals(Context& ctx, bool Force);

// Stops reading every controller.
void DInputShutdown(Context& ctx);

// Tool Box › "Calibrate Pedals": a forced calibration.
void MnuCalibratePedals_Click(Context& ctx);

}  // namespace revalorn
