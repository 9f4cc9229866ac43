#include "ui/frm_sound.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
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
    auto* w = qobject_cast<T*>(window.Widget(c));
    EXPECT_NE(w, nullptr) << ControlName(c);
    return w;
  }
  // Wires c to a handler that records its name and the model state it saw.
  void Record(Ctl c) {
    window.SetHandler(c, [this, c] { calls.push_back(std::string(ControlName(c))); });
  }

  ControlModel model;
  FrmSound window{model};
  std::vector<std::string> calls;
};

TEST_F(FrmSoundTest, ShowsTheDesignStateOfTheModel) {
  EXPECT_EQ(W<QGroupBox>(Ctl::Frame1)->title(), "Engine Sound");
  EXPECT_EQ(W<QGroupBox>(Ctl::Frame2)->title(), "Replacement Sound");
  EXPECT_EQ(W<QGroupBox>(Ctl::Frame3)->title(), "Playback Controls");
  EXPECT_EQ(W<QLabel>(Ctl::LabelCar)->text(), "BRABHAM");
  EXPECT_EQ(W<QPushButton>(CmdAutoPlay(1))->text(), "Auto Play");
  EXPECT_EQ(W<QPushButton>(Ctl::CmdReplacementLoad)->text(), "Load Sound");
  EXPECT_TRUE(W<QRadioButton>(optFormula(0))->isChecked());
  EXPECT_EQ(W<QRadioButton>(optFormula(2))->text(), "F3");

  QScrollBar* volume = W<QScrollBar>(Ctl::HScroll1);
  EXPECT_EQ(volume->minimum(), -4000);
  EXPECT_EQ(volume->maximum(), 0);
  EXPECT_EQ(volume->singleStep(), 25);
  EXPECT_EQ(volume->pageStep(), 500);
  EXPECT_EQ(volume->value(), 0);
  QScrollBar* speed = W<QScrollBar>(Ctl::HScroll2);
  EXPECT_EQ(speed->minimum(), 1);
  EXPECT_EQ(speed->maximum(), 98);
  EXPECT_EQ(speed->singleStep(), 2);
  EXPECT_EQ(speed->pageStep(), 10);
  EXPECT_EQ(speed->value(), 98);

  EXPECT_FALSE(window.Widget(Ctl::Tach)->isVisibleTo(&window));
  EXPECT_FALSE(window.Widget(Ctl::BackBuffer)->isVisibleTo(&window));
  EXPECT_TRUE(window.Widget(Ctl::GEMPic1)->isVisibleTo(&window));
  EXPECT_EQ(window.Widget(Ctl::GEMPic1)->parentWidget(), window.Widget(Ctl::FrmSoundBackground));
  EXPECT_EQ(window.Widget(Ctl::Combo1)->parentWidget(), window.Widget(Ctl::Frame1));
}

TEST_F(FrmSoundTest, FourMenusWithTheirItemsInOrder) {
  QStringList seen;
  for (QAction* top : window.menuBar()->actions()) {
    seen << top->text() + ":";
    for (QAction* item : top->menu()->actions()) seen << (item->isSeparator() ? QStringLiteral("-") : item->text());
  }
  EXPECT_EQ(seen.join('|').toStdString(),
            "File:|Save All Sounds To GPL Sound Directory|-|Load Sound Set|Save Sound Set|-|Revert All Sounds|-|Exit|"
            "Patches:|Patch Executable|"
            "Tool Box:|Calibrate Pedals|-|Reset Registry Settings|"
            "Help:|Help|-|About Revalorn");
}

