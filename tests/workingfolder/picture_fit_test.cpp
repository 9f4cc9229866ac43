#include "workingfolder/picture_fit.h"

#include <gtest/gtest.h>

namespace revalorn {
namespace {

TEST(FitToCover, ScalesByTheLargerRatioAndCropsTheCentreRoundingHalvesToEven) {
  const PictureFit fit = FitToCover(1600, 1200, 800, 500);  // rw 0.5, rh 0.417
  EXPECT_FLOAT_EQ(fit.scale, 0.5f);
  EXPECT_EQ(fit.scaledWidth, 800);
  EXPECT_EQ(fit.scaledHeight, 600);
  EXPECT_EQ(fit.offsetX, 0);
  EXPECT_EQ(fit.offsetY, 50);  // rows 50 to 549 are shown

  const PictureFit car = FitToCover(800, 600, 217, 161);  // enlarged to cover the car picture box
  EXPECT_FLOAT_EQ(car.scale, 217.0f / 800.0f);
  EXPECT_EQ(car.scaledWidth, 217);
  EXPECT_EQ(car.scaledHeight, 163);  // 162.75
  EXPECT_EQ(car.offsetY, 1);

  // 3 spare columns: 1.5 rounds to 2; 5 spare: 2.5 rounds to 2.
  EXPECT_EQ(FitToCover(103, 100, 100, 100).offsetX, 2);
  EXPECT_EQ(FitToCover(105, 100, 100, 100).offsetX, 2);
  EXPECT_EQ(FitToCover(0, 10, 10, 10).scaledWidth, 0);
  EXPECT_EQ(FitToCover(10, 10, 0, 10).scaledWidth, 0);
}

}  // namespace
}  // namespace revalorn
