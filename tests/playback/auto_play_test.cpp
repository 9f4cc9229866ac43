#include "playback/auto_play.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "playback/dsound.h"
#include "playback/offline_audio_device.h"
#include "playback/play_common.h"
#include "playback/playback_controls.h"
#include "playback/tachometer.h"
#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::TestContext;
using Op = testing::RecordingSoundOutput::Call::Op;

// The full cycle of idle fi, top fm, step d and lower turning point fh, written out the
// long way: up, three blips, down.
std::vector<std::int32_t> CycleSteps(std::int32_t fi, std::int32_t fm, std::int32_t d, std::int32_t fh) {
  std::vector<std::int32_t> f;
  for (std::int32_t x = fi; x <= fm; x += d) f.push_back(x);
  for (int blip = 0; blip < 3; ++blip) {
    for (std::int32_t x = fm; x >= fh; x -= d) f.push_back(x);
    for (std::int32_t x = fh; x <= fm; x += d) f.push_back(x);
  }
  for (std::int32_t x = fm; x >= fi; x -= d) f.push_back(x);
  return f;
}

// The opening frequency followed by a cycle.
std::vector<std::int32_t> WithOpening(std::int32_t fi, std::vector<std::int32_t> cycle) {
  cycle.insert(cycle.begin(), fi);
  return cycle;
}

// The version and engine sound picked in the window, with the slot's sample rate and
// rev limit.
void SelectEngine(Context& ctx, std::int16_t version, int listIndex, std::int32_t rate, std::int32_t maxFreq) {
  ctx.values.GameVersion = version;
  ctx.values.CurrentGameVersion = version;
  ctx.controls.ClearList(Ctl::Combo1);
  for (std::int16_t s : VersionSlots(ctx.catalogue, version)) ctx.controls.AddItem(Ctl::Combo1, ctx.catalogue.CarLabel(version, s));
  ctx.controls.SetListIndex(Ctl::Combo1, listIndex);
  const std::int16_t slot = SlotOfListIndex(listIndex, ctx.controls.ListCount(Ctl::Combo1));
  ctx.catalogue.SampleRate(version, slot) = rate;
  ctx.catalogue.MaxFreq(version, slot) = maxFreq;
}

struct NeedleMove {
  std::int64_t ms;
  int step;
};

class AutoPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitTachometers(t.ctx);
    SelectEngine(t.ctx, kVersionOriginal1967, 0, 22050, 48760);
    // Every needle drawn, with its time.
    t.controls().SetObserver([this](Ctl c, ControlModel::Change) {
      const TachState& tach = t.controls().Tachometer();
      if (c == Ctl::Tach && tach.serial != serial_ && tach.needleStep >= 0) needle.push_back({t.clock.NowMs(), tach.needleStep});
      serial_ = tach.serial;
    });
  }
  void SetSpeed(int position) {
    t.controls().SetValue(Ctl::HScroll2, position);
    HScroll2_Change(t.ctx);
  }
  // Runs a whole play; returns its frequencies after the opening one.
  std::vector<std::int32_t> PlayCycle(int Index = 0) {
    Steps play = CmdAutoPlay_Click(t.ctx, Index);
    t.clock.RunUntilIdle();
    EXPECT_TRUE(play.Finished());
    std::vector<std::int32_t> f = t.sound.Frequencies();
    return {f.begin() + 1, f.end()};
  }
  void ExpectIdleAfterPlay() {
    EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Auto Play");
    EXPECT_TRUE(t.controls().Enabled(Ctl::Combo1));
    EXPECT_TRUE(t.controls().Enabled(Ctl::MnuFile));
    EXPECT_FALSE(t.controls().Visible(Ctl::Tach));
    EXPECT_TRUE(t.values().StopPlay);
  }

  TestContext t;
  std::vector<NeedleMove> needle;

 private:
  std::uint64_t serial_ = 0;
};