TEST_F(FrmSoundTest, AControlWhoseEventHasNoHandlerStaysDisabled) {
  // "Load Sound" is enabled in the model, but nothing is wired to it yet.
  EXPECT_FALSE(window.Widget(Ctl::CmdReplacementLoad)->isEnabled());
  EXPECT_FALSE(window.Action(Ctl::MnuAbout)->isEnabled());
  EXPECT_FALSE(window.Widget(Ctl::HScroll1)->isEnabled());
  EXPECT_TRUE(window.Action(Ctl::MnuFile)->isEnabled()) << "a menu title raises no event of its own";
  EXPECT_TRUE(window.Widget(Ctl::LabelCar)->isEnabled());

  Record(Ctl::CmdReplacementLoad);
  Record(Ctl::MnuAbout);
  EXPECT_TRUE(window.Widget(Ctl::CmdReplacementLoad)->isEnabled());
  EXPECT_TRUE(window.Action(Ctl::MnuAbout)->isEnabled());
  window.SetHandler(Ctl::MnuAbout, nullptr);
  EXPECT_FALSE(window.Action(Ctl::MnuAbout)->isEnabled());

  // Wired, but disabled by the model.
  Record(Ctl::CmdRevert);
  EXPECT_FALSE(window.Widget(Ctl::CmdRevert)->isEnabled());
  model.SetEnabled(Ctl::CmdRevert, true);
  EXPECT_TRUE(window.Widget(Ctl::CmdRevert)->isEnabled());

  EXPECT_THROW(window.SetHandler(Ctl::LabelCar, [] {}), std::invalid_argument);
  EXPECT_THROW(window.SetHandler(Ctl::MnuFile, [] {}), std::invalid_argument);
}

TEST_F(FrmSoundTest, FollowsEveryKindOfModelChange) {
  model.SetCaption(Ctl::FrmSound, "Revalorn v1.2.3");
  EXPECT_EQ(window.windowTitle(), "Revalorn v1.2.3");
  model.SetCaption(Ctl::LabelReplacement, "<b>R&D.wav</b>");
  EXPECT_EQ(W<QLabel>(Ctl::LabelReplacement)->text(), "<b>R&D.wav</b>");
  EXPECT_EQ(W<QLabel>(Ctl::LabelReplacement)->textFormat(), Qt::PlainText);
  model.SetCaption(CmdAutoPlay(0), "Stop");
  EXPECT_EQ(W<QPushButton>(CmdAutoPlay(0))->text(), "Stop");

  for (const char* entry : {"1965 Mod", "1966 Mod", "1967 Original Unpatched"}) model.AddItem(Ctl::Combo2, entry);
  model.SetListIndex(Ctl::Combo2, 2);
  QComboBox* versions = W<QComboBox>(Ctl::Combo2);
  EXPECT_EQ(versions->count(), 3);
  EXPECT_EQ(versions->currentText(), "1967 Original Unpatched");
  model.ClearList(Ctl::Combo2);
  model.AddItem(Ctl::Combo2, "GT Mod");
  EXPECT_EQ(versions->count(), 1);
  EXPECT_EQ(versions->currentIndex(), -1);

  model.SetValue(Ctl::HScroll1, -2500);
  EXPECT_EQ(W<QScrollBar>(Ctl::HScroll1)->value(), -2500);
  model.SetChecked(optFormula(0), false);
  model.SetChecked(optFormula(2), true);
  EXPECT_FALSE(W<QRadioButton>(optFormula(0))->isChecked());
  EXPECT_TRUE(W<QRadioButton>(optFormula(2))->isChecked());
  model.SetChecked(optFormula(2), false);  // the replacement finder clears all three first
  EXPECT_FALSE(W<QRadioButton>(optFormula(2))->isChecked());

  model.SetVisible(Ctl::Tach, true);
  EXPECT_TRUE(window.Widget(Ctl::Tach)->isVisibleTo(&window));
  model.SetEnabled(Ctl::MnuOptions, false);
  EXPECT_FALSE(window.Action(Ctl::MnuOptions)->isEnabled());
  model.SetVisible(Ctl::MnuRevertAll, false);
  EXPECT_FALSE(window.Action(Ctl::MnuRevertAll)->isVisible());
}

TEST_F(FrmSoundTest, ProgrammaticChangesRunNoHandler) {
  Record(Ctl::HScroll1);
  Record(Ctl::Combo1);
  Record(optFormula(1));
  model.SetValue(Ctl::HScroll1, -100);
  model.AddItem(Ctl::Combo1, "Brabham");
  model.AddItem(Ctl::Combo1, "Eagle");
  model.SetListIndex(Ctl::Combo1, 1);
  model.SetChecked(optFormula(1), true);
  EXPECT_TRUE(calls.empty());
}

