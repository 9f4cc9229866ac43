// Auto Play with the recording sound output and the virtual clock, then one cycle
// rendered through the real sound output by revalorn-cli render.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <tuple>
#include <utility>
#include <vector>

#include "playback/auto_play.h"
#include "playback/playback_controls.h"
#include "playback/tachometer.h"
#include "playback/wav_decoder.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/playback/auto_play_cycle.h"
#include "tests/playback/signal_analysis.h"
#include "tests/support/cli_run.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::TestContext;
constexpr auto Cycle = testing::CycleFrequencies;
using Op = testing::RecordingSoundOutput::Call::Op;
using Move = std::pair<std::int64_t, int>;  // a needle drawn: time, step

// The version and engine sound picked in the window, with the slot's sample rate and
// rev limit.
void SelectEngine(Context& ctx, int listIndex, std::int32_t rate, std::int32_t maxFreq) {
  const std::int16_t v = kVersionOriginal1967;
  ctx.values.GameVersion = ctx.values.CurrentGameVersion = v;
  ctx.controls.ClearList(Ctl::Combo1);
  for (std::int16_t s : VersionSlots(ctx.catalogue, v)) ctx.controls.AddItem(Ctl::Combo1, ctx.catalogue.CarLabel(v, s));
  ctx.controls.SetListIndex(Ctl::Combo1, listIndex);
  const std::int16_t slot = SlotOfListIndex(listIndex, ctx.controls.ListCount(Ctl::Combo1));
  ctx.catalogue.SampleRate(v, slot) = rate;
  ctx.catalogue.MaxFreq(v, slot) = maxFreq;
}

class AutoPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTachometers(t.ctx);
    SelectEngine(t.ctx, 0, 22050, 48760);
    // Every needle drawn.
    t.controls().SetObserver([this](Ctl c, ControlModel::Change) {
      const TachState& tach = t.controls().Tachometer();
      if (c == Ctl::Tach && tach.serial != serial_ && tach.needleStep >= 0) needle.emplace_back(t.clock.NowMs(), tach.needleStep);
      serial_ = tach.serial;
    });
  }
  void SetSpeed(int position) {
    t.controls().SetValue(Ctl::HScroll2, position);
    HScroll2_Change(t.ctx);
  }
  // Plays a whole cycle; returns its frequencies.
  std::vector<std::int32_t> PlayCycle(int Index = 0) {
    t.sound.calls.clear();
    needle.clear();
    Steps play = CmdAutoPlay_Click(t.ctx, Index);
    t.clock.RunUntilIdle();
    EXPECT_TRUE(play.Finished());
    return t.sound.Frequencies();
  }
  void ExpectIdle() {
    EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Auto Play");
    EXPECT_TRUE(t.controls().Enabled(Ctl::Combo1));
    EXPECT_FALSE(t.controls().Visible(Ctl::Tach));
    EXPECT_TRUE(t.values().StopPlay);
  }

  TestContext t;
  std::vector<Move> needle;

 private:
  std::uint64_t serial_ = 0;
};

TEST_F(AutoPlayTest, WorkedExampleRunsTheWholeCycleInOrderAndEndsIdle) {
  SetSpeed(1);  // 98 ms a step
  t.controls().SetValue(Ctl::HScroll1, -1200);
  Steps play = CmdAutoPlay_Click(t.ctx, 0);
  // Before the first wait: playing controls, the working copy looping at idle.
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Stop Play");
  EXPECT_TRUE(t.controls().Visible(Ctl::Tach));
  ASSERT_EQ(t.sound.calls.size(), 3u);
  EXPECT_EQ(t.sound.calls[0].path, JoinPath(JoinPath(t.values().ProgramFolder, "Working Folder"), "repco.wav"));
  EXPECT_EQ(t.sound.calls[1].value, 3000);
  EXPECT_TRUE(t.sound.calls[2].op == Op::Play && t.sound.calls[2].looping && t.sound.calls[2].value == -1200);

  t.clock.RunUntilIdle();
  ASSERT_TRUE(play.Finished());
  const std::vector<std::int32_t> f = t.sound.Frequencies();
  ASSERT_EQ(f.size(), 1u + 248u);
  EXPECT_EQ(f, Cycle(3000, 48760, 1000, 22880));
  EXPECT_EQ(f[46], 48000) << "the first ramp stops one part-step below the top";
  EXPECT_EQ(f[73], 22880) << "the lower turning point is half the span";
  // 248 steps of 98 ms, 2.6 s of pauses and the 0.3 s opening.
  EXPECT_EQ(t.clock.NowMs(), 248 * 98 + 2600 + 300);
  ASSERT_EQ(needle.size(), 249u);
  const auto steps = testing::AutoPlayCycle(3000, 48760, 1000, 22880, 98);
  for (std::size_t i = 0; i < needle.size(); ++i) ASSERT_EQ(needle[i].first, steps[i].ms) << "step " << i;
  EXPECT_EQ(needle[0].second, 15);
  EXPECT_EQ(needle[47].second, 244);
  EXPECT_EQ(t.sound.calls.back().op, Op::Stop);
  ExpectIdle();
}

TEST_F(AutoPlayTest, OtherSampleRatesScaleEveryFrequencyKeepingStepsAndNeedle) {
  auto needleSteps = [this] {
    std::vector<int> steps;
    for (const Move& m : needle) steps.push_back(m.second);
    return steps;
  };
  PlayCycle();
  const std::vector<int> needleAt22050 = needleSteps();
  for (const auto& [rate, num, den] : {std::tuple{11025, 1, 2}, std::tuple{44100, 2, 1}}) {
    SelectEngine(t.ctx, 0, rate, 48760);
    std::vector<std::int32_t> expected = Cycle(3000, 48760, 1000, 22880);
    for (std::int32_t& x : expected) x = x * num / den;
    EXPECT_EQ(PlayCycle(), expected) << rate;
    EXPECT_EQ(needleSteps(), needleAt22050) << rate;
  }
}

