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

TEST_F(WiringTest, EveryControlReachesItsLogic) {
  // Every control that raises an event is wired, so each follows the model.
  for (int i = 0; i < kControlCount; ++i) {
    const Ctl c = static_cast<Ctl>(i);
    if (!window.HasEvent(c)) continue;
    t.controls().SetEnabled(c, true);
    const bool enabled = window.Action(c) ? window.Action(c)->isEnabled() : window.Widget(c)->isEnabled();
    EXPECT_TRUE(enabled) << ControlName(c);
  }

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

  // Auto Play's button starts a play (here without a loaded sound: the sound output's
  // messages), and Exit runs the quit routine, which ends the program.
  QTest::mouseClick(window.Widget(CmdAutoPlay(0)), Qt::LeftButton);
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Stop Play");
  QTest::mouseClick(window.Widget(CmdAutoPlay(0)), Qt::LeftButton);
  EXPECT_EQ(t.controls().Caption(CmdAutoPlay(0)), "Auto Play");
  window.Action(Ctl::Mnuexit)->trigger();
  EXPECT_TRUE(t.values().ProgramEnded);
  EXPECT_TRUE(t.settings.values.count("lTimingDelay"));
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