TEST_F(FrmSoundTest, ButtonsAndMenuItemsReachTheirHandlers) {
  window.show();
  for (Ctl c : {CmdAutoPlay(0), CmdAutoPlay(1), CmdPedalPlay(0), CmdPedalPlay(1), Ctl::CmdReplace, Ctl::CmdRevert,
                Ctl::CmdReplacementLoad}) {
    model.SetEnabled(c, true);
    Record(c);
    QTest::mouseClick(window.Widget(c), Qt::LeftButton);
  }
  for (Ctl c : {Ctl::MnuSaveEngineSounds, Ctl::MnuLoadSoundSet, Ctl::MnuSaveSoundSet, Ctl::MnuRevertAll, Ctl::Mnuexit,
                Ctl::MnuPatchGPL, Ctl::MnuCalibratePedals, Ctl::MnuReset, Ctl::MnuHelpFile, Ctl::MnuAbout}) {
    Record(c);
    window.Action(c)->trigger();
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"CmdAutoPlay(0)", "CmdAutoPlay(1)", "CmdPedalPlay(0)", "CmdPedalPlay(1)",
                                             "CmdReplace", "CmdRevert", "CmdReplacementLoad", "MnuSaveEngineSounds",
                                             "MnuLoadSoundSet", "MnuSaveSoundSet", "MnuRevertAll", "Mnuexit",
                                             "MnuPatchGPL", "MnuCalibratePedals", "MnuReset", "MnuHelpFile",
                                             "MnuAbout"}));
  // A disabled button cannot be clicked.
  calls.clear();
  model.SetEnabled(Ctl::CmdRevert, false);
  QTest::mouseClick(window.Widget(Ctl::CmdRevert), Qt::LeftButton);
  EXPECT_TRUE(calls.empty());
}

TEST_F(FrmSoundTest, TheUsersChangeReachesTheModelBeforeTheHandlerRuns) {
  window.show();
  for (const char* entry : {"Brabham", "Eagle", "Ferrari"}) model.AddItem(Ctl::Combo1, entry);
  model.SetListIndex(Ctl::Combo1, 0);
  std::vector<int> seenIndex;
  window.SetHandler(Ctl::Combo1, [&] { seenIndex.push_back(model.ListIndex(Ctl::Combo1)); });
  QComboBox* engines = W<QComboBox>(Ctl::Combo1);
  engines->setFocus();
  QTest::keyClick(engines, Qt::Key_Down);
  QTest::keyClick(engines, Qt::Key_Down);
  EXPECT_EQ(seenIndex, (std::vector<int>{1, 2}));

  std::vector<std::array<bool, 3>> seenOptions;
  for (int i = 0; i < 3; ++i) {
    window.SetHandler(optFormula(i), [&, i] {
      seenOptions.push_back({model.Checked(optFormula(0)), model.Checked(optFormula(1)), model.Checked(optFormula(2))});
      calls.push_back("optFormula(" + std::to_string(i) + ")");
    });
  }
  QTest::mouseClick(window.Widget(optFormula(2)), Qt::LeftButton);
  QTest::mouseClick(window.Widget(optFormula(2)), Qt::LeftButton);  // the set option stays set
  EXPECT_EQ(calls, (std::vector<std::string>{"optFormula(2)", "optFormula(2)"}));
  ASSERT_EQ(seenOptions.size(), 2u);
  EXPECT_EQ(seenOptions[0], (std::array<bool, 3>{false, false, true}));
  EXPECT_TRUE(W<QRadioButton>(optFormula(2))->isChecked());
  EXPECT_FALSE(W<QRadioButton>(optFormula(0))->isChecked());
}