TEST_F(AutoPlayTest, WorkedExampleRunsTheWholeCycleInOrderAndEndsIdle) {
  SetSpeed(1);  // 98 ms a step
  t.controls().SetValue(Ctl::HScroll1, -1200);
  Steps play = CmdAutoPlay_Click(t.ctx, 0);

  // Before the first wait: playing controls, the sound looping at idle, the needle there.
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Stop Play");
  EXPECT_FALSE(t.controls().Enabled(Ctl::Combo2));
  EXPECT_TRUE(t.controls().Visible(Ctl::Tach));
  EXPECT_FALSE(t.values().StopPlay);
  ASSERT_EQ(t.sound.calls.size(), 3u);
  EXPECT_EQ(t.sound.calls[0].path, JoinPath(JoinPath(t.values().ProgramFolder, "Working Folder"), "repco.wav"));
  EXPECT_EQ(t.sound.calls[1].op, Op::SetFrequency);
  EXPECT_EQ(t.sound.calls[1].value, 3000);
  EXPECT_EQ(t.sound.calls[2].op, Op::Play);
  EXPECT_TRUE(t.sound.calls[2].looping);
  EXPECT_EQ(t.sound.calls[2].value, -1200);
  ASSERT_EQ(needle.size(), 1u);
  EXPECT_EQ(needle[0].step, 15);

  t.clock.RunUntilIdle();
  ASSERT_TRUE(play.Finished());
  const std::vector<std::int32_t> f = t.sound.Frequencies();
  const std::vector<std::int32_t> steps(f.begin() + 1, f.end());
  ASSERT_EQ(steps.size(), 248u);
  EXPECT_EQ(steps, CycleSteps(3000, 48760, 1000, 22880));
  EXPECT_EQ(steps[45], 48000) << "the first ramp stops one part-step below the top";
  EXPECT_EQ(steps[46], 48760);
  EXPECT_EQ(steps[71], 23760);
  EXPECT_EQ(steps[72], 22880) << "the lower turning point is half the span";
  EXPECT_EQ(steps.back(), 3760);

  // 248 steps of 98 ms, 2.6 s of pauses and the 0.3 s opening.
  EXPECT_EQ(t.clock.NowMs(), 248 * 98 + 2600 + 300);
  ASSERT_EQ(needle.size(), 249u);
  EXPECT_EQ(needle[1].ms, 300);
  EXPECT_EQ(needle[2].ms, 398);
  EXPECT_EQ(needle[47].ms, 300 + 46 * 98 + 100) << "0.1 s at the top before the first blip";
  EXPECT_EQ(needle[47].step, 244);
  EXPECT_EQ(needle[203].ms, 300 + 202 * 98 + 7 * 100 + 900) << "the hold before the way down";
  EXPECT_EQ(t.sound.calls.back().op, Op::Stop);
  EXPECT_EQ(t.sound.Count(Op::Stop), 1);
  ExpectIdleAfterPlay();
}

TEST_F(AutoPlayTest, OtherSampleRatesScaleEveryFrequencyAndKeepTheNeedle) {
  PlayCycle();
  const std::vector<NeedleMove> needleAt22050 = needle;
  for (const auto& [rate, num, den] : {std::tuple{11025, 1, 2}, std::tuple{44100, 2, 1}}) {
    SCOPED_TRACE(rate);
    t.sound.calls.clear();
    needle.clear();
    SelectEngine(t.ctx, kVersionOriginal1967, 0, rate, 48760);
    const std::vector<std::int32_t> steps = PlayCycle();
    std::vector<std::int32_t> expected = CycleSteps(3000, 48760, 1000, 22880);
    for (std::int32_t& x : expected) x = x * num / den;
    EXPECT_EQ(steps, expected);
    ASSERT_EQ(needle.size(), needleAt22050.size());
    for (std::size_t i = 0; i < needle.size(); ++i) EXPECT_EQ(needle[i].step, needleAt22050[i].step) << i;
  }
}

