// The main window: its controls following the model, its events, its scaling to the
// screen, and the picture boxes.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "core/control_model.h"
#include "tests/support/temp_dir.h"
#include "ui/frm_sound.h"
#include "ui/picture_box.h"
#include "ui/resolution_scaling.h"

namespace revalorn::ui {
namespace {

class FrmSoundTest : public ::testing::Test {
 protected:
  template <class T>
  T* W(Ctl c) {
    return qobject_cast<T*>(window.Widget(c));
  }
  void Record(Ctl c) {
    window.SetHandler(c, [this, c] { calls.emplace_back(ControlName(c)); });
  }
  ControlModel model;
  FrmSound window{model};
  std::vector<std::string> calls;
};

TEST_F(FrmSoundTest, MenusInOrderAndTheSliders) {
  QStringList seen;
  for (QAction* top : window.menuBar()->actions()) {
    seen << top->text() + ":";
    for (QAction* item : top->menu()->actions()) seen << (item->isSeparator() ? QStringLiteral("-") : item->text());
  }
  EXPECT_EQ(seen.join('|').toStdString(),
            "File:|Save All Sounds To GPL Sound Directory|-|Load Sound Set|Save Sound Set|-|Revert All Sounds|-|Exit|"
            "Patches:|Patch Executable|Tool Box:|Calibrate Pedals|-|Reset Registry Settings|Help:|Help|-|About Revalorn");
  QScrollBar* volume = W<QScrollBar>(Ctl::HScroll1);
  EXPECT_EQ(std::vector<int>({volume->minimum(), volume->maximum(), volume->singleStep(), volume->pageStep()}),
            std::vector<int>({-4000, 0, 25, 500}));
  QScrollBar* speed = W<QScrollBar>(Ctl::HScroll2);
  EXPECT_EQ(std::vector<int>({speed->minimum(), speed->maximum(), speed->singleStep(), speed->pageStep(), speed->value()}),
            std::vector<int>({1, 98, 2, 10, 98}));
  EXPECT_FALSE(window.Widget(Ctl::Tach)->isVisibleTo(&window));
}

TEST_F(FrmSoundTest, AnEventWithoutAHandlerKeepsItsControlDisabled) {
  EXPECT_FALSE(window.Widget(Ctl::CmdReplacementLoad)->isEnabled()) << "enabled in the model, but not wired";
  EXPECT_FALSE(window.Action(Ctl::MnuAbout)->isEnabled());
  EXPECT_TRUE(window.Action(Ctl::MnuFile)->isEnabled()) << "a menu title raises no event of its own";
  Record(Ctl::CmdReplacementLoad);
  EXPECT_TRUE(window.Widget(Ctl::CmdReplacementLoad)->isEnabled());
  Record(Ctl::CmdRevert);
  EXPECT_FALSE(window.Widget(Ctl::CmdRevert)->isEnabled()) << "wired, but disabled in the model";
  window.SetHandler(Ctl::CmdReplacementLoad, nullptr);
  EXPECT_FALSE(window.Widget(Ctl::CmdReplacementLoad)->isEnabled());
  EXPECT_THROW(window.SetHandler(Ctl::LabelCar, [] {}), std::invalid_argument);
}

TEST_F(FrmSoundTest, FollowsTheModelWithoutRunningHandlers) {
  for (Ctl c : {Ctl::HScroll1, Ctl::Combo1, optFormula(1)}) Record(c);
  model.SetCaption(Ctl::FrmSound, "Revalorn v1.2.3");
  model.SetCaption(Ctl::LabelReplacement, "<b>R&D.wav</b>");
  model.SetCaption(CmdAutoPlay(0), "Stop");
  for (const char* entry : {"Brabham", "Eagle"}) model.AddItem(Ctl::Combo1, entry);
  model.SetListIndex(Ctl::Combo1, 1);
  model.SetValue(Ctl::HScroll1, -2500);
  for (int i = 0; i < 3; ++i) model.SetChecked(optFormula(i), false);  // the replacement finder clears all three
  model.SetVisible(Ctl::Tach, true);
  model.SetEnabled(Ctl::MnuOptions, false);

  EXPECT_EQ(window.windowTitle(), "Revalorn v1.2.3");
  EXPECT_EQ(W<QLabel>(Ctl::LabelReplacement)->text(), "<b>R&D.wav</b>");
  EXPECT_EQ(W<QLabel>(Ctl::LabelReplacement)->textFormat(), Qt::PlainText);
  EXPECT_EQ(W<QPushButton>(CmdAutoPlay(0))->text(), "Stop");
  EXPECT_EQ(W<QComboBox>(Ctl::Combo1)->currentText(), "Eagle");
  EXPECT_EQ(W<QScrollBar>(Ctl::HScroll1)->value(), -2500);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(W<QRadioButton>(optFormula(i))->isChecked());
  EXPECT_TRUE(window.Widget(Ctl::Tach)->isVisibleTo(&window));
  EXPECT_FALSE(window.Action(Ctl::MnuOptions)->isEnabled());
  model.ClearList(Ctl::Combo1);
  model.AddItem(Ctl::Combo1, "f2.wav");
  EXPECT_EQ(W<QComboBox>(Ctl::Combo1)->count(), 1);
  EXPECT_TRUE(calls.empty()) << "a programmatic change runs no handler";
}

TEST_F(FrmSoundTest, TheUsersChangeReachesTheModelBeforeItsHandler) {
  window.show();
  for (Ctl c : {CmdAutoPlay(1), Ctl::CmdRevert}) {
    model.SetEnabled(c, true);
    Record(c);
    QTest::mouseClick(window.Widget(c), Qt::LeftButton);
  }
  Record(Ctl::MnuPatchGPL);
  window.Action(Ctl::MnuPatchGPL)->trigger();
  EXPECT_EQ(calls, (std::vector<std::string>{"CmdAutoPlay(1)", "CmdRevert", "MnuPatchGPL"}));

  std::vector<int> seen;
  for (const char* entry : {"Brabham", "Eagle", "Ferrari"}) model.AddItem(Ctl::Combo1, entry);
  model.SetListIndex(Ctl::Combo1, 0);
  window.SetHandler(Ctl::Combo1, [&] { seen.push_back(model.ListIndex(Ctl::Combo1)); });
  QTest::keyClick(window.Widget(Ctl::Combo1), Qt::Key_Down);
  window.SetHandler(optFormula(2), [&] { seen.push_back(model.Checked(optFormula(0)) ? -1 : model.Checked(optFormula(2))); });
  QTest::mouseClick(window.Widget(optFormula(2)), Qt::LeftButton);
  QTest::mouseClick(window.Widget(optFormula(2)), Qt::LeftButton);  // the set option stays set
  EXPECT_TRUE(W<QRadioButton>(optFormula(2))->isChecked());
  // A scroll bar's handler runs only when its value changed.
  window.SetHandler(Ctl::HScroll2, [&] { seen.push_back(model.Value(Ctl::HScroll2)); });
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Home, Qt::Key_Home}) QTest::keyClick(window.Widget(Ctl::HScroll2), key);
  EXPECT_EQ(seen, (std::vector<int>{1, 1, 1, 96, 1}));
}

