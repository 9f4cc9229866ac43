#include "files/wav_header.h"

#include <gtest/gtest.h>

#include "tools/gamefiles/wav_fixture.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

using Bytes = std::vector<std::uint8_t>;
using fixtures::FmtBody;
using fixtures::RiffWave;

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

TEST(WavLayout, FmtNeedNotComeFirstOddChunksArePaddedAndExtensibleHasASubFormat) {
  const Bytes wav = RiffWave({{"LIST", Bytes(7, 'x')}, {"data", Bytes(6, 0)}, {"fmt ", FmtBody(1, 2, 44100, 16)}});
  const auto layout = ParseWavLayout(wav);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_EQ(layout->format->sampleRate, 44100u);
  EXPECT_EQ(layout->format->channels, 2);
  EXPECT_TRUE(layout->hasData);
  EXPECT_EQ(layout->dataOffset, 12u + 8u + 8u + 8u);  // LIST padded to 8 bytes
  EXPECT_TRUE(IsUsablePcmWav(wav));

  const auto pcm = ParseWavLayout(RiffWave({{"fmt ", fixtures::ExtensibleFmtBody(1, 2, 48000, 24, 20)}, {"data", Bytes(12, 0)}}));
  ASSERT_TRUE(pcm && pcm->format);
  EXPECT_EQ(pcm->format->sampleFormat, kWaveFormatPcm);
  EXPECT_EQ(pcm->format->validBitsPerSample, 20);
  const Bytes floatWav = RiffWave({{"fmt ", fixtures::ExtensibleFmtBody(3, 2, 48000, 32, 32)}, {"data", Bytes(16, 0)}});
  EXPECT_EQ(ParseWavLayout(floatWav)->format->sampleFormat, kWaveFormatIeeeFloat);
  EXPECT_FALSE(IsUsablePcmWav(floatWav)) << "a replacement must be PCM";
}

TEST(WavLayout, DamagedFilesAreReportedNotOverread) {
  EXPECT_FALSE(ParseWavLayout(Bytes{'R', 'I', 'F', 'F'}));
  EXPECT_FALSE(ParseWavLayout(Bytes(44, 0)));
  const std::string text = "This is a text file, not a sound.";
  EXPECT_FALSE(IsUsablePcmWav(Bytes(text.begin(), text.end())));

  // A data chunk that claims more bytes than the file holds.
  Bytes truncated = RiffWave({{"fmt ", FmtBody(1, 1, 22050, 16)}, {"data", Bytes(10, 0)}});
  truncated.resize(truncated.size() - 4);
  const auto layout = ParseWavLayout(truncated);
  ASSERT_TRUE(layout && layout->format);
  EXPECT_TRUE(layout->dataTruncated);

  // A fmt chunk shorter than 16 bytes, and one cut off by the end of the file.
  EXPECT_FALSE(ParseWavLayout(RiffWave({{"fmt ", Bytes(14, 1)}}))->format);
  Bytes cut = RiffWave({{"fmt ", FmtBody(1, 1, 22050, 16)}});
  cut.resize(cut.size() - 6);
  EXPECT_FALSE(ParseWavLayout(cut)->format);

  EXPECT_FALSE(IsUsablePcmWav(RiffWave({{"fmt ", FmtBody(1, 1, 0, 16)}, {"data", Bytes(2, 0)}}))) << "rate 0";
  EXPECT_FALSE(IsUsablePcmWav(RiffWave({{"fmt ", FmtBody(1, 0, 22050, 16)}, {"data", Bytes(2, 0)}}))) << "no channels";
  EXPECT_FALSE(IsUsablePcmWav(RiffWave({{"fmt ", FmtBody(2, 1, 22050, 4)}, {"data", Bytes(2, 0)}}))) << "ADPCM";
}

TEST(ReadWavSampleRate, ReadsTheFmtChunkOfAFile) {
  testing::TempDir dir;
  testing::WriteBinaryFile(dir.path() / "canonical.wav", fixtures::MakeWav({11025, 1, 8}, fixtures::Tone(100, 11025, 10)));
  // The rate is not at offset 24 here: a chunk comes before "fmt ".
  testing::WriteBinaryFile(dir.path() / "listfirst.wav",
                           RiffWave({{"LIST", Bytes(4, 'x')}, {"fmt ", FmtBody(1, 1, 44100, 16)}, {"data", Bytes(2, 0)}}));
  testing::WriteTextFile(dir.path() / "notes.wav", "not a sound");
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("canonical.wav")), 11025);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("listfirst.wav")), 44100);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("notes.wav")), 0);
  EXPECT_EQ(ReadWavSampleRate(dir.Sub("missing.wav")), 0);
}

}  // namespace
}  // namespace revalorn