TEST_F(AutoPlayTest, EachStepWaitsTheSpeedSlidersDelayReadAfreshEveryStep) {
  for (const auto& [position, ms] : {std::pair{98, 1}, std::pair{50, 49}, std::pair{1, 98}}) {
    SetSpeed(position);
    needle.clear();
    Steps play = CmdAutoPlay_Click(t.ctx, 0);
    t.clock.AdvanceBy(300 + 3 * ms);
    ASSERT_GE(needle.size(), 3u);
    EXPECT_EQ(needle[2].ms - needle[1].ms, ms) << "speed " << position;
    t.clock.RunUntilIdle();
  }
  // Moved during a play: the next step already waits the new delay.
  SetSpeed(1);
  needle.clear();
  Steps play = CmdAutoPlay_Click(t.ctx, 0);
  t.clock.AdvanceBy(300 + 98 + 10);
  SetSpeed(98);
  t.clock.AdvanceBy(100);
  ASSERT_GE(needle.size(), 5u);
  EXPECT_EQ(needle[3].ms - needle[2].ms, 98) << "the wait under way is not shortened";
  EXPECT_EQ(needle[4].ms - needle[3].ms, 1);
  t.clock.RunUntilIdle();
}

TEST_F(AutoPlayTest, StopPlayEndsTheCycleAtOnceDuringARampOrTheOpening) {
  for (std::int64_t stopAt : {300 + 10 * 98 + 50, 100}) {
    SCOPED_TRACE(stopAt);
    SetSpeed(1);
    t.sound.calls.clear();
    Steps play = CmdAutoPlay_Click(t.ctx, 0);
    t.clock.AdvanceBy(stopAt);
    const std::size_t moves = needle.size();
    const std::uint64_t serial = t.controls().Tachometer().serial;

    Steps stop = CmdAutoPlay_Click(t.ctx, 0);  // the button reads "Stop Play"
    EXPECT_TRUE(stop.Finished());
    EXPECT_EQ(t.sound.calls.back().op, Op::Stop) << "silenced at once";
    ExpectIdleAfterPlay();
    const std::size_t callsAfterStop = t.sound.calls.size();

    t.clock.RunUntilIdle();
    EXPECT_TRUE(play.Finished());
    EXPECT_EQ(t.sound.calls.size(), callsAfterStop) << "no call after the stop";
    EXPECT_EQ(needle.size(), moves);
    EXPECT_EQ(t.controls().Tachometer().serial, serial) << "the needle does not move again";
    ExpectIdleAfterPlay();
  }
}

TEST_F(AutoPlayTest, AnEarlierPlayDoesNotResumeAfterANewPlayStarts) {
  // Stopped in the first ramp and in the last pause, then started again at once: only
  // the new play is heard, and the old one does not stop it.
  for (std::int64_t stopAt : {320, 2500}) {
    SCOPED_TRACE(stopAt);
    Steps first = CmdAutoPlay_Click(t.ctx, 0);
    t.clock.AdvanceBy(stopAt);
    CmdAutoPlay_Click(t.ctx, 0);
    t.sound.calls.clear();
    const std::int64_t start = t.clock.NowMs();
    Steps second = CmdAutoPlay_Click(t.ctx, 0);
    t.clock.RunUntilIdle();
    EXPECT_TRUE(first.Finished());
    EXPECT_TRUE(second.Finished());
    EXPECT_EQ(t.sound.Count(Op::SetFrequency), 249);
    EXPECT_EQ(t.sound.Count(Op::Stop), 1);
    EXPECT_EQ(t.sound.calls.back().op, Op::Stop);
    EXPECT_EQ(t.clock.NowMs() - start, 300 + 248 + 2600) << "at speed 98";
  }
}

