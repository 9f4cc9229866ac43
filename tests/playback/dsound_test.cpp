// The DSound operations as the rest of the program sees them, on the offline device:
// the messages, the one buffer, the units, and what is heard.
#include "playback/dsound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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

}  // namespace
}  // namespace revalorn
