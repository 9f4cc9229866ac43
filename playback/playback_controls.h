#pragma once
// The small controls that shape a play: the Volume slider, the Speed slider and the
// F1/F2/F3 choice for the replacement sound.

#include "core/context.h"

namespace revalorn {

// Volume slider: -4000 (40 dB down) .. 0 (the file's level), small step 25, large 500.
inline constexpr int kVolumeMin = -4000;
inline constexpr int kVolumeMax = 0;
// Speed slider: 1 (slowest) .. 98 (fastest), small step 2, large 10.
inline constexpr int kSpeedMin = 1;
inline constexpr int kSpeedMax = 98;

// The Volume slider's value changed: the sound output follows at once, also during a play.
void HScroll1_Change(Context& ctx);
// The Speed slider's value changed: TimingDelay = (99 - value) / 1000 seconds.
void HScroll2_Change(Context& ctx);
// A formula option was clicked (or set by the replacement finder): slot 23 of the current
// version takes the rev limit of slot 5 (F1), 20 (F2) or 21 (F3). A running play keeps
// the values it started with.
void optFormula_Click(Context& ctx, int Index);

}  // namespace revalorn
