#include "app/start_input.h"

#include "playback/pedal_input.h"

namespace revalorn {

void StartInputDevices(Context& ctx) {
  DInputInit(ctx);
  if (ctx.values.ProgramEnded) return;
  // DInputInit sets PedalsAvailable when it found a controller.
  const bool found = ctx.values.PedalsAvailable;
  if (found) CalibratePedals(ctx, false);
  ctx.controls.SetEnabled(Ctl::MnuCalibratePedals, found);
  ctx.controls.SetEnabled(CmdPedalPlay(0), found && ctx.values.PedalsAvailable);
}

}  // namespace revalorn