TEST_F(FrmSoundTest, AScrollBarHandlerRunsOnlyWhenTheValueChanged) {
  window.show();
  std::vector<int> seen;
  window.SetHandler(Ctl::HScroll2, [&] { seen.push_back(model.Value(Ctl::HScroll2)); });
  QScrollBar* speed = W<QScrollBar>(Ctl::HScroll2);
  QTest::keyClick(speed, Qt::Key_Right);  // already at its maximum
  QTest::keyClick(speed, Qt::Key_Left);   // a small step down
  QTest::keyClick(speed, Qt::Key_Home);
  QTest::keyClick(speed, Qt::Key_Home);  // already at its minimum
  EXPECT_EQ(seen, (std::vector<int>{96, 1}));
  EXPECT_EQ(model.Value(Ctl::HScroll2), 1);
}

TEST_F(FrmSoundTest, TheCloseHandlerCanKeepTheWindowOpen) {
  window.show();
  bool allow = false;
  int asked = 0;
  window.SetCloseHandler([&] {
    ++asked;
    return allow;
  });
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  allow = true;
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(asked, 2);
}

TEST_F(FrmSoundTest, WidgetsFollowTheModelWhileAPlayRunsBetweenItsSteps) {
  // A play is a step machine resumed by the clock; the window shows each step's state
  // while the event loop runs in between.
  QtClock clock;
  window.show();
  model.SetEnabled(CmdAutoPlay(0), true);
  Record(CmdAutoPlay(0));
  std::vector<bool> enabledDuringPlay;
  auto play = [&]() -> Steps {
    model.SetCaption(CmdAutoPlay(0), "Stop");
    model.SetEnabled(Ctl::MnuFile, false);
    for (int step = 0; step < 3; ++step) {
      co_await WaitSeconds(clock, 0.005);
      enabledDuringPlay.push_back(window.Action(Ctl::MnuFile)->isEnabled());
    }
    model.SetCaption(CmdAutoPlay(0), "Auto Play");
    model.SetEnabled(Ctl::MnuFile, true);
  };
  const Steps steps = play();
  EXPECT_FALSE(steps.Finished());
  EXPECT_EQ(W<QPushButton>(CmdAutoPlay(0))->text(), "Stop");
  EXPECT_TRUE(QTest::qWaitFor([&] { return steps.Finished(); }, 5000));
  EXPECT_EQ(enabledDuringPlay, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(W<QPushButton>(CmdAutoPlay(0))->text(), "Auto Play");
  EXPECT_TRUE(window.Action(Ctl::MnuFile)->isEnabled());
}

TEST_F(FrmSoundTest, PicturesCoverTheirBoxes) {
  model.SetPicture(Ctl::GEMPic1, PictureSource::BuiltIn(101));
  PictureBox* car = window.Picture(Ctl::GEMPic1);
  ASSERT_NE(car, nullptr);
  EXPECT_EQ(car->Shown().size(), car->size());
  model.SetPicture(Ctl::FrmSoundBackground, PictureSource::BuiltIn(102));
  EXPECT_EQ(window.Picture(Ctl::FrmSoundBackground)->Shown().size(), window.Widget(Ctl::FrmSoundBackground)->size());
  // After scaling the picture is fitted to the new size.
  ResizeForResolution(0.625f, 0.5859375f, window.Layout());
  EXPECT_EQ(car->Shown().size(), QSize(136, 101));
  model.SetPicture(Ctl::GEMPic1, PictureSource{});
  EXPECT_TRUE(car->Shown().isNull());
}

TEST_F(FrmSoundTest, TheTachometerWidgetFillsTachsBox) {
  auto* tachometer = new QWidget;
  window.SetTachometerWidget(tachometer);
  ResizeForResolution(1.5f, 1.0546875f, window.Layout());
  window.show();
  model.SetVisible(Ctl::Tach, true);
  QApplication::processEvents();
  EXPECT_EQ(tachometer->parentWidget(), window.Widget(Ctl::Tach));
  EXPECT_EQ(tachometer->size(), QSize(384, 384));
  EXPECT_TRUE(tachometer->isVisible());
  model.SetVisible(Ctl::Tach, false);
  EXPECT_FALSE(tachometer->isVisible());
}

}  // namespace
}  // namespace revalorn::ui