TEST_F(AutoPlayTest, EachStepWaitsTheSpeedSlidersDelay) {
  for (const auto& [position, ms] : {std::pair{98, 1}, std::pair{50, 49}, std::pair{1, 98}}) {
    SetSpeed(position);
    PlayCycle();
    EXPECT_EQ(needle[2].first - needle[1].first, ms) << "speed " << position;
  }
}

TEST_F(AutoPlayTest, StopPlayEndsTheCycleAtOnceDuringARampOrTheOpening) {
  SetSpeed(1);
  for (std::int64_t stopAt : {300 + 10 * 98 + 50, 100}) {
    needle.clear();
    Steps play = CmdAutoPlay_Click(t.ctx, 0);
    t.clock.AdvanceBy(stopAt);
    CmdAutoPlay_Click(t.ctx, 0);  // the button reads "Stop Play"
    EXPECT_EQ(t.sound.calls.back().op, Op::Stop) << "silenced at once";
    const std::size_t calls = t.sound.calls.size(), moves = needle.size();
    t.clock.RunUntilIdle();
    EXPECT_TRUE(play.Finished());
    EXPECT_EQ(t.sound.calls.size(), calls) << "no call after the stop at " << stopAt;
    EXPECT_EQ(needle.size(), moves) << "the needle does not move again";
    ExpectIdle();
  }
}

TEST_F(AutoPlayTest, AnEarlierPlayDoesNotResumeAfterANewPlayStarts) {
  // Stopped in the first ramp and in the last pause, then started again at once: the
  // old play neither sets the new one's frequency nor stops it.
  for (std::int64_t stopAt : {320, 2500}) {
    Steps first = CmdAutoPlay_Click(t.ctx, 0);
    t.clock.AdvanceBy(stopAt);
    CmdAutoPlay_Click(t.ctx, 0);
    const std::int64_t start = t.clock.NowMs();
    EXPECT_EQ(PlayCycle(), Cycle(3000, 48760, 1000, 22880));
    EXPECT_TRUE(first.Finished());
    EXPECT_EQ(t.sound.Count(Op::Stop), 1);
    EXPECT_EQ(t.clock.NowMs() - start, 300 + 248 + 2600) << "at speed 98";
  }
}

TEST_F(AutoPlayTest, ReplacementRowPlaysWithTheValuesOfTheChosenFormulasSlot) {
  const std::int16_t v = kVersionOriginal1967;
  t.values().LastUsedSourceDirectory = t.dir.Sub("sounds");
  t.ctx.catalogue.SoundFileName(v, kSlotReplacement) = "v12.wav";
  t.ctx.catalogue.SampleRate(v, kSlotReplacement) = 44100;
  t.ctx.catalogue.MaxFreq(v, kSlotReplacement) = 40000;
  t.ctx.catalogue.SampleRate(v, kSlotF2) = 11025;
  t.ctx.catalogue.MaxFreq(v, kSlotF2) = 30000;
  EXPECT_EQ(PlayCycle(1), Cycle(6000, 80000, 2000, 37000)) << "F1: slot 23";
  EXPECT_EQ(t.sound.calls[0].path, JoinPath(t.dir.Sub("sounds"), "v12.wav"));
  t.controls().SetChecked(optFormula(0), false);
  t.controls().SetChecked(optFormula(1), true);
  EXPECT_EQ(PlayCycle(1), Cycle(1500, 15000, 500, 6750)) << "F2: the game's F2 slot";
  EXPECT_EQ(t.sound.calls[0].path, JoinPath(t.dir.Sub("sounds"), "v12.wav"));
}

TEST_F(AutoPlayTest, AnErrorShowsTheProblemAndLeavesTheSoundForStopPlay) {
  struct Case {
    std::int32_t rate, maxFreq, refusedAbove;
    std::size_t frequencyCalls;  // up to the failing one
  };
  for (const Case& c : {Case{0, 48760, 200000, 1},           // the first needle fails
                        Case{22050, 48760, 40000, 1 + 39},   // 41000 is refused
                        Case{22050, 70000, 200000, 1 + 59}}) {  // 61000 is off the dial
    TestContext fresh;
    InitTachometers(fresh.ctx);
    SelectEngine(fresh.ctx, 0, c.rate, c.maxFreq);
    fresh.sound.minFrequency = 0;
    fresh.sound.maxFrequency = c.refusedAbove;
    Steps play = CmdAutoPlay_Click(fresh.ctx, 0);
    fresh.clock.RunUntilIdle();
    EXPECT_TRUE(play.Finished() && !play.Error());
    ASSERT_EQ(fresh.prompts.messages.size(), 1u);
    EXPECT_EQ(fresh.prompts.messages[0].text, kPlayProblemText);
    EXPECT_EQ(fresh.prompts.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(fresh.sound.Frequencies().size(), c.frequencyCalls);
    EXPECT_EQ(fresh.sound.Count(Op::Stop), 0) << "the sound goes on";
    CmdAutoPlay_Click(fresh.ctx, 0);  // still "Stop Play"
    EXPECT_EQ(fresh.sound.Count(Op::Stop), 1);
    EXPECT_EQ(fresh.controls().Caption(CmdAutoPlay(0)), "Auto Play");
  }
}

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
