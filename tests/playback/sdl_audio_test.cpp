// The sound output through the real SDL2 back end, with SDL's `disk` driver (raw float
// output into a file, faster than real time) and `dummy` driver (real time, discarded).
#include "playback/sdl/sdl_audio_device.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <thread>

#include "core/context.h"
#include "playback/dsound.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/playback/signal_analysis.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

using namespace std::chrono_literals;

class SdlSound : public ::testing::Test {
 protected:
  // Selects SDL's driver; the disk driver writes to raw (or file) without pausing.
  void UseDriver(const char* driver, const std::string& file = {}) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", file.empty() ? raw.c_str() : file.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
  }
  // A 22050 Hz 16-bit tone of whole periods.
  std::string Tone(double hz, int frames) {
    const std::string path = dir.Sub("tone" + std::to_string(static_cast<int>(hz)) + ".wav");
    testing::WriteBinaryFile(path, fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(hz, 22050, frames)));
    return path;
  }
  // Waits until the device has asked for n more periods (at most 5 s).
  void WaitPeriods(std::int64_t n) {
    const std::int64_t target = device.Periods() + n;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (device.Periods() < target && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
    ASSERT_GE(device.Periods(), target) << "the device stopped asking for sound";
  }
  // The left channel of everything the disk driver wrote (read after Shutdown).
  std::vector<float> Recorded() const {
    const auto bytes = testing::ReadBinaryFile(raw);
    std::vector<float> left;
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
      float v;
      std::memcpy(&v, bytes.data() + i, 4);
      left.push_back(v);
    }
    return left;
  }

  testing::TempDir dir;
  std::string raw = dir.Sub("out.raw");
  testing::ScriptedPrompts prompts;
  SdlAudioDevice device;
  DSound sound{prompts, device};
};

// Amplitude of hz in consecutive blocks of 10 ms (480 frames: whole periods of every
// tone used here, so steady tones do not leak into each other's measure).
constexpr std::size_t kBlock = 480;
std::vector<double> Levels(const std::vector<float>& x, double hz) {
  std::vector<double> out;
  for (std::size_t i = 0; i + kBlock <= x.size(); i += kBlock) {
    out.push_back(testing::GoertzelAmplitude(std::span(x).subspan(i, kBlock), hz, 48000));
  }
  return out;
}

TEST_F(SdlSound, FloatStereoAt48000PlaysOnceThenLoopsUntilStoppedAtItsRecordedPitch) {
  UseDriver("disk");
  ASSERT_TRUE(sound.Init());
  EXPECT_EQ(device.Format().sampleRate, 48000);
  EXPECT_EQ(device.Format().channels, 2);
  EXPECT_LE(device.Format().periodFrames, 512);
  sound.Load(Tone(1000, 441 * 12));  // 0.24 s
  sound.Play(false, 0);
  WaitPeriods(60);                   // 0.64 s of output
  EXPECT_FALSE(sound.Playing()) << "a sound played once stops by itself";
  sound.Play(true, 0);
  WaitPeriods(60);
  EXPECT_TRUE(sound.Playing()) << "a loop goes on";
  sound.Stop();
  WaitPeriods(20);
  sound.Shutdown();
  EXPECT_TRUE(prompts.messages.empty());

  // Runs of blocks with the tone: the sound once, then the loop, each followed by silence.
  const auto levels = Levels(Recorded(), 1000);
  std::vector<std::pair<std::size_t, std::size_t>> runs;  // first block, block count
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (levels[i] < 0.1) continue;
    if (runs.empty() || runs.back().first + runs.back().second != i) runs.push_back({i, 0});
    ++runs.back().second;
  }
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_NEAR(static_cast<double>(runs[0].second) * 0.01, 0.24, 0.015);
  EXPECT_GT(static_cast<double>(runs[1].second) * 0.01, 0.5) << "looped past its end";
  EXPECT_LT(levels.back(), 1e-6) << "silent after the stop";

  const auto x = Recorded();
  const auto s = testing::PowerSpectrum(std::span(x).subspan(runs[1].first * kBlock + 1024, 16384), 48000);
  EXPECT_NEAR(testing::PeakFrequency(s), 1000.0, 0.5);
}

TEST_F(SdlSound, LoadingASecondSoundStopsTheFirstAtOnce) {
  UseDriver("disk");
  ASSERT_TRUE(sound.Init());
  sound.Load(Tone(1000, 22050));
  sound.Play(true, 0);
  WaitPeriods(30);
  sound.Load(Tone(3000, 22050));
  WaitPeriods(30);
  sound.Play(true, 0);
  WaitPeriods(30);
  sound.Shutdown();

  const auto x = Recorded();
  const auto first = Levels(x, 1000);
  const auto second = Levels(x, 3000);
  const auto firstSecond = static_cast<std::size_t>(
      std::find_if(second.begin(), second.end(), [](double level) { return level > 0.01; }) - second.begin());
  ASSERT_LT(firstSecond, second.size());
  // Before the second sound sets in (its onset leaks into the measure), the first stops
  // from full level within two blocks (the fade is 120 frames) and for good.
  std::size_t lastFull = 0, lastHeard = 0;
  for (std::size_t i = 0; i + 1 < firstSecond; ++i) {
    if (first[i] > 0.45) lastFull = i;
    if (first[i] > 1e-4) lastHeard = i;
  }
  EXPECT_LE(lastHeard, lastFull + 2);
  EXPECT_LT(lastHeard + 4, firstSecond) << "never heard together";
  std::size_t lastSecond = second.size();  // the output closes after it
  while (lastSecond > 0 && second[lastSecond - 1] < 0.45) --lastSecond;
  for (std::size_t i = firstSecond + 2; i + 1 < lastSecond; ++i) EXPECT_LT(first[i], 1e-4) << "block " << i;
}

TEST_F(SdlSound, ALostOutputNeitherCrashesNorHangs) {
  // Writing to /dev/full fails: SDL reports the output as removed.
  UseDriver("disk", "/dev/full");
  ASSERT_TRUE(sound.Init());
  sound.Load(Tone(1000, 22050));
  sound.Play(true, 0);
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  while (!device.Lost() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  EXPECT_TRUE(device.Lost());
  sound.SetFrequency(30000);
  sound.SetVolume(-2000);
  sound.Stop();
  sound.Play(true, 0);  // opens the output afresh (and loses it again)
  sound.Load(Tone(3000, 22050));
  sound.PlayMemorySound(fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(2000, 22050, 2205)));
  sound.Shutdown();
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(SdlSound, NoOutputShowsTheMessageOnceAndEndsTheProgram) {
  UseDriver("no-such-driver");
  VirtualClock clock;
  MemorySettingsBackend settings;
  Context ctx(prompts, clock, settings, sound);
  DSoundInitOrEnd(ctx);
  EXPECT_EQ(prompts.MessageTexts(), std::vector<std::string>{"Could not initialize DirectSound 8."});
  EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Critical);
  EXPECT_EQ(prompts.endProgramCalls, 1);
  EXPECT_TRUE(ctx.values.ProgramEnded);
}

}  // namespace
}  // namespace revalorn