TEST_F(AutoPlayTest, ReplacementRowPlaysWithTheChosenFormulasSlot) {
  const std::int16_t v = kVersionOriginal1967;
  t.values().LastUsedSourceDirectory = t.dir.Sub("sounds");
  t.ctx.catalogue.SoundFileName(v, kSlotReplacement) = "v12.wav";
  t.ctx.catalogue.SampleRate(v, kSlotReplacement) = 44100;
  t.ctx.catalogue.MaxFreq(v, kSlotReplacement) = 40000;
  t.ctx.catalogue.SampleRate(v, kSlotF2) = 11025;
  t.ctx.catalogue.MaxFreq(v, kSlotF2) = 30000;

  // F2: the game's F2 slot's sample rate and rev limit, the replacement's file.
  t.controls().SetChecked(optFormula(0), false);
  t.controls().SetChecked(optFormula(1), true);
  Steps f2 = CmdAutoPlay_Click(t.ctx, 1);
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(1)), "Stop Play");
  t.clock.RunUntilIdle();
  EXPECT_EQ(t.sound.calls[0].path, JoinPath(t.dir.Sub("sounds"), "v12.wav"));
  EXPECT_EQ(t.sound.Frequencies(), WithOpening(1500, CycleSteps(1500, 15000, 500, 6750)));

  // F1: slot 23's own values.
  t.sound.calls.clear();
  t.controls().SetChecked(optFormula(1), false);
  t.controls().SetChecked(optFormula(0), true);
  Steps f1 = CmdAutoPlay_Click(t.ctx, 1);
  t.clock.RunUntilIdle();
  EXPECT_EQ(t.sound.calls[0].path, JoinPath(t.dir.Sub("sounds"), "v12.wav"));
  EXPECT_EQ(t.sound.Frequencies(), WithOpening(6000, CycleSteps(6000, 80000, 2000, 37000)));
}

TEST_F(AutoPlayTest, AnErrorShowsTheProblemAndLeavesTheSoundForStopPlay) {
  struct Case {
    const char* what;
    std::int32_t rate;
    std::int32_t maxFreq;
    std::int32_t refusedAbove;
    std::size_t frequencyCalls;  // made before the error
  };
  for (const Case& c : {Case{"sample rate 0", 0, 48760, 200000, 1},
                        Case{"a frequency the output refuses", 22050, 48760, 40000, 1 + 39},
                        Case{"a needle off the dial", 22050, 70000, 200000, 1 + 59}}) {
    SCOPED_TRACE(c.what);
    TestContext fresh;
    InitTachometers(fresh.ctx);
    SelectEngine(fresh.ctx, kVersionOriginal1967, 0, c.rate, c.maxFreq);
    fresh.sound.maxFrequency = c.refusedAbove;
    fresh.sound.minFrequency = 0;

    Steps play = CmdAutoPlay_Click(fresh.ctx, 0);
    fresh.clock.RunUntilIdle();
    EXPECT_TRUE(play.Finished());
    EXPECT_FALSE(play.Error());
    ASSERT_EQ(fresh.prompts.messages.size(), 1u);
    EXPECT_EQ(fresh.prompts.messages[0].text, kPlayProblemText);
    EXPECT_EQ(fresh.prompts.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(fresh.sound.Frequencies().size(), c.frequencyCalls);
    EXPECT_EQ(fresh.sound.Count(Op::Stop), 0) << "the sound goes on";
    EXPECT_EQ(fresh.controls().Caption(CmdAutoPlay(0)), "Stop Play");

    CmdAutoPlay_Click(fresh.ctx, 0);
    EXPECT_EQ(fresh.sound.Count(Op::Stop), 1);
    EXPECT_EQ(fresh.controls().Caption(CmdAutoPlay(0)), "Auto Play");
  }
}

TEST_F(AutoPlayTest, AFileThatCannotBeLoadedStillRunsTheCycleSilently) {
  // The real sound output, rendering offline: its own two messages, then the cycle.
  OfflineAudioDevice device;
  DSound sound(t.prompts, device);
  Context ctx(t.prompts, t.clock, t.settings, sound);
  BuildCatalogue(ctx.catalogue);
  InitTachometers(ctx);
  ctx.values.ProgramFolder = t.values().ProgramFolder;  // its working folder is empty
  SelectEngine(ctx, kVersionOriginal1967, 0, 22050, 48760);
  ASSERT_TRUE(sound.Init());

  Steps play = CmdAutoPlay_Click(ctx, 0);
  EXPECT_EQ(t.prompts.MessageTexts(), (std::vector<std::string>{"Could not load sound.", "Could not play sound."}));
  device.RenderAndAdvance(t.clock, 10000);
  EXPECT_TRUE(play.Finished());
  EXPECT_EQ(t.prompts.messages.size(), 2u);
  EXPECT_EQ(ctx.controls.Caption(CmdAutoPlay(0)), "Auto Play");
  EXPECT_TRUE(ctx.values.StopPlay);
}

}  // namespace
}  // namespace revalorn
