#pragma once
// The structure of a RIFF/WAVE file: its "fmt " chunk and where its "data" chunk lies.
// Shared by everything that looks inside a sound file: the sample rate of a working
// copy, the check of a chosen replacement, and the sound output's decoder.
//
// The walk never reads outside the bytes it is given, whatever they hold.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace revalorn {

inline constexpr std::uint16_t kWaveFormatPcm = 0x0001;
inline constexpr std::uint16_t kWaveFormatIeeeFloat = 0x0003;
inline constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

struct WavFormat {
  std::uint16_t formatTag = 0;  // as stored: 1 PCM, 3 IEEE float, 0xFFFE extensible, ...
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t byteRate = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  // For WAVE_FORMAT_EXTENSIBLE: the first two bytes of the sub-format GUID (1 PCM,
  // 3 float) when the rest of the GUID is the standard one, else 0. For other tags:
  // the format tag itself.
  std::uint16_t sampleFormat = 0;
  std::uint16_t validBitsPerSample = 0;  // extensible only; else bitsPerSample
};

struct WavLayout {
  std::optional<WavFormat> format;  // the first complete "fmt " chunk (16 bytes or more)
  bool hasData = false;             // a "data" chunk header was found
  std::size_t dataOffset = 0;       // first byte of the data
  std::uint32_t dataSize = 0;       // as declared
  bool dataTruncated = false;       // the declared data runs past the end of the file
};

// Walks the chunks of a RIFF/WAVE image ("fmt " need not come first; odd chunk sizes
// are padded to even). Nothing when the bytes do not start with "RIFF" .... "WAVE".
// The walk stops at the first "data" chunk once a "fmt " chunk has been seen, or at
// the first chunk header that does not fit.
std::optional<WavLayout> ParseWavLayout(std::span<const std::uint8_t> bytes);

// The sample rate of the WAV file at path, from its "fmt " chunk; 0 when the file
// cannot be read or has no readable "fmt " chunk. For a canonical 44-byte header this
// is the 32-bit value at byte offset 24.
std::int32_t ReadWavSampleRate(std::string_view path);

// True for a PCM RIFF/WAVE file (plain PCM, or extensible with a PCM sub-format) with a
// readable "fmt " chunk, a sample rate above 0 and at least one channel.
bool IsUsablePcmWav(std::span<const std::uint8_t> bytes);

}  // namespace revalorn
