// What the player hears when the pitch changes: rendered offline through the real
// mixer and measured in the frequency domain. Files are 22050 Hz float tones, rendered
// at 48000 Hz.
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
constexpr std::size_t kAnalysed = 65536;

// Plays hz (a tone in a 22050 Hz file) looping at playback frequency f and returns the
// spectrum of the steady output.
testing::Spectrum SteadyTone(double hz, std::int32_t f) {
  OfflineRig rig;
  rig.sound.Load(rig.Tone(hz));
  rig.sound.SetFrequency(f);
  rig.sound.Play(true, 0);
  rig.Render(4096);
  return PowerSpectrum(rig.Render(kAnalysed), kOut);
}

TEST(MixerQuality, TonesPlayedAtTwiceTheirRateHaveNoSpuriousComponentsAbove90dB) {
  for (double hz : {1000.0, 5000.0}) {
    const auto s = SteadyTone(hz, 44100);
    const double tone = testing::PeakPower(s, 2 * hz);
    const double sfdr = Db(tone / testing::MaxPowerOutside(s, 2 * hz, 2 * hz));
    EXPECT_GE(sfdr, 90.0) << hz << " Hz";
    RecordProperty(hz == 1000 ? "sfdr_1k_db" : "sfdr_5k_db", std::to_string(sfdr));
  }
}

TEST(MixerQuality, ToneAboveTheOutputNyquistIsRemovedNotFoldedBack) {
  // The reference is the tone's own level: 10 kHz lies above the converter's passband
  // (0.45 of the file's rate), so it is measured on a tone of the same amplitude inside
  // it.
  const double reference = testing::PeakPower(SteadyTone(1000, 22050), 1000);
  const auto s = SteadyTone(10000, 57330);  // 26 kHz: would fold back to 22 kHz
  const double residue = Db(testing::MaxPowerOutside(s, 0, 0, 0) / reference);
  EXPECT_LE(residue, -80.0);
  RecordProperty("residue_10k_at_2_6_db", std::to_string(residue));
}

TEST(MixerQuality, ToneSlowedSixteenTimesShowsNoImages) {
  const auto s = SteadyTone(8000, 1378);  // 0.0625 × 22050 Hz: the tone lands at 500 Hz
  const double toneHz = 8000.0 * 1378 / 22050;
  const double images = Db(testing::MaxPowerOutside(s, toneHz, toneHz) / testing::PeakPower(s, toneHz));
  EXPECT_LE(images, -80.0);
  RecordProperty("images_8k_at_0_0625_db", std::to_string(images));
}

TEST(MixerQuality, PassbandIsFlatUpTo036OfTheFileRate) {
  for (std::int32_t f : {22050, 44100}) {
    for (double hz : {100.0, 1000.0, 4000.0, 7000.0, 0.36 * 22050}) {
      const double amplitude = testing::ToneAmplitude(SteadyTone(hz, f), hz * f / 22050);
      EXPECT_NEAR(20 * std::log10(amplitude / 0.5), 0.0, 0.5) << hz << " Hz at " << f << " Hz";
    }
  }
}

TEST(MixerQuality, SweepWithTheFrequencyChangedEveryMillisecondStaysInBand) {
  // Auto Play at full speed: 1.0× to 2.6× in 1 ms steps over 1.4 s.
  OfflineRig rig;
  rig.sound.Load(rig.Tone(5000));
  rig.sound.Play(true, 0);
  rig.device.RenderMs(100);
  rig.device.ClearOutput();
  const int steps = 1400;
  for (int i = 0; i <= steps; ++i) {
    rig.sound.SetFrequency(static_cast<std::int32_t>(std::lround(22050 * (1.0 + 1.6 * i / steps))));
    rig.device.RenderMs(1);
  }
  const auto s = PowerSpectrum(rig.device.Channel(0), kOut);
  const double outOfBand = Db(testing::PowerOutside(s, 5000 - 300, 13000 + 300) / testing::TotalPower(s));
  EXPECT_LE(outOfBand, -70.0);
  RecordProperty("sweep_out_of_band_db", std::to_string(outOfBand));
}

TEST(MixerQuality, LoopingWholePeriodsHasNoSeam) {
  // 441 frames hold exactly 20 periods of 1 kHz; the loop runs past its seam 100 times
  // a second. At its own rate and at an odd ratio the output stays a clean sine.
  for (std::int32_t f : {22050, 30011}) {
    OfflineRig rig;
    rig.sound.Load(rig.Wav("short.wav", {22050, 1, 32, fixtures::WavEncoding::Float}, fixtures::Tone(1000, 22050, 441)));
    rig.sound.SetFrequency(f);
    rig.sound.Play(true, 0);
    rig.Render(4096);
    const auto x = rig.Render(24000);
    EXPECT_LT(testing::SineFitResidue(x, 1000.0 * f / 22050, kOut), 1e-4) << f;
  }
}

