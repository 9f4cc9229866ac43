#include "playback/playback_controls.h"

#include <gtest/gtest.h>

#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::TestContext;
using Op = testing::RecordingSoundOutput::Call::Op;

TEST(SpeedSlider, SetsThePauseAfterEachStep) {
  TestContext t;
  const std::pair<int, double> cases[] = {{98, 0.001}, {1, 0.098}, {50, 0.049}};
  for (const auto& [position, delay] : cases) {
    t.controls().SetValue(Ctl::HScroll2, position);
    HScroll2_Change(t.ctx);
    EXPECT_DOUBLE_EQ(t.values().TimingDelay, delay) << position;
  }
}

TEST(VolumeSlider, PassesItsValueToTheSoundOutput) {
  TestContext t;
  t.controls().SetValue(Ctl::HScroll1, -2500);
  HScroll1_Change(t.ctx);
  ASSERT_EQ(t.sound.Count(Op::SetVolume), 1);
  EXPECT_EQ(t.sound.calls.back().value, -2500);
}

TEST(FormulaOptions, CopyTheReferenceRevLimitOfTheCurrentVersionOnly) {
  TestContext t;
  t.values().GameVersion = kVersionMod1966;
  optFormula_Click(t.ctx, 1);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionMod1966, kSlotReplacement), 41552);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionMod1965, kSlotReplacement), 50500) << "other versions keep theirs";
  t.values().GameVersion = kVersionOriginal1967;
  optFormula_Click(t.ctx, 0);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionOriginal1967, kSlotReplacement), 39856);  // slot 5, the Lotus
  optFormula_Click(t.ctx, 2);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(kVersionOriginal1967, kSlotReplacement), 26288);
}

}  // namespace
}  // namespace revalorn
