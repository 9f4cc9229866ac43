// The built-in start-up sound: a complete 8-bit mono 22050 Hz PCM WAV of about two
// seconds, and the committed file is what the generator makes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "files/wav_header.h"
#include "tools/startup_sound/startup_sound.h"

namespace revalorn {
namespace {

std::vector<std::uint8_t> ReadCommittedSound() {
  std::ifstream in(REVALORN_RESOURCES_DIR "/startup.wav", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(StartupSound, IsACompleteEightBitMonoPcmWavOfAboutTwoSecondsQuietAtBothEnds) {
  const auto bytes = ReadCommittedSound();
  const auto layout = ParseWavLayout(bytes);
  ASSERT_TRUE(layout && layout->format && layout->hasData);
  EXPECT_EQ(layout->dataOffset + layout->dataSize + (layout->dataSize & 1), bytes.size()) << "nothing cut off or after";
  EXPECT_EQ(static_cast<std::size_t>(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24) + 8, bytes.size());
  EXPECT_EQ(layout->format->formatTag, kWaveFormatPcm);
  EXPECT_EQ(layout->format->channels, 1);
  EXPECT_EQ(layout->format->sampleRate, 22050u);
  EXPECT_EQ(layout->format->bitsPerSample, 8);
  EXPECT_EQ(layout->format->byteRate, 22050u);
  EXPECT_NEAR(layout->dataSize / 22050.0, 2.0, 0.3);
  EXPECT_TRUE(IsUsablePcmWav(bytes));

  // 8-bit samples are unsigned around 128: no click at either end.
  const std::size_t begin = layout->dataOffset, end = begin + layout->dataSize;
  EXPECT_LE(std::abs(bytes[begin] - 128), 8);
  for (std::size_t i = end - 40; i < end; ++i) EXPECT_LE(std::abs(bytes[i] - 128), 3) << i - begin;
  int loudest = 0;
  for (std::size_t i = begin; i < end; ++i) loudest = std::max(loudest, std::abs(bytes[i] - 128));
  EXPECT_GT(loudest, 90);
}

TEST(StartupSound, CommittedFileIsWhatTheGeneratorMakes) {
  // Within one step of 8-bit rounding: floating point may differ in the last bit
  // between builds, the sound may not.
  const auto committed = ReadCommittedSound();
  const auto fresh = tools::StartupSoundWav();
  ASSERT_EQ(committed.size(), fresh.size());
  for (std::size_t i = 0; i < 44; ++i) ASSERT_EQ(committed[i], fresh[i]) << "header byte " << i;
  int differing = 0;
  for (std::size_t i = 44; i < fresh.size(); ++i) {
    ASSERT_LE(std::abs(committed[i] - fresh[i]), 1) << "sample " << i - 44;
    differing += committed[i] != fresh[i];
  }
  EXPECT_LT(differing, 50);
}

}  // namespace
}  // namespace revalorn