// A constant signal shows the gain envelope directly.
struct Envelope {
  OfflineRig rig;
  Envelope() {
    rig.sound.Load(rig.Wav("dc.wav", {22050, 1, 32, fixtures::WavEncoding::Float}, std::vector<double>(22050, 0.5)));
  }
  // Frames from the call until the level settles within 0.1% of target, and the
  // largest step between two frames on the way.
  std::pair<std::size_t, double> Transition(double target) {
    const auto x = rig.Render(1024);
    std::size_t settled = 0;
    double step = 0;
    for (std::size_t i = 1; i < x.size(); ++i) {
      step = std::max(step, static_cast<double>(std::fabs(x[i] - x[i - 1])));
      if (std::fabs(x[i] - target) > 0.001 * std::max(target, 0.5)) settled = i + 1;
    }
    return {settled, step};
  }
};

TEST(MixerQuality, StartStopAndVolumeChangesAreRampedNotClicked) {
  Envelope e;
  e.rig.sound.Play(true, 0);
  auto [start, startStep] = e.Transition(0.5);
  EXPECT_GE(start, 64u);
  EXPECT_LE(start, 256u);
  EXPECT_LT(startStep, 0.5 / 64 * 1.2);

  e.rig.sound.SetVolume(-4000);
  auto [down, downStep] = e.Transition(0.005);
  EXPECT_GE(down, 64u);
  EXPECT_LE(down, 256u);
  EXPECT_LT(downStep, 0.5 / 64);
  EXPECT_NEAR(e.rig.Render(64).back(), 0.005, 0.00005);  // -40 dB

  e.rig.sound.SetVolume(0);
  e.Transition(0.5);
  e.rig.sound.Stop();
  auto [stop, stopStep] = e.Transition(0.0);
  EXPECT_GE(stop, 64u);
  EXPECT_LT(stop, 6 * 48u);  // under 6 ms: still immediate to the ear
  EXPECT_LT(stopStep, 0.5 / 64);
}

TEST(MixerQuality, ChangesReachTheOutputWithinOneDevicePeriod) {
  OfflineRig rig;
  rig.sound.Load(rig.Tone(1000));
  rig.sound.Play(true, 0);
  rig.Render(4096);
  rig.sound.SetFrequency(44100);
  auto x = rig.Render(512);
  const std::span<const float> tail(x.data() + 256, 256);
  EXPECT_GT(testing::GoertzelAmplitude(tail, 2000, kOut), 0.4);
  EXPECT_LT(testing::GoertzelAmplitude(tail, 1000, kOut), 0.05);

  rig.sound.SetVolume(-4000);
  x = rig.Render(512);
  const float late = *std::max_element(x.begin() + 384, x.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); });
  EXPECT_NEAR(std::fabs(late), 0.005, 0.0005);
}

TEST(MixerQuality, FrequenciesAtBothEndsOfTheRangePlayInTune) {
  // 100 Hz needs a ratio of 480 (beyond the converter's 256): the voice goes through
  // the upsampling pre-stage. Sweep down into it and back, then hold each end.
  OfflineRig rig;
  rig.sound.Load(rig.Tone(7000));
  rig.sound.SetFrequency(1000);
  rig.sound.Play(true, 0);
  rig.Render(4096);
  float last = rig.Render(1).back();
  for (int f = 1000; f >= 100; f -= 10) {
    rig.sound.SetFrequency(f);
    for (float v : rig.Render(48)) {
      ASSERT_TRUE(std::isfinite(v)) << f;
      // The tone is at most 317 Hz here: a smooth wave moves less than 0.021 a frame.
      ASSERT_LT(std::fabs(v - last), 0.025f) << f;
      last = v;
    }
  }
  rig.Render(48000);
  auto s = PowerSpectrum(rig.Render(kAnalysed), kOut);
  EXPECT_NEAR(testing::PeakFrequency(s), 7000.0 * 100 / 22050, 0.1);
  EXPECT_NEAR(testing::ToneAmplitude(s, 7000.0 * 100 / 22050), 0.5, 0.03);

  rig.sound.Load(rig.Tone(1000));
  rig.sound.SetFrequency(200000);
  rig.sound.Play(true, 0);
  rig.Render(4096);
  s = PowerSpectrum(rig.Render(kAnalysed), kOut);
  EXPECT_NEAR(testing::PeakFrequency(s), 1000.0 * 200000 / 22050, 0.1);
  EXPECT_NEAR(testing::ToneAmplitude(s, 1000.0 * 200000 / 22050), 0.5, 0.03);
}

}  // namespace
}  // namespace revalorn
