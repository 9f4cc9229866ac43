#pragma once
// Pedal Play: the selected sound loops while the calibrated throttle sets its pitch.
// The pedal asks for a target between idle and the top of the rev range; the playback
// frequency follows it with some engine inertia, rising at most 2000 Hz and falling at
// most 1000 Hz every 0.025 s round. It runs until "Stop Play" (the Auto Play button of
// the same row) is clicked.

#include <cstdint>

#include "core/context.h"
#include "core/steps.h"

namespace revalorn {

// Inertia of the engine, in playback hertz per round, and the length of a round.
inline constexpr std::int32_t kPedalRiseHz = 2000;
inline constexpr std::int32_t kPedalFallHz = 1000;
inline constexpr double kPedalRoundSeconds = 0.025;

// Click on CmdPedalPlay(Index): starts a Pedal Play of that row (0 engine sound,
// 1 replacement). An error before the first read of the controller shows "The selected
// sound has a problem and can't be played." and ends the play as it stands ("Stop Play"
// recovers); later errors are skipped. A controller lost during the play is acquired
// again and the play ends, leaving the sound at its last pitch until "Stop Play". A
// negative target (a calibration that no longer fits the sound) stops the play and asks
// the program to end through ctx.RequestQuit.
Steps CmdPedalPlay_Click(Context& ctx, int Index);

}  // namespace revalorn