TEST_F(FrmSoundTest, PicturesCoverTheirBoxesAndTheTachometerFillsTach) {
  model.SetPicture(Ctl::GEMPic1, PictureSource::BuiltIn(101));
  PictureBox* car = window.Picture(Ctl::GEMPic1);
  EXPECT_EQ(car->Shown().size(), QSize(217, 161));
  auto* tachometer = new QWidget;
  window.SetTachometerWidget(tachometer);
  ResizeForResolution(0.625f, 0.5859375f, window.Layout());
  EXPECT_EQ(car->Shown().size(), QSize(136, 101)) << "fitted again after scaling";
  model.SetPicture(Ctl::GEMPic1, PictureSource{});
  EXPECT_TRUE(car->Shown().isNull());

  window.show();
  model.SetVisible(Ctl::Tach, true);
  QApplication::processEvents();
  EXPECT_EQ(tachometer->size(), QSize(160, 160));
  EXPECT_TRUE(tachometer->isVisible());
}

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

// Red top band, green middle, blue bottom band.
QImage Bands(int width, int height, int band) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::green);
  QPainter p(&image);
  p.fillRect(0, 0, width, band, Qt::red);
  p.fillRect(0, height - band, width, band, Qt::blue);
  return image;
}

bool Near(QColor a, QColor b, int tolerance = 40) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

TEST(FitPicture, CoversTheBoxCroppingBothSidesEquallyWithSmoothScaling) {
  // 1600 × 1200 into 800 × 500: halved to 800 × 600 and rows 50 to 549 shown, so of
  // bands of 120 rows (60 when halved) 10 rows remain at each edge.
  const QImage shown = FitPicture(Bands(1600, 1200, 120), QSize(800, 500));
  ASSERT_EQ(shown.size(), QSize(800, 500));
  EXPECT_TRUE(Near(shown.pixelColor(400, 3), Qt::red));
  EXPECT_TRUE(Near(shown.pixelColor(400, 15), Qt::green));
  EXPECT_TRUE(Near(shown.pixelColor(400, 496), Qt::blue));
  // A one-pixel checkerboard halved averages to grey; picking pixels would not.
  QImage board(200, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) board.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
  }
  EXPECT_TRUE(Near(FitPicture(board, QSize(100, 100)).pixelColor(50, 50), QColor(128, 128, 128), 30));
}

TEST(LoadPicture, FilesByTheirContentAndTheTwoBuiltInPictures) {
  testing::TempDir dir;
  ASSERT_TRUE(Bands(30, 20, 4).save(QString::fromStdString(dir.Sub("picture.tmp")), "JPEG"));
  EXPECT_EQ(LoadPicture(PictureSource::File(dir.Sub("picture.tmp"))).size(), QSize(30, 20));
  testing::WriteTextFile(dir.path() / "broken.jpg", "not a picture");
  EXPECT_TRUE(LoadPicture(PictureSource::File(dir.Sub("broken.jpg"))).isNull());
  EXPECT_TRUE(LoadPicture(PictureSource::File(dir.Sub("missing.jpg"))).isNull());
  EXPECT_EQ(LoadPicture(PictureSource::BuiltIn(101)).size(), QSize(800, 600));
  EXPECT_EQ(LoadPicture(PictureSource::BuiltIn(102)).size(), QSize(1600, 1200));
  EXPECT_TRUE(LoadPicture(PictureSource::BuiltIn(103)).isNull());
}

TEST(PictureBox, PaintsTheFittedPicture) {
  PictureBox box;
  box.resize(40, 100);  // the height decides: 160 × 120 becomes 133 × 100
  box.SetImage(Bands(160, 120, 12));
  QImage painted(box.size(), QImage::Format_RGB32);
  box.render(&painted);
  EXPECT_TRUE(Near(painted.pixelColor(20, 2), Qt::red));
  EXPECT_TRUE(Near(painted.pixelColor(20, 50), Qt::green));
}

}  // namespace
}  // namespace revalorn::ui
