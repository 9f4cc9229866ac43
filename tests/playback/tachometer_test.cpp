#include "playback/tachometer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::TestContext;

class TachometerTest : public ::testing::Test {
 protected:
  void SetUp() override { InitTachometers(t.ctx); }
  const NeedleEnds& Needle(int version, int i) const {
    return t.ctx.values.NeedleTable[static_cast<std::size_t>(version)][static_cast<std::size_t>(i)];
  }
  // The needle's compass angle in degrees, 0 up, clockwise.
  double AngleOf(const NeedleEnds& e) const {
    double a = std::atan2(e.tipX, e.tipY) * 180.0 / std::numbers::pi;
    return a < 0 ? a + 360.0 : a;
  }
  TestContext t;
};

TEST_F(TachometerTest, TwelveThousandDesignAtRestAndAtFullScale) {
  const NeedleEnds& e = Needle(kVersionOriginal1967, 0);  // at 103 degrees, tail at 283
  EXPECT_EQ(std::vector<int>({e.tipX, e.tipY, e.tailX, e.tailY}), std::vector<int>({82, -20, -28, 6}));
  // 12000 rpm is u 50884, step 254.42 -> 254, about 410.5 (50.5) degrees.
  EXPECT_NEAR(AngleOf(Needle(kVersionOriginal1967, 254)), 50.5, 1.0);
}

TEST_F(TachometerTest, FourteenThousandDesignRestsAt158DegreesUpTo4000Rpm) {
  const NeedleEnds& idle = Needle(kVersionMod1965, 15);  // u 3000
  const NeedleEnds& rest = Needle(kVersionMod1965, 0);
  EXPECT_TRUE(idle.tipX == rest.tipX && idle.tipY == rest.tipY);
  EXPECT_NEAR(AngleOf(idle), 158.0, 1.0);
  EXPECT_GT(AngleOf(Needle(kVersionMod1965, 100)), 170.0) << "moves beyond 4000 rpm";
}

TEST_F(TachometerTest, NeedleFollowsTheEngineSpeedWhateverTheSampleRate) {
  t.ctx.values.CurrentGameVersion = kVersionOriginal1967;
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 6) = 22050;
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 5) = 44100;
  EXPECT_EQ(NeedleStepOf(t.ctx, 48760, 6), 244);
  EXPECT_EQ(NeedleStepOf(t.ctx, 2 * 48760, 5), 244);
  DrawTachNeedle(t.ctx, 48760, 6);
  EXPECT_EQ(t.ctx.controls.Tachometer().needleStep, 244);
}

TEST_F(TachometerTest, ANeedleOffTheDialOrASampleRateOfZeroIsAnError) {
  t.ctx.values.CurrentGameVersion = kVersionOriginal1967;
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 0) = 22050;
  EXPECT_EQ(NeedleStepOf(t.ctx, 60000, 0), 300);
  EXPECT_EQ(NeedleStepOf(t.ctx, 60100, 0), 300) << "300.5 rounds to the even 300";
  EXPECT_THROW(NeedleStepOf(t.ctx, 60200, 0), std::out_of_range);
  EXPECT_THROW(NeedleStepOf(t.ctx, -200, 0), std::out_of_range);
  t.ctx.catalogue.SampleRate(kVersionOriginal1967, 1) = 0;
  EXPECT_THROW(DrawTachNeedle(t.ctx, 3000, 1), std::domain_error);
}

TEST_F(TachometerTest, FaceShowsTheCurrentVersionsDesignWithoutANeedle) {
  t.ctx.values.CurrentGameVersion = kVersionMod1965;
  t.ctx.controls.SetTachNeedle(10);
  DrawTachFace(t.ctx);
  EXPECT_TRUE(t.ctx.controls.Visible(Ctl::Tach));
  EXPECT_EQ(t.ctx.controls.Tachometer().face, kVersionMod1965);
  EXPECT_EQ(t.ctx.controls.Tachometer().needleStep, -1);
}

}  // namespace
}  // namespace revalorn
