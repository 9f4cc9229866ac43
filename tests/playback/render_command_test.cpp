// revalorn-cli render: one Auto Play cycle rendered through the real sound output.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <tuple>

#include "playback/wav_decoder.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/playback/auto_play_cycle.h"
#include "tests/playback/signal_analysis.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

using testing::RunCliWith;

class RenderCommand : public ::testing::Test {
 protected:
  RenderCommand() {
    // 2205 Hz at 22050 Hz, ten samples a period: played at frequency f it sounds at f / 10.
    testing::WriteBinaryFile(tone, fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(2205, 22050, 22050)));
  }
  testing::TempDir dir;
  std::string tone = dir.Sub("tone.wav");
  std::string out = dir.Sub("cycle.wav");
};

TEST_F(RenderCommand, ThePitchOfAToneFollowsTheCycleStepByStep) {
  const auto r = RunCliWith({"render", tone, "--maxfreq", "48760", "--speed", "1", "--out", out});
  ASSERT_EQ(r.status, 0) << r.err;

  const auto wav = DecodeWav(testing::ReadBinaryFile(out));
  ASSERT_TRUE(wav);
  const double rate = wav->sampleRate;
  const std::size_t frames = wav->frames;
  // From the first play to the final stop (27.204 s), and at most its fade-out after.
  EXPECT_GE(frames, static_cast<std::size_t>(27.204 * rate));
  EXPECT_LE(frames, static_cast<std::size_t>(27.224 * rate));

  std::vector<float> left(frames);
  for (std::size_t i = 0; i < frames; ++i) left[i] = wav->samples[i * static_cast<std::size_t>(wav->channels)];
  // Measured 30 ms into each step (the opening included), after the change of pitch has settled.
  for (const auto& step : testing::AutoPlayCycle(3000, 48760, 1000, 22880, 98)) {
    const auto from = static_cast<std::size_t>((step.ms + 30) * rate / 1000);
    const double pitch = testing::PeakFrequency(testing::PowerSpectrum(std::span(left).subspan(from, 2048), rate));
    EXPECT_NEAR(pitch, step.hz / 10.0, 10.0) << "step at " << step.ms << " ms";
  }
  EXPECT_LT(std::abs(left.back()), 0.01f) << "faded out at the end";
}

TEST_F(RenderCommand, UsageErrorsAndFilesTheOutputCannotPlayWriteNothing) {
  for (const std::vector<std::string>& usage :
       {std::vector<std::string>{tone, "--out", out}, {"--maxfreq", "48760", "--out", out},
        {tone, "--maxfreq", "4876O", "--out", out}, {tone, "--maxfreq", "48760", "--speed", "99", "--out", out},
        {tone, "--maxfreq", "48760", "--volume", "1", "--out", out}, {tone, "--maxfreq"}}) {
    std::vector<std::string> args{"render"};
    args.insert(args.end(), usage.begin(), usage.end());
    EXPECT_EQ(RunCliWith(args).status, 2) << ::testing::PrintToString(usage);
  }
  testing::WriteTextFile(dir.path() / "notes.wav", "not a sound");
  for (const auto& [file, maxFreq, message] :
       {std::tuple{dir.Sub("notes.wav"), "48760", "Could not load sound."},
        std::tuple{dir.Sub("missing.wav"), "48760", "Could not load sound."},
        std::tuple{tone, "70000", "The selected sound has a problem and can't be played."}}) {
    const auto r = RunCliWith({"render", file, "--maxfreq", maxFreq, "--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string("revalorn-cli: ") + message + "\n");
  }
  EXPECT_FALSE(std::filesystem::exists(out)) << "nothing written on failure";
}

}  // namespace
}  // namespace revalorn
