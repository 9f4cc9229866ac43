#pragma once
// Auto Play: the selected sound loops while its playback frequency climbs from idle to
// the top of the rev range, blips three times between the top and the lower turning
// point, holds, and falls back to idle, with the tachometer needle following every
// step. The same button stops any running play while it reads "Stop Play".

#include <cstdint>
#include <string_view>

#include "core/context.h"
#include "core/steps.h"

namespace revalorn {

inline constexpr std::string_view kPlayProblemText = "The selected sound has a problem and can't be played.";

// The frequencies of one cycle, in playback hertz for the file: idle fi, top fm, the
// step d and the lower turning point fh of the blips (half the span between idle and
// top, not the middle point between them).
struct AutoPlayFrequencies {
  std::int32_t fi = 0;
  std::int32_t fm = 0;
  std::int32_t d = 0;
  std::int32_t fh = 0;
};

// The cycle's frequencies for a slot of CurrentGameVersion. Throws std::overflow_error
// when a frequency does not fit 32 bits.
AutoPlayFrequencies AutoPlayFrequenciesOf(const Context& ctx, std::int16_t slot);

// The click of CmdAutoPlay(Index), 0 the engine row, 1 the replacement row. While the
// button reads "Stop Play" it stops the running play; otherwise it plays one cycle, as
// a step machine that waits TimingDelay after every step. Any error inside shows the
// problem message and ends the handler, leaving the sound and the playing controls for
// "Stop Play" to recover.
Steps CmdAutoPlay_Click(Context& ctx, int Index);

}  // namespace revalorn
