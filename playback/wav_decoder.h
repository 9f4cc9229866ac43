#pragma once
// Decodes the samples of a RIFF/WAVE image into 32-bit float frames for the mixer.
//
// Accepted: PCM 8-bit unsigned, 16, 24 and 32-bit signed; IEEE float 32 and 64-bit;
// WAVE_FORMAT_EXTENSIBLE with a PCM or float sub-format in the same containers; one or
// two channels. Everything else is refused: compressed formats, 0 or more than two
// channels, a sample rate of 0, a missing "fmt " or "data" chunk, a "data" chunk that
// runs past the end of the image, an empty one, or one too large to hold in memory.
// Nothing outside the given bytes is ever read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace revalorn {

struct DecodedWav {
  int channels = 0;             // 1 or 2
  std::uint32_t sampleRate = 0;  // the file's own rate, above 0
  std::size_t frames = 0;        // at least 1
  std::vector<float> samples;    // frames × channels, interleaved, finite, full scale ±1
};

// The largest number of samples (frames × channels) a decoded sound may hold: 256 MB of
// floats, about 25 minutes of 44.1 kHz stereo. Larger files are refused.
inline constexpr std::size_t kMaxDecodedSamples = std::size_t{1} << 26;

// The decoded sound, or nothing; problem (when given) then says why, for a log line or
// a command-line message.
std::optional<DecodedWav> DecodeWav(std::span<const std::uint8_t> bytes, std::string* problem = nullptr);

}  // namespace revalorn
