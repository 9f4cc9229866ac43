#include "playback/playback_controls.h"

#include <gtest/gtest.h>

#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using Op = testing::RecordingSoundOutput::Call::Op;

// The speed slider's delay is measured step by step in the Auto Play tests.
TEST(PlaybackControls, VolumeGoesToTheSoundOutputAndFormulaOptionsCopyTheirRevLimitIntoThisVersionOnly) {
  testing::TestContext t;
  t.controls().SetValue(Ctl::HScroll1, -2500);
  HScroll1_Change(t.ctx);
  ASSERT_EQ(t.sound.Count(Op::SetVolume), 1);
  EXPECT_EQ(t.sound.calls.back().value, -2500);

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
