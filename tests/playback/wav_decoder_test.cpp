#include "playback/wav_decoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tools/gamefiles/wav_fixture.h"

namespace revalorn {
namespace {

using Bytes = std::vector<std::uint8_t>;
using fixtures::ExtensibleFmtBody;
using fixtures::FmtBody;
using fixtures::RiffWave;

template <class T>
Bytes Raw(std::initializer_list<T> values) {
  Bytes b(values.size() * sizeof(T));
  std::memcpy(b.data(), std::data(values), b.size());
  return b;
}

TEST(WavDecoder, DecodesEverySampleFormatToFullScaleFloat) {
  struct Case {
    const char* name;
    Bytes fmt;
    Bytes data;
    std::vector<float> expected;
  };
  const Case cases[] = {
      {"8-bit unsigned", FmtBody(1, 1, 11025, 8), {0x00, 0x80, 0xFF}, {-1.0f, 0.0f, 127 / 128.0f}},
      {"16-bit", FmtBody(1, 1, 11025, 16), {0x00, 0x80, 0x00, 0x00, 0xFF, 0x7F}, {-1.0f, 0.0f, 32767 / 32768.0f}},
      {"24-bit", FmtBody(1, 1, 11025, 24), {0x00, 0x00, 0x80, 0x00, 0x00, 0xC0, 0xFF, 0xFF, 0x7F},
       {-1.0f, -0.5f, 8388607 / 8388608.0f}},
      {"32-bit", FmtBody(1, 1, 11025, 32), {0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x40}, {-1.0f, 0.5f}},
      {"float", FmtBody(3, 1, 11025, 32), Raw<float>({0.25f, -0.75f}), {0.25f, -0.75f}},
      {"double", FmtBody(3, 1, 11025, 64), Raw<double>({0.125, -1.0}), {0.125f, -1.0f}},
      {"extensible 20 of 24 bits", ExtensibleFmtBody(1, 1, 11025, 24, 20), {0x00, 0x00, 0x40}, {0.5f}},
      {"extensible float", ExtensibleFmtBody(3, 1, 11025, 32, 32), Raw<float>({-0.5f}), {-0.5f}},
  };
  for (const Case& c : cases) {
    std::string problem;
    const auto wav = DecodeWav(RiffWave({{"fmt ", c.fmt}, {"data", c.data}}), &problem);
    ASSERT_TRUE(wav) << c.name << ": " << problem;
    EXPECT_EQ(wav->channels, 1) << c.name;
    EXPECT_EQ(wav->sampleRate, 11025u) << c.name;
    EXPECT_EQ(wav->frames, c.expected.size()) << c.name;
    EXPECT_EQ(wav->samples, c.expected) << c.name;
  }
}

TEST(WavDecoder, StereoStaysInterleavedWhereverTheChunksLie) {
  // An odd-sized chunk first, data before fmt, and half a frame left over at the end.
  const Bytes wav = RiffWave({{"LIST", Bytes(3, 'x')},
                              {"data", {0x00, 0x40, 0x00, 0xC0, 0x00, 0x20, 0x00, 0xE0, 0x11}},
                              {"fmt ", FmtBody(1, 2, 44100, 16)}});
  const auto decoded = DecodeWav(wav);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->channels, 2);
  EXPECT_EQ(decoded->frames, 2u);
  EXPECT_EQ(decoded->samples, (std::vector<float>{0.5f, -0.5f, 0.25f, -0.25f}));
}

TEST(WavDecoder, BrokenFloatSamplesCannotHarmTheMixer) {
  const float inf = std::numeric_limits<float>::infinity();
  const auto wav = DecodeWav(RiffWave({{"fmt ", FmtBody(3, 1, 8000, 32)},
                                       {"data", Raw<float>({std::nanf(""), inf, -inf, 1e30f, 1.5f})}}));
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->samples, (std::vector<float>{0.0f, 0.0f, 0.0f, 8.0f, 1.5f}));
}

TEST(WavDecoder, RefusesWhatCannotBePlayed) {
  const Bytes pcm(8, 0);
  Bytes truncated = fixtures::MakeWav({22050, 1, 16}, std::vector<double>(100, 0.1));
  truncated.resize(truncated.size() - 51);
  Bytes mismatchedAlign = FmtBody(1, 2, 22050, 16);
  mismatchedAlign[12] = 2;  // block align of a mono file
  Bytes pastTheEnd = RiffWave({{"fmt ", FmtBody(1, 1, 22050, 16)}, {"data", pcm}});
  pastTheEnd[40] = 0xFF;  // the data chunk claims 255 bytes
  const std::pair<const char*, Bytes> cases[] = {
      {"not RIFF", Bytes(64, 0)},
      {"compressed", RiffWave({{"fmt ", FmtBody(2, 1, 22050, 4)}, {"data", pcm}})},
      {"extensible compressed", RiffWave({{"fmt ", ExtensibleFmtBody(2, 1, 22050, 16, 16)}, {"data", pcm}})},
      {"no channels", RiffWave({{"fmt ", FmtBody(1, 0, 22050, 16)}, {"data", pcm}})},
      {"three channels", RiffWave({{"fmt ", FmtBody(1, 3, 22050, 16)}, {"data", Bytes(12, 0)}})},
      {"rate 0", RiffWave({{"fmt ", FmtBody(1, 1, 0, 16)}, {"data", pcm}})},
      {"16-bit float", RiffWave({{"fmt ", FmtBody(3, 1, 22050, 16)}, {"data", pcm}})},
      {"valid bits beyond the container", RiffWave({{"fmt ", ExtensibleFmtBody(1, 1, 22050, 16, 24)}, {"data", pcm}})},
      {"block align mismatch", RiffWave({{"fmt ", mismatchedAlign}, {"data", pcm}})},
      {"no fmt", RiffWave({{"data", pcm}})},
      {"no data", RiffWave({{"fmt ", FmtBody(1, 1, 22050, 16)}})},
      {"empty data", RiffWave({{"fmt ", FmtBody(1, 1, 22050, 16)}, {"data", {}}})},
      {"data past the end", pastTheEnd},
      {"truncated file", truncated},
  };
  for (const auto& [name, bytes] : cases) {
    std::string problem;
    EXPECT_FALSE(DecodeWav(bytes, &problem)) << name;
    EXPECT_FALSE(problem.empty()) << name;
  }
}

}  // namespace
}  // namespace revalorn
