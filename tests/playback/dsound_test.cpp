// The DSound operations as the rest of the program sees them, on the offline device:
// the messages, the one buffer, the units, and what is heard; and the WAV decoder
// behind DSoundLoad.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "playback/dsound.h"
#include "playback/wav_decoder.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/playback/offline_rig.h"
#include "tests/playback/signal_analysis.h"

namespace revalorn {
namespace {

using testing::GoertzelAmplitude;
using testing::OfflineRig;
using Texts = std::vector<std::string>;

float Peak(std::span<const float> x) {
  float m = 0;
  for (float v : x) m = std::max(m, std::fabs(v));
  return m;
}

TEST(DSound, MissingFileThenPlayShowTheirMessagesAndLaterCallsAreIgnored) {
  OfflineRig rig;
  rig.sound.Load(rig.dir.Sub("missing.wav"));
  rig.sound.Play(true, 0);
  EXPECT_NO_THROW(rig.sound.SetFrequency(5));  // no buffer: not even checked
  EXPECT_NO_THROW(rig.sound.SetVolume(-20000));
  EXPECT_NO_THROW(rig.sound.Stop());
  ASSERT_EQ(rig.prompts.messages.size(), 2u);
  EXPECT_EQ(rig.prompts.messages[0].text, "Could not load sound.");
  EXPECT_EQ(rig.prompts.messages[0].icon, MsgIcon::Exclamation);
  EXPECT_EQ(rig.prompts.messages[1].text, "Could not play sound.");
  EXPECT_EQ(rig.prompts.messages[1].icon, MsgIcon::Information);
  EXPECT_EQ(Peak(rig.Render(4800)), 0.0f);
}

TEST(DSound, AFailedLoadHasAlreadyReleasedTheSoundThatWasPlaying) {
  OfflineRig rig;
  rig.sound.Load(rig.Tone(1000));
  rig.sound.Play(true, 0);
  EXPECT_GT(Peak(rig.Render(1024)), 0.4f);
  testing::WriteTextFile(rig.dir.path() / "text.wav", "not a sound");
  rig.sound.Load(rig.dir.Sub("text.wav"));
  rig.sound.Load(rig.Wav("slow.wav", {50, 1, 16}, std::vector<double>(100, 0.5)));      // rate below 100 Hz
  rig.sound.Load(rig.Wav("fast.wav", {250000, 1, 16}, std::vector<double>(100, 0.5)));  // above 200000 Hz
  EXPECT_EQ(rig.prompts.MessageTexts(), Texts(3, "Could not load sound."));
  EXPECT_EQ(Peak(std::span<const float>(rig.Render(512)).subspan(256)), 0.0f);  // faded out within 256 frames
  rig.sound.Play(false, 0);
  EXPECT_EQ(rig.prompts.messages.back().text, "Could not play sound.");
}

TEST(DSound, FrequencyAndVolumeOutsideTheirRangesAreErrorsForTheCaller) {
  OfflineRig rig;
  rig.sound.Load(rig.Tone(1000));
  for (std::int32_t f : {0, 99, 200001}) EXPECT_THROW(rig.sound.SetFrequency(f), SoundOutputError) << f;
  for (std::int32_t f : {100, 200000}) EXPECT_NO_THROW(rig.sound.SetFrequency(f)) << f;
  for (std::int32_t v : {1, -10001}) EXPECT_THROW(rig.sound.SetVolume(v), SoundOutputError) << v;
  for (std::int32_t v : {0, -10000}) EXPECT_NO_THROW(rig.sound.SetVolume(v)) << v;
  EXPECT_TRUE(rig.prompts.messages.empty());
  rig.sound.Play(true, 5);  // the volume is set first, and fails
  EXPECT_EQ(rig.prompts.MessageTexts(), Texts{"Could not play sound."});
  EXPECT_EQ(Peak(rig.Render(1024)), 0.0f);
}

TEST(DSound, OwnRateIsTheRecordedPitchAndTwiceTheRateAnOctaveUpInHalfTheTime) {
  for (std::int32_t f : {22050, 44100}) {
    OfflineRig rig;
    rig.sound.Load(rig.Wav("tone.wav", {22050, 1, 16}, fixtures::Tone(1000, 22050, 11025)));  // 0.5 s
    rig.sound.SetFrequency(f);
    rig.sound.Play(false, 0);
    const auto x = rig.Render(48000);
    EXPECT_FALSE(rig.sound.Playing()) << "a sound played once stops by itself";
    const auto last = std::find_if(x.rbegin(), x.rend(), [](float v) { return std::fabs(v) > 1e-4f; });
    EXPECT_NEAR(static_cast<double>(x.rend() - last) / 48000, 0.5 * 22050 / f, 0.002) << f;
    EXPECT_NEAR(testing::PeakFrequency(testing::PowerSpectrum(std::span(x).first(8192), 48000)), 1000.0 * f / 22050, 1.0);
  }
}

TEST(DSound, LoadingAnotherSoundStopsTheFirstAtOnceAndSoundFromMemoryPlaysBeside) {
  OfflineRig rig;
  rig.sound.Load(rig.Tone(1000));
  rig.sound.Play(true, 0);
  rig.Render(2048);
  {
    // A fifth of a second of 3 kHz; the caller's bytes are gone once the call returns.
    const auto image = fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(3000, 22050, 4410));
    rig.sound.PlayMemorySound(image);
  }
  rig.sound.Load(rig.Tone(2000));
  EXPECT_LT(GoertzelAmplitude(std::span<const float>(rig.Render(512)).subspan(272), 1000, 48000), 1e-6);
  rig.sound.SetVolume(-2000);
  rig.sound.Play(true, -2000);
  rig.Render(512);
  const auto x = rig.Render(4800);
  EXPECT_LT(GoertzelAmplitude(x, 1000, 48000), 1e-6);
  EXPECT_NEAR(GoertzelAmplitude(x, 2000, 48000), 0.05, 0.001);
  EXPECT_NEAR(GoertzelAmplitude(x, 3000, 48000), 0.5, 0.01) << "not touched by the buffer's volume";
  rig.sound.Stop();
  rig.Render(4800);
  EXPECT_EQ(Peak(rig.Render(4800)), 0.0f) << "played once, then gone";

