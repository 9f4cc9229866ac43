#include "files/wav_header.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/gamefiles/wav_fixture.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Chunk(Bytes& b, const char* tag, const Bytes& body) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
  Put32(b, static_cast<std::uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() & 1) b.push_back(0);
}
Bytes Riff(const std::vector<std::pair<const char*, Bytes>>& chunks) {
  Bytes b = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const auto& [tag, body] : chunks) Chunk(b, tag, body);
  const auto size = static_cast<std::uint32_t>(b.size() - 8);
  for (int i = 0; i < 4; ++i) b[4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
  return b;
}
Bytes Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
  Bytes f;
  Put16(f, tag);
  Put16(f, channels);
  Put32(f, rate);
  Put32(f, rate * channels * bits / 8);
  Put16(f, static_cast<std::uint16_t>(channels * bits / 8));
  Put16(f, bits);
  return f;
}
Bytes Extensible(std::uint16_t subFormat, std::uint32_t rate) {
  Bytes f = Fmt(kWaveFormatExtensible, 2, rate, 24);
  Put16(f, 22);       // cbSize
  Put16(f, 20);       // valid bits
  Put32(f, 3);        // channel mask
  Put16(f, subFormat);
  for (std::uint8_t x : {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}) {
    f.push_back(x);
  }
  return f;
}

TEST(WavLayout, CanonicalFileHasItsRateAtOffset24) {
  const Bytes wav = fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(440, 22050, 100));
  const auto layout = ParseWavLayout(wav);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_EQ(layout->format->sampleRate, 22050u);
  EXPECT_EQ(layout->format->sampleFormat, kWaveFormatPcm);
  EXPECT_EQ(layout->dataOffset, 44u);
  EXPECT_EQ(layout->dataSize, 200u);
  EXPECT_FALSE(layout->dataTruncated);
  EXPECT_TRUE(IsUsablePcmWav(wav));
}

TEST(WavLayout, FmtNeedNotComeFirstAndOddChunksArePadded) {
  const Bytes wav = Riff({{"LIST", Bytes(7, 'x')}, {"data", Bytes(6, 0)}, {"fmt ", Fmt(1, 2, 44100, 16)}});
  const auto layout = ParseWavLayout(wav);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_EQ(layout->format->sampleRate, 44100u);
  EXPECT_EQ(layout->format->channels, 2);
  EXPECT_TRUE(layout->hasData);
  EXPECT_EQ(layout->dataOffset, 12u + 8u + 8u + 8u);  // LIST padded to 8 bytes
  EXPECT_TRUE(IsUsablePcmWav(wav));
}

TEST(WavLayout, ExtensibleSubFormats) {
  const auto pcm = ParseWavLayout(Riff({{"fmt ", Extensible(1, 48000)}, {"data", Bytes(12, 0)}}));
  ASSERT_TRUE(pcm && pcm->format);
  EXPECT_EQ(pcm->format->sampleFormat, kWaveFormatPcm);
  EXPECT_EQ(pcm->format->validBitsPerSample, 20);
  const Bytes floatWav = Riff({{"fmt ", Extensible(3, 48000)}, {"data", Bytes(12, 0)}});
  EXPECT_EQ(ParseWavLayout(floatWav)->format->sampleFormat, kWaveFormatIeeeFloat);
  EXPECT_FALSE(IsUsablePcmWav(floatWav)) << "a replacement must be PCM";
}

TEST(WavLayout, DamagedFilesAreReportedNotOverread) {
  EXPECT_FALSE(ParseWavLayout(Bytes{'R', 'I', 'F', 'F'}));
  EXPECT_FALSE(ParseWavLayout(Bytes(44, 0)));
  const std::string text = "This is a text file, not a sound.";
  EXPECT_FALSE(IsUsablePcmWav(Bytes(text.begin(), text.end())));

  // A data chunk that claims more bytes than the file holds.
  Bytes truncated = Riff({{"fmt ", Fmt(1, 1, 22050, 16)}, {"data", Bytes(10, 0)}});
  truncated.resize(truncated.size() - 4);
  const auto layout = ParseWavLayout(truncated);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_TRUE(layout->dataTruncated);

  // A fmt chunk shorter than 16 bytes, and one cut off by the end of the file.
  EXPECT_FALSE(ParseWavLayout(Riff({{"fmt ", Bytes(14, 1)}}))->format);
  Bytes cut = Riff({{"fmt ", Fmt(1, 1, 22050, 16)}});
  cut.resize(cut.size() - 6);
  EXPECT_FALSE(ParseWavLayout(cut)->format);

  EXPECT_FALSE(IsUsablePcmWav(Riff({{"fmt ", Fmt(1, 1, 0, 16)}, {"data", Bytes(2, 0)}}))) << "rate 0";
  EXPECT_FALSE(IsUsablePcmWav(Riff({{"fmt ", Fmt(1, 0, 22050, 16)}, {"data", Bytes(2, 0)}}))) << "no channels";
  EXPECT_FALSE(IsUsablePcmWav(Riff({{"fmt ", Fmt(2, 1, 22050, 4)}, {"data", Bytes(2, 0)}}))) << "ADPCM";
}

TEST(ReadWavSampleRate, ReadsTheFmtChunkOfAFile) {
  testing::TempDir dir;
  testing::WriteBinaryFile(dir.path() / "canonical.wav", fixtures::MakeWav({11025, 1, 8}, fixtures::Tone(100, 11025, 10)));
  // The rate is not at offset 24 here: a chunk comes before "fmt ".
  testing::WriteBinaryFile(dir.path() / "listfirst.wav",
                           Riff({{"LIST", Bytes(4, 'x')}, {"fmt ", Fmt(1, 1, 44100, 16)}, {"data", Bytes(2, 0)}}));
  testing::WriteTextFile(dir.path() / "notes.wav", "not a sound");
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("canonical.wav")), 11025);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("listfirst.wav")), 44100);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("notes.wav")), 0);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("missing.wav")), 0);
}

}  // namespace
}  // namespace revalorn
