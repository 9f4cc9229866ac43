#include "ui/frm_sound.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "core/steps.h"
#include "ui/picture_box.h"
#include "ui/qt_clock.h"

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

TEST_F(FrmSoundTest, ShowsEachStepOfAPlayWhileTheEventLoopRuns) {
  QtClock clock;
  window.show();
  std::vector<bool> menuEnabled;
  auto play = [&]() -> Steps {
    model.SetEnabled(Ctl::MnuFile, false);
    for (int step = 0; step < 3; ++step) {
      co_await WaitSeconds(clock, 0.005);
      menuEnabled.push_back(window.Action(Ctl::MnuFile)->isEnabled());
    }
    model.SetEnabled(Ctl::MnuFile, true);
  };
  const Steps steps = play();
  EXPECT_FALSE(steps.Finished());
  EXPECT_TRUE(QTest::qWaitFor([&] { return steps.Finished(); }, 5000));
  EXPECT_EQ(menuEnabled, (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(window.Action(Ctl::MnuFile)->isEnabled());
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

}  // namespace
}  // namespace revalorn::ui
