// revalorn-cli render: one Auto Play cycle rendered through the real sound output.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "playback/wav_decoder.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/playback/signal_analysis.h"
#include "tests/support/temp_dir.h"

namespace revalorn {
namespace {

struct Result {
  int status;
  std::string err;
};

Result Render(std::vector<std::string> args) {
  std::vector<std::string_view> argv = {"revalorn-cli", "render"};
  for (const auto& a : args) argv.push_back(a);
  std::ostringstream out, err;
  const int status = cli::RunCli(argv, out, err);
  return {status, err.str()};
}

struct Step {
  std::int64_t ms;  // when the frequency is set
  std::int32_t hz;
};

// The worked example's cycle (fi 3000, fm 48760, d 1000, fh 22880) at 98 ms a step,
// after the 0.3 s opening.
std::vector<Step> WorkedExampleAtSpeed1() {
  std::vector<Step> steps;
  std::int64_t t = 300;
  auto ramp = [&](std::int32_t from, std::int32_t to, std::int32_t d) {
    for (std::int32_t f = from; d > 0 ? f <= to : f >= to; f += d, t += 98) steps.push_back({t, f});
  };
  ramp(3000, 48760, 1000);
  t += 100;
  for (int blip = 0; blip < 3; ++blip) {
    ramp(48760, 22880, -1000);
    t += 100;
    ramp(22880, 48760, 1000);
    t += 100;
  }
  t += 900;
  ramp(48760, 3000, -1000);
  return steps;
}

TEST(RenderCommand, ThePitchOfAToneFollowsTheCycleStepByStep) {
  testing::TempDir dir;
  // 2205 Hz at 22050 Hz, ten samples a period: played at frequency f it sounds at f / 10.
  const std::string tone = dir.Sub("tone.wav");
  testing::WriteBinaryFile(tone, fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(2205, 22050, 22050)));
  const std::string out = dir.Sub("cycle.wav");
  const Result r = Render({tone, "--maxfreq", "48760", "--speed", "1", "--out", out});
  ASSERT_EQ(r.status, 0) << r.err;

  const auto wav = DecodeWav(testing::ReadBinaryFile(out));
  ASSERT_TRUE(wav);
  const double rate = wav->sampleRate;
  const auto channels = static_cast<std::size_t>(wav->channels);
  const std::size_t frames = wav->frames;
  // From the first play to the final stop (27.204 s), and at most its fade-out after.
  EXPECT_GE(frames, static_cast<std::size_t>(27.204 * rate));
  EXPECT_LE(frames, static_cast<std::size_t>(27.224 * rate));

  std::vector<float> left(frames);
  for (std::size_t i = 0; i < frames; ++i) left[i] = wav->samples[i * channels];
  // Measured 30 ms into each step, after the change of pitch has settled.
  auto pitchAt = [&](std::int64_t ms) {
    const auto from = static_cast<std::size_t>((ms + 30) * rate / 1000);
    return testing::PeakFrequency(testing::PowerSpectrum(std::span(left).subspan(from, 2048), rate));
  };
  EXPECT_NEAR(pitchAt(0), 300.0, 10.0) << "the opening at idle";
  const std::vector<Step> steps = WorkedExampleAtSpeed1();
  ASSERT_EQ(steps.size(), 248u);
  for (const Step& s : steps) EXPECT_NEAR(pitchAt(s.ms), s.hz / 10.0, 10.0) << "step at " << s.ms << " ms";
  EXPECT_LT(std::abs(left.back()), 0.01f) << "faded out at the end";
}

TEST(RenderCommand, UsageErrorsAndFilesTheOutputCannotPlay) {
  testing::TempDir dir;
  const std::string tone = dir.Sub("tone.wav");
  testing::WriteBinaryFile(tone, fixtures::MakeWav({22050, 1, 16}, fixtures::Tone(2205, 22050, 2205)));
  const std::string out = dir.Sub("out.wav");
  for (const std::vector<std::string>& usage :
       {std::vector<std::string>{tone, "--out", out}, {"--maxfreq", "48760", "--out", out},
        {tone, "--maxfreq", "4876O", "--out", out}, {tone, "--maxfreq", "48760", "--speed", "99", "--out", out},
        {tone, "--maxfreq", "48760", "--volume", "1", "--out", out}, {tone, "--maxfreq", "48760", "--loud", "--out", out},
        {tone, "--maxfreq"}}) {
    EXPECT_EQ(Render(usage).status, 2) << ::testing::PrintToString(usage);
  }

  testing::WriteTextFile(dir.path() / "notes.wav", "not a sound");
  for (const std::string& unusable : {dir.Sub("notes.wav"), dir.Sub("missing.wav")}) {
    const Result r = Render({unusable, "--maxfreq", "48760", "--out", out});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "revalorn-cli: Could not load sound.\n");
  }
  const Result offTheDial = Render({tone, "--maxfreq", "70000", "--out", out});
  EXPECT_EQ(offTheDial.status, 1);
  EXPECT_EQ(offTheDial.err, "revalorn-cli: The selected sound has a problem and can't be played.\n");
  EXPECT_FALSE(std::filesystem::exists(out)) << "nothing written on failure";
}

}  // namespace
}  // namespace revalorn