  rig.sound.PlayMemorySound(std::vector<std::uint8_t>(100, 0x55));
  EXPECT_EQ(Peak(rig.Render(4800)), 0.0f);
  EXPECT_TRUE(rig.prompts.messages.empty()) << "a broken sound from memory is not heard, and not reported";
}

TEST(DSound, ALostOutputIsOpenedAfreshAndShutdownReleasesEverything) {
  OfflineRig rig;
  rig.sound.Load(rig.Tone(1000));
  rig.sound.Play(true, 0);
  rig.device.SimulateLoss();
  rig.sound.Play(true, 0);
  EXPECT_EQ(rig.device.openCount, 2);
  EXPECT_GT(Peak(rig.Render(1024)), 0.4f);

  rig.device.failOpen = true;
  rig.device.SimulateLoss();
  rig.sound.Play(true, 0);
  EXPECT_EQ(rig.prompts.MessageTexts(), Texts{"Could not play sound."});

  rig.sound.Shutdown();
  EXPECT_FALSE(rig.device.IsOpen());
  EXPECT_FALSE(rig.sound.HasBuffer());
  rig.device.failOpen = false;
  EXPECT_TRUE(rig.sound.Init());
}

TEST(OfflineAudioDevice, AChangeMadeByAClockCallbackIsHeardFromItsMillisecond) {
  OfflineRig rig;
  VirtualClock clock;
  rig.sound.Load(rig.Wav("dc.wav", {22050, 1, 32, fixtures::WavEncoding::Float}, std::vector<double>(22050, 0.5)));
  rig.sound.Play(true, 0);
  clock.CallAfter(100, [&rig] { rig.sound.Stop(); });
  rig.device.RenderAndAdvance(clock, 150);
  EXPECT_EQ(clock.NowMs(), 150);
  const auto x = rig.device.Channel(0);
  ASSERT_EQ(x.size(), 7200u);
  EXPECT_NEAR(x[4799], 0.5f, 1e-4f);  // the last frame before 100 ms
  EXPECT_LT(x[4800 + 200], 0.01f);     // fading from 100 ms on
  EXPECT_EQ(Peak(std::span(x).subspan(4800 + 256)), 0.0f);
}

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
