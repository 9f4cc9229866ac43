#include "files/wav_header.h"

#include <limits>

#include "files/file_helpers.h"

namespace revalorn {

namespace {

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool TagIs(std::span<const std::uint8_t> b, std::size_t at, std::string_view tag) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (b[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  }
  return true;
}

// The tail shared by the standard sub-format GUIDs (KSDATAFORMAT_SUBTYPE_PCM and
// _IEEE_FLOAT): xxxxxxxx-0000-0010-8000-00aa00389b71.
constexpr std::uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

WavFormat ReadFormat(std::span<const std::uint8_t> b, std::size_t at, std::uint32_t size) {
  WavFormat f;
  f.formatTag = Le16(b, at);
  f.channels = Le16(b, at + 2);
  f.sampleRate = Le32(b, at + 4);
  f.byteRate = Le32(b, at + 8);
  f.blockAlign = Le16(b, at + 12);
  f.bitsPerSample = Le16(b, at + 14);
  f.sampleFormat = f.formatTag;
  f.validBitsPerSample = f.bitsPerSample;
  if (f.formatTag == kWaveFormatExtensible) {
    f.sampleFormat = 0;
    // cbSize (2), valid bits (2), channel mask (4), sub-format GUID (16).
    if (size >= 40) {
      f.validBitsPerSample = Le16(b, at + 18);
      bool standard = true;
      for (std::size_t i = 0; i < 14; ++i) standard = standard && b[at + 26 + i] == kGuidTail[i];
      if (standard) f.sampleFormat = Le16(b, at + 24);
    }
  }
  return f;
}

}  // namespace

std::optional<WavLayout> ParseWavLayout(std::span<const std::uint8_t> b) {
  if (b.size() < 12 || !TagIs(b, 0, "RIFF") || !TagIs(b, 8, "WAVE")) return std::nullopt;
  WavLayout layout;
  std::size_t pos = 12;
  while (b.size() - pos >= 8) {
    const std::uint32_t size = Le32(b, pos + 4);
    const std::size_t body = pos + 8;
    const std::size_t available = b.size() - body;
    if (TagIs(b, pos, "fmt ")) {
      if (!layout.format && size >= 16 && available >= 16) {
        layout.format = ReadFormat(b, body, size <= available ? size : static_cast<std::uint32_t>(available));
      }
    } else if (TagIs(b, pos, "data")) {
      if (!layout.hasData) {
        layout.hasData = true;
        layout.dataOffset = body;
        layout.dataSize = size;
        layout.dataTruncated = size > available;
      }
      if (layout.format) break;
    }
    if (size > available) break;  // a chunk that runs past the end ends the walk
    pos = body + size + (size & 1u);
    if (pos > b.size()) break;
  }
  return layout;
}

std::int32_t ReadWavSampleRate(std::string_view path) {
  try {
    ByteBuffer bytes;
    if (LoadFileBytes(bytes, path) == 0) return 0;
    const auto layout = ParseWavLayout(bytes);
    if (!layout || !layout->format) return 0;
    const std::uint32_t rate = layout->format->sampleRate;
    return rate > static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) ? 0
                                                                                      : static_cast<std::int32_t>(rate);
  } catch (const std::exception&) {
    return 0;
  }
}

bool IsUsablePcmWav(std::span<const std::uint8_t> bytes) {
  const auto layout = ParseWavLayout(bytes);
  if (!layout || !layout->format) return false;
  const WavFormat& f = *layout->format;
  return f.sampleFormat == kWaveFormatPcm && f.sampleRate > 0 &&
         f.sampleRate <= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max()) && f.channels > 0;
}

}  // namespace revalorn
