#include "app/start_input.h"

namespace revalorn {

void StartInputDevices(Context& ctx) {
  // With a controller this becomes: DInputInit; when it found one, CalibratePedals(ctx,
  // false), enable MnuCalibratePedals, and enable CmdPedalPlay(0) only while
  // PedalsAvailable is still True. Without one, both are disabled, as here.
  ctx.values.PedalsAvailable = false;
  ctx.controls.SetEnabled(Ctl::MnuCalibratePedals, false);
  ctx.controls.SetEnabled(CmdPedalPlay(0), false);
  ctx.controls.SetEnabled(CmdPedalPlay(1), false);
}

}  // namespace revalorn
