#include "playback/wav_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "files/wav_header.h"

namespace revalorn {

namespace {

// Float files may go beyond full scale; anything past ±8 (18 dB over) is a broken file,
// and values that large would only overflow the converter's filters.
constexpr float kFloatLimit = 8.0f;

std::optional<DecodedWav> Refuse(std::string* problem, std::string why) {
  if (problem) *problem = std::move(why);
  return std::nullopt;
}

float FiniteOrSilent(double v) {
  if (!std::isfinite(v)) return 0.0f;
  return static_cast<float>(std::clamp(v, -static_cast<double>(kFloatLimit), static_cast<double>(kFloatLimit)));
}

// One sample of containerBytes little-endian bytes at p. Integer samples are
// left-justified in their container, so a 20-bit sample in 24 bits decodes as 24-bit.
float DecodeSample(const std::uint8_t* p, int containerBytes, bool isFloat) {
  if (isFloat) {
    if (containerBytes == 4) {
      std::uint32_t bits = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
      float f;
      std::memcpy(&f, &bits, 4);
      return FiniteOrSilent(f);
    }
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | p[i];
    double d;
    std::memcpy(&d, &bits, 8);
    return FiniteOrSilent(d);
  }
  switch (containerBytes) {
    case 1:
      return static_cast<float>(static_cast<int>(p[0]) - 128) / 128.0f;
    case 2:
      return static_cast<float>(static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)))) / 32768.0f;
    case 3: {
      std::int32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
      if (v & 0x800000) v -= 0x1000000;
      return static_cast<float>(v) / 8388608.0f;
    }
    default: {
      const std::uint32_t u = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                              (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
      return static_cast<float>(static_cast<double>(static_cast<std::int32_t>(u)) / 2147483648.0);
    }
  }
}

}  // namespace

std::optional<DecodedWav> DecodeWav(std::span<const std::uint8_t> bytes, std::string* problem) {
  const auto layout = ParseWavLayout(bytes);
  if (!layout) return Refuse(problem, "not a RIFF/WAVE file");
  if (!layout->format) return Refuse(problem, "no readable \"fmt \" chunk");
  if (!layout->hasData) return Refuse(problem, "no \"data\" chunk");
  if (layout->dataTruncated) return Refuse(problem, "the \"data\" chunk runs past the end of the file");

  const WavFormat& f = *layout->format;
  const bool isFloat = f.sampleFormat == kWaveFormatIeeeFloat;
  if (f.sampleFormat != kWaveFormatPcm && !isFloat) {
    return Refuse(problem, "compressed or unknown sample format (tag " + std::to_string(f.formatTag) + ")");
  }
  if (f.channels < 1 || f.channels > 2) {
    return Refuse(problem, std::to_string(f.channels) + " channels (only mono and stereo play)");
  }
  if (f.sampleRate == 0) return Refuse(problem, "a sample rate of 0");

  const int bits = f.bitsPerSample;
  const int containerBytes = (bits + 7) / 8;
  const bool sizeOk = isFloat ? (bits == 32 || bits == 64) : (bits >= 8 && bits <= 32);
  if (!sizeOk) return Refuse(problem, std::to_string(bits) + "-bit samples");
  if (f.formatTag == kWaveFormatExtensible && f.validBitsPerSample > bits) {
    return Refuse(problem, "more valid bits than the sample container holds");
  }
  const std::size_t frameBytes = static_cast<std::size_t>(f.channels) * static_cast<std::size_t>(containerBytes);
  if (f.blockAlign != 0 && f.blockAlign != frameBytes) {
    return Refuse(problem, "a block alignment that does not match the sample format");
  }

  const std::size_t frames = layout->dataSize / frameBytes;
  if (frames == 0) return Refuse(problem, "no samples");
  if (frames > kMaxDecodedSamples / static_cast<std::size_t>(f.channels)) {
    return Refuse(problem, "too long to hold in memory");
  }

  DecodedWav out;
  out.channels = f.channels;
  out.sampleRate = f.sampleRate;
  out.frames = frames;
  try {
    out.samples.resize(frames * static_cast<std::size_t>(f.channels));
  } catch (const std::bad_alloc&) {
    return Refuse(problem, "not enough memory");
  }
  const std::uint8_t* p = bytes.data() + layout->dataOffset;
  for (float& s : out.samples) {
    s = DecodeSample(p, containerBytes, isFloat);
    p += containerBytes;
  }
  return out;
}

}  // namespace revalorn
