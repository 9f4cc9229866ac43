#include "ui/resolution_scaling.h"

#include <QFrame>

#include <gtest/gtest.h>

#include <cmath>

#include "core/control_model.h"
#include "ui/frm_sound.h"

namespace revalorn::ui {
namespace {

// The screens below cover positions, sizes and fonts; these are the edges between them.
TEST(ResolutionScaling, ATieTakesYHalfPixelsRoundToEvenAndFontsStayAtLeastOnePixel) {
  EXPECT_FLOAT_EQ(UniformFactor(768 / 1280.0f, 1024 / 1024.0f), 1.0f);
  EXPECT_TRUE(std::signbit(UniformFactor(0.0f, -0.0f))) << "a tie takes Y";
  EXPECT_EQ(TwipsToPixels(22.5), 2);  // 1.5 and 2.5 both round to 2
  EXPECT_EQ(TwipsToPixels(37.5), 2);
  EXPECT_DOUBLE_EQ(NearestFontSize(0.1, 96), 0.75);
}

struct Screen {
  int width, height;
  QSize client;
  QRect background;  // FrmSoundBackground, in the window
  QRect autoPlay1;   // CmdAutoPlay(1), in Frame2
  QRect gemPic;      // GEMPic1, in the background
  QPoint combo2;     // Combo2's place: left × X, top × Y
  int combo2Width;
  double points;     // 7.8 points × f, in whole pixels
};

class MainWindowScaling : public ::testing::TestWithParam<Screen> {};

TEST_P(MainWindowScaling, PositionsSizesAndFonts) {
  const Screen& s = GetParam();
  ControlModel model;
  FrmSound window(model);
  ASSERT_EQ(window.logicalDpiY(), 96);
  EXPECT_EQ(window.Widget(Ctl::LabelCar)->font().family(), "MS Sans Serif");

  ResizeForResolution(s.width / 1280.0f, s.height / 1024.0f, window.Layout());

  EXPECT_EQ(window.centralWidget()->size(), s.client);
  EXPECT_EQ(window.Widget(Ctl::FrmSoundBackground)->geometry(), s.background);
  EXPECT_EQ(window.Widget(CmdAutoPlay(1))->geometry(), s.autoPlay1);
  EXPECT_EQ(window.Widget(Ctl::GEMPic1)->geometry(), s.gemPic);
  QWidget* combo = window.Widget(Ctl::Combo2);
  EXPECT_EQ(combo->pos(), s.combo2);
  EXPECT_EQ(combo->width(), s.combo2Width);
  EXPECT_EQ(combo->height(), combo->sizeHint().height()) << "a combo box's height follows its font";
  for (Ctl c : {Ctl::LabelCar, Ctl::CmdReplace, Ctl::Frame3, Ctl::Combo1}) {
    const QFont font = window.Widget(c)->font();
    EXPECT_EQ(font.family(), "Arial") << ControlName(c);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), s.points) << ControlName(c);
  }
  EXPECT_TRUE(window.Widget(Ctl::LabelCar)->font().bold());
  // A line has neither box nor font: the rule under the menu bar keeps its length.
  EXPECT_EQ(window.findChild<QFrame*>("FormLine7")->geometry(), QRect(0, 0, 713, 2));
}

// At 1280 × 1024 nothing moves and the fonts become Arial at the design size.
INSTANTIATE_TEST_SUITE_P(
    CommonScreens, MainWindowScaling,
    ::testing::Values(
        Screen{800, 600, {446, 342}, {5, 5, 434, 324}, {25, 30, 51, 21}, {15, 160, 136, 101}, {5, 14}, 131, 4.5},
        Screen{1024, 768, {570, 438}, {6, 6, 556, 415}, {32, 38, 65, 26}, {19, 205, 173, 129}, {6, 18}, 167, 6.0},
        Screen{1280, 1024, {713, 547}, {8, 8, 695, 519}, {40, 48, 81, 33}, {24, 256, 217, 161}, {8, 24}, 209, 7.5},
        Screen{1920, 1080, {1069, 821}, {12, 12, 1042, 778}, {60, 72, 122, 50}, {36, 384, 325, 242}, {12, 25}, 314,
               12.0}),
    [](const ::testing::TestParamInfo<Screen>& p) {
      return std::to_string(p.param.width) + "x" + std::to_string(p.param.height);
    });

}  // namespace
}  // namespace revalorn::ui
