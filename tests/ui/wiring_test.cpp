#include "ui/wiring.h"

#include <QAction>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

#include "catalogue/catalogue.h"
#include "tests/support/test_context.h"

namespace revalorn::ui {
namespace {

class WiringTest : public ::testing::Test {
 protected:
  WiringTest() {
    WireHandlers(window, t.ctx);
    window.show();
  }
  testing::TestContext t;
  FrmSound window{t.ctx.controls};
};

TEST_F(WiringTest, EveryControlWithLogicReachesItAndTheOthersStayDisabled) {
  for (Ctl c : {Ctl::Combo2, Ctl::Combo1, Ctl::CmdReplacementLoad, optFormula(0), Ctl::HScroll1, Ctl::HScroll2}) {
    EXPECT_TRUE(window.Widget(c)->isEnabled()) << ControlName(c);
  }
  for (Ctl c : {Ctl::MnuSaveEngineSounds, Ctl::MnuLoadSoundSet, Ctl::MnuSaveSoundSet, Ctl::MnuRevertAll, Ctl::MnuPatchGPL}) {
    EXPECT_TRUE(window.Action(c)->isEnabled()) << ControlName(c);
  }
  for (Ctl c : {Ctl::Mnuexit, Ctl::MnuCalibratePedals, Ctl::MnuReset, Ctl::MnuHelpFile, Ctl::MnuAbout}) {
    EXPECT_FALSE(window.Action(c)->isEnabled()) << ControlName(c);
  }
  t.controls().SetEnabled(CmdAutoPlay(0), true);
  EXPECT_FALSE(window.Widget(CmdAutoPlay(0))->isEnabled()) << "no handler yet";

  // A few events, each reaching its logic.
  for (const std::string_view text : VersionListTexts()) t.controls().AddItem(Ctl::Combo2, std::string(text));
  t.controls().SetListIndex(Ctl::Combo2, 0);
  QTest::keyClick(window.Widget(Ctl::Combo2), Qt::Key_End);
  EXPECT_EQ(t.values().GameVersion, 5) << "GT Mod";
  QTest::keyClick(window.Widget(Ctl::HScroll2), Qt::Key_Home);
  EXPECT_DOUBLE_EQ(t.values().TimingDelay, 0.098);
  QTest::mouseClick(window.Widget(optFormula(1)), Qt::LeftButton);
  EXPECT_EQ(t.ctx.catalogue.MaxFreq(5, kSlotReplacement), t.ctx.catalogue.MaxFreq(5, kSlotF2));
  window.Action(Ctl::MnuPatchGPL)->trigger();
  ASSERT_EQ(t.prompts.findersShown.size(), 1u);
  EXPECT_EQ(t.prompts.findersShown[0].caption, "GPL Executable Finder");
  EXPECT_EQ(t.prompts.findersShown[0].cancel.caption, "Cancel") << "opened from a menu";
  EXPECT_FALSE(t.values().ProgramEnded);
}

TEST_F(WiringTest, AnErrorEscapingAHandlerIsReportedAndTheProgramGoesOn) {
  window.SetHandler(Ctl::CmdReplace, Guarded(t.ctx, [] { throw std::runtime_error("disk on fire"); }));
  t.controls().SetEnabled(Ctl::CmdReplace, true);
  QTest::mouseClick(window.Widget(Ctl::CmdReplace), Qt::LeftButton);
  ASSERT_EQ(t.prompts.messages.size(), 1u);
  EXPECT_EQ(t.prompts.messages[0].text, std::string(kUnexpectedErrorText) + "\r\n\r\ndisk on fire");
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Exclamation);

  RunGuarded(t.ctx, [] { throw 42; });
  EXPECT_EQ(t.prompts.messages.back().text, kUnexpectedErrorText);
  // A close question that fails lets the window close.
  EXPECT_TRUE(GuardedClose(t.ctx, []() -> bool { throw std::logic_error("x"); })());
  EXPECT_FALSE(GuardedClose(t.ctx, [] { return false; })());
  // After the program was ended nothing more is said.
  const std::size_t said = t.prompts.messages.size();
  t.values().ProgramEnded = true;
  RunGuarded(t.ctx, [] { throw std::runtime_error("late"); });
  EXPECT_EQ(t.prompts.messages.size(), said);
}

}  // namespace
}  // namespace revalorn::ui
