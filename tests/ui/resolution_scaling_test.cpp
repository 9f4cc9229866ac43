#include "ui/resolution_scaling.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>

#include "core/control_model.h"
#include "ui/form_layout.h"
#include "ui/frm_sound.h"

namespace revalorn::ui {
namespace {

TEST(ResolutionScaling, TheUniformFactorIsTheLargerOneAndYOnATie) {
  struct Row {
    int width, height;
    float f;
  };
  for (const Row& r : {Row{800, 600, 0.625f}, Row{1024, 768, 0.8f}, Row{1280, 1024, 1.0f}, Row{1600, 1200, 1.25f},
                       Row{1920, 1080, 1.5f}, Row{768, 1024, 1.0f}}) {
    EXPECT_FLOAT_EQ(UniformFactor(r.width / 1280.0f, r.height / 1024.0f), r.f) << r.width << "x" << r.height;
  }
  // A tie takes Y, which shows only in the sign of a zero.
  EXPECT_TRUE(std::signbit(UniformFactor(0.0f, -0.0f)));
}

TEST(ResolutionScaling, ComboBoxesUseXAndYApartAndKeepTheirHeight) {
  const TwipsRect design{120, 360, 3135, 315};
  const TwipsRect combo = ScaleRect(design, ScaleRule::ComboBox, 1.5f, 1.0546875f);
  EXPECT_DOUBLE_EQ(combo.left, 180);
  EXPECT_DOUBLE_EQ(combo.top, 379.6875);
  EXPECT_DOUBLE_EQ(combo.width, 4702.5);
  EXPECT_DOUBLE_EQ(combo.height, 315);
  const TwipsRect other = ScaleRect(design, ScaleRule::Uniform, 1.5f, 1.0546875f);
  EXPECT_DOUBLE_EQ(other.top, 540);
  EXPECT_DOUBLE_EQ(other.height, 472.5);
}

TEST(ResolutionScaling, PixelsAndFontSizesRoundHalvesToEven) {
  EXPECT_EQ(TwipsToPixels(22.5), 2);  // 1.5
  EXPECT_EQ(TwipsToPixels(37.5), 2);  // 2.5
  EXPECT_EQ(TwipsToPixels(10692), 713);
  // Whole pixels at 96 dpi are steps of 0.75 point.
  EXPECT_DOUBLE_EQ(NearestFontSize(7.8, 96), 7.5);     // 10.4 px
  EXPECT_DOUBLE_EQ(NearestFontSize(4.875, 96), 4.5);   // 6.5 px, to 6
  EXPECT_DOUBLE_EQ(NearestFontSize(11.7, 96), 12.0);   // 15.6 px
  EXPECT_DOUBLE_EQ(NearestFontSize(12, 96), 12.0);
  EXPECT_DOUBLE_EQ(NearestFontSize(7.8, 120), 7.8);    // exact at 120 dpi: 13 px
  EXPECT_DOUBLE_EQ(NearestFontSize(0.1, 96), 0.75);    // never below one pixel
}

// The main window scaled to the four common screens: the window, a control in each
// kind of container, a combo box and the fonts.
struct Screen {
  int width, height;
  QSize client;
  QRect background;  // FrmSoundBackground, in the window
  QRect autoPlay1;   // CmdAutoPlay(1), in Frame2
  QRect gemPic;      // GEMPic1, in the background
  QRect combo2;      // Combo2 left, top, width (height from the font)
  double labelPoints;
};

class MainWindowScaling : public ::testing::TestWithParam<Screen> {};

TEST_P(MainWindowScaling, PositionsSizesAndFonts) {
  const Screen& s = GetParam();
  ControlModel model;
  FrmSound window(model);
  ASSERT_EQ(window.logicalDpiY(), 96) << "the expected font sizes assume 96 dpi";
  const QFont designFont = window.Widget(Ctl::LabelCar)->font();
  EXPECT_EQ(designFont.family(), "MS Sans Serif");
  EXPECT_TRUE(designFont.bold());

  ResizeForResolution(s.width / 1280.0f, s.height / 1024.0f, window.Layout());

  EXPECT_EQ(window.centralWidget()->size(), s.client);
  EXPECT_EQ(window.Widget(Ctl::FrmSoundBackground)->geometry(), s.background);
  EXPECT_EQ(window.Widget(CmdAutoPlay(1))->geometry(), s.autoPlay1);
  EXPECT_EQ(window.Widget(Ctl::GEMPic1)->geometry(), s.gemPic);
  QWidget* combo = window.Widget(Ctl::Combo2);
  EXPECT_EQ(QRect(combo->x(), combo->y(), combo->width(), 0), s.combo2);
  EXPECT_EQ(combo->height(), combo->sizeHint().height()) << "a combo box's height follows its font";

  const QFont label = window.Widget(Ctl::LabelCar)->font();
  EXPECT_EQ(label.family(), "Arial");
  EXPECT_TRUE(label.bold());
  EXPECT_DOUBLE_EQ(label.pointSizeF(), s.labelPoints);
  const QFont button = window.Widget(Ctl::CmdReplace)->font();
  EXPECT_EQ(button.family(), "Arial");
  EXPECT_FALSE(button.bold());
  EXPECT_DOUBLE_EQ(button.pointSizeF(), s.labelPoints);
  EXPECT_EQ(window.Widget(Ctl::Frame3)->font().family(), "Arial");

  // A line has neither a box nor a font to scale: the rule under the menu bar keeps its
  // design length.
  const auto* line = window.findChild<QFrame*>("FormLine7");
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->geometry(), QRect(0, 0, 713, 2));
}

INSTANTIATE_TEST_SUITE_P(
    CommonScreens, MainWindowScaling,
    ::testing::Values(
        Screen{800, 600, {446, 342}, {5, 5, 434, 324}, {25, 30, 51, 21}, {15, 160, 136, 101}, {5, 14, 131, 0}, 4.5},
        Screen{1024, 768, {570, 438}, {6, 6, 556, 415}, {32, 38, 65, 26}, {19, 205, 173, 129}, {6, 18, 167, 0}, 6.0},
        Screen{1280, 1024, {713, 547}, {8, 8, 695, 519}, {40, 48, 81, 33}, {24, 256, 217, 161}, {8, 24, 209, 0}, 7.5},
        Screen{1920, 1080, {1069, 821}, {12, 12, 1042, 778}, {60, 72, 122, 50}, {36, 384, 325, 242}, {12, 25, 314, 0},
               12.0}),
    [](const ::testing::TestParamInfo<Screen>& p) {
      return std::to_string(p.param.width) + "x" + std::to_string(p.param.height);
    });

TEST(MainWindowScaling, AtTheDesignScreenOnlyTheFontsChange) {
  ControlModel model;
  FrmSound window(model);
  std::vector<QRect> before;
  for (const FormControl& c : window.Layout().Controls()) before.push_back(c.widget ? c.widget->geometry() : QRect());
  ResizeForResolution(1.0f, 1.0f, window.Layout());
  std::size_t i = 0;
  for (const FormControl& c : window.Layout().Controls()) {
    const QRect was = before[i++];
    if (!c.widget) continue;
    EXPECT_EQ(c.widget->geometry(), was) << c.name;
    if (c.kind == ControlKind::Ordinary || c.kind == ControlKind::ComboBox) {
      EXPECT_EQ(c.widget->font().family(), "Arial") << c.name;
      EXPECT_DOUBLE_EQ(c.widget->font().pointSizeF(), 7.5) << c.name << ": 7.8 points is 10.4 pixels, offered as 10";
    }
  }
}

TEST(MainWindowScaling, EveryControlAndMenuIsInTheCollectionOnce) {
  ControlModel model;
  FrmSound window(model);
  for (int i = 0; i < kControlCount; ++i) {
    const Ctl c = static_cast<Ctl>(i);
    if (c == Ctl::FrmSound) continue;
    int found = 0;
    for (const FormControl& fc : window.Layout().Controls()) found += fc.name == ControlName(c) ? 1 : 0;
    EXPECT_EQ(found, 1) << ControlName(c);
  }
}

}  // namespace
}  // namespace revalorn::ui
