// What the player hears when the pitch changes, rendered offline through the real mixer
// and measured in the frequency domain. Files are 22050 Hz float tones; the output is
// 48000 Hz.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/playback/offline_rig.h"
#include "tests/playback/signal_analysis.h"

namespace revalorn {
namespace {

using testing::Db;
using testing::OfflineRig;
using testing::PowerSpectrum;

constexpr double kOut = 48000;

// How tone (a WAV file in rig) sounds, looping steadily at playback frequency f.
testing::Spectrum Steady(OfflineRig& rig, const std::string& tone, std::int32_t f) {
  rig.sound.Load(tone);
  rig.sound.SetFrequency(f);
  rig.sound.Play(true, 0);
  rig.Render(4096);
  return PowerSpectrum(rig.Render(65536), kOut);
}
testing::Spectrum SteadyTone(double hz, std::int32_t f) {
  OfflineRig rig;
  return Steady(rig, rig.Tone(hz), f);
}

TEST(MixerQuality, TonesPlayedAtTwiceTheirRateHaveNoSpuriousComponentsAbove90dB) {
  for (double hz : {1000.0, 5000.0}) {
    const auto s = SteadyTone(hz, 44100);
    const double sfdr = Db(testing::PeakPower(s, 2 * hz) / testing::MaxPowerOutside(s, 2 * hz, 2 * hz));
    EXPECT_GE(sfdr, 90.0) << hz << " Hz";
  }
}

TEST(MixerQuality, NothingFoldsBackAboveTheOutputNyquistAndNoImagesBelowTheTone) {
  // The reference is a tone's own level: 10 kHz lies above the converter's passband
  // (0.45 of the file's rate), so it is taken from a tone of the same amplitude inside it.
  const double reference = testing::PeakPower(SteadyTone(1000, 22050), 1000);
  const auto folded = SteadyTone(10000, 57330);  // 2.6×: 26 kHz would fold back to 22 kHz
  const double residue = Db(testing::MaxPowerOutside(folded, -1e9, -1e9) / reference);
  EXPECT_LE(residue, -80.0);

  const auto slowed = SteadyTone(8000, 1378);  // 0.0625×: the tone lands at 500 Hz
  const double toneHz = 8000.0 * 1378 / 22050;
  const double images = Db(testing::MaxPowerOutside(slowed, toneHz, toneHz) / testing::PeakPower(slowed, toneHz));
  EXPECT_LE(images, -80.0);
}

TEST(MixerQuality, PassbandIsFlatUpTo036OfTheFileRate) {
  for (std::int32_t f : {22050, 44100}) {
    for (double hz : {100.0, 1000.0, 4000.0, 7000.0, 0.36 * 22050}) {
      const double db = 20 * std::log10(testing::ToneAmplitude(SteadyTone(hz, f), hz * f / 22050) / 0.5);
      EXPECT_NEAR(db, 0.0, 0.5) << hz << " Hz at " << f << " Hz";
    }
  }
}

TEST(MixerQuality, SweepWithTheFrequencyChangedEveryMillisecondStaysInBand) {
  // Auto Play at full speed: 1.0× to 2.6× in 1 ms steps.
  OfflineRig rig;
  rig.sound.Load(rig.Tone(5000));
  rig.sound.Play(true, 0);
  rig.device.RenderMs(100);
  rig.device.ClearOutput();
  for (int i = 0; i <= 1400; ++i) {
    rig.sound.SetFrequency(static_cast<std::int32_t>(std::lround(22050 * (1.0 + 1.6 * i / 1400))));
    rig.device.RenderMs(1);
  }
  const double outOfBand = Db(testing::ShareOutside(PowerSpectrum(rig.device.Channel(0), kOut), 4700, 13300));
  EXPECT_LE(outOfBand, -70.0);
}

TEST(MixerQuality, LoopOfWholePeriodsHasNoSeam) {
  // 441 frames hold exactly 20 periods of 1 kHz: the seam passes 100 times a second. A
  // flaw there would show as a comb of lines 50 Hz apart.
  for (std::int32_t f : {22050, 30011}) {
    OfflineRig rig;
    const auto s = Steady(rig, rig.Wav("loop.wav", {22050, 1, 32, fixtures::WavEncoding::Float}, fixtures::Tone(1000, 22050, 441)), f);
    const double hz = 1000.0 * f / 22050;
    EXPECT_GE(Db(testing::PeakPower(s, hz) / testing::MaxPowerOutside(s, hz, hz)), 100.0) << f;
  }
}

TEST(MixerQuality, StartStopAndVolumeChangesAreRampedNotClicked) {
  // A constant signal shows the gain directly.
  OfflineRig rig;
  rig.sound.Load(rig.Wav("dc.wav", {22050, 1, 32, fixtures::WavEncoding::Float}, std::vector<double>(22050, 0.5)));
  // Frames until the level settles at target, and the largest step on the way.
  const auto transition = [&rig](double target) {
    const auto x = rig.Render(1024);
    std::size_t settled = 0;
    double step = 0;
    for (std::size_t i = 1; i < x.size(); ++i) {
      step = std::max(step, static_cast<double>(std::fabs(x[i] - x[i - 1])));
      if (std::fabs(x[i] - target) > 0.0005) settled = i + 1;
    }
    return std::pair{settled, step};
  };
  rig.sound.Play(true, 0);
  const auto [start, startStep] = transition(0.5);
  rig.sound.SetVolume(-4000);
  const auto [down, downStep] = transition(0.005);  // 40 dB down
  rig.sound.SetVolume(0);
  transition(0.5);
  rig.sound.Stop();
  const auto [stop, stopStep] = transition(0.0);
  for (std::size_t frames : {start, down, stop}) {
    EXPECT_GE(frames, 64u);
    EXPECT_LE(frames, 256u);
  }
  EXPECT_LT(stop, 6 * 48u) << "a stop is still immediate to the ear";
  for (double step : {startStep, downStep, stopStep}) EXPECT_LT(step, 0.5 / 64 * 1.2);
}

TEST(MixerQuality, ChangesReachTheOutputWithinOneDevicePeriod) {
  OfflineRig rig;
  rig.sound.Load(rig.Tone(1000));
  rig.sound.Play(true, 0);
  rig.Render(4096);
  rig.sound.SetFrequency(44100);
  auto x = rig.Render(512);
  EXPECT_GT(testing::GoertzelAmplitude(std::span(x).subspan(272), 2000, kOut), 0.45);
  rig.sound.SetVolume(-4000);
  x = rig.Render(512);
  EXPECT_NEAR(testing::GoertzelAmplitude(std::span(x).subspan(272), 2000, kOut), 0.005, 0.0002);
}

TEST(MixerQuality, FrequenciesAtBothEndsOfTheRangePlayInTune) {
  // 100 Hz needs a ratio of 480, beyond the converter's 256: the voice then reads
  // through an upsampling pre-stage. Sweep down into it smoothly, then hold each end.
  OfflineRig rig;
  rig.sound.Load(rig.Tone(7000));
  rig.sound.SetFrequency(1000);
  rig.sound.Play(true, 0);
  rig.Render(4096);
  float last = rig.Render(1).back();
  for (int f = 1000; f >= 100; f -= 10) {
    rig.sound.SetFrequency(f);
    for (float v : rig.Render(48)) {
      // The tone is at most 317 Hz here: a smooth wave moves less than 0.021 a frame.
      ASSERT_LT(std::fabs(v - last), 0.025f) << f;
      last = v;
    }
  }
  rig.Render(48000);
  auto s = PowerSpectrum(rig.Render(65536), kOut);
  EXPECT_NEAR(testing::PeakFrequency(s), 7000.0 * 100 / 22050, 0.1);
  EXPECT_NEAR(testing::ToneAmplitude(s, 7000.0 * 100 / 22050), 0.5, 0.03);

  s = Steady(rig, rig.Tone(1000), 200000);
  EXPECT_NEAR(testing::PeakFrequency(s), 1000.0 * 200000 / 22050, 0.1);
  EXPECT_NEAR(testing::ToneAmplitude(s, 1000.0 * 200000 / 22050), 0.5, 0.03);
}

}  // namespace
}  // namespace revalorn
