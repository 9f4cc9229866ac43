#pragma once
// The program's built-in start-up sound: a racing engine turned over by its starter,
// catching, blipping twice and settling at idle. Synthesised, so the program carries no
// recording of anybody's engine; the same code always gives the same bytes.

#include <cstdint>
#include <vector>

namespace revalorn::tools {

inline constexpr std::int32_t kStartupSoundRate = 22050;
inline constexpr double kStartupSoundSeconds = 1.9;

// The sound as samples in -1.0 .. 1.0, kStartupSoundRate per second.
std::vector<double> StartupSoundSamples();

// The complete WAV file: 8-bit unsigned mono PCM at kStartupSoundRate.
std::vector<std::uint8_t> StartupSoundWav();

}  // namespace revalorn::tools
