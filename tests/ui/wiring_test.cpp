#include "ui/wiring.h"

#include <QAction>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/exit_commands.h"
#include "catalogue/catalogue.h"
#include "tests/soundfiles/sound_files_fixture.h"
#include "tests/support/test_context.h"
#include "ui/frm_sound.h"

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

// The quit routine behind the main window's File, "Exit" and its close box.
TEST(Quit, AfterAReplaceTheCloseBoxAndExitAskAndNoKeepsTheWindowOpen) {
  testing::Game g;
  FrmSound window(g.controls());
  window.SetHandler(Ctl::Mnuexit, [&] { Mnuexit_Click(g.ctx); });
  window.SetCloseHandler([&] { return QuitRoutine(g.ctx); });
  window.show();
  g.LoadReplacement("v8.wav", testing::Sound(44100, 80));
  g.ReplaceEntry(2);
  qobject_cast<QScrollBar*>(window.Widget(Ctl::HScroll1))->setValue(-2000);
  const auto stored = g.settings.values;
  const std::size_t asked = g.prompts.messages.size();

  g.prompts.answers = {MsgResult::No, MsgResult::No};
  EXPECT_FALSE(window.close());
  window.Action(Ctl::Mnuexit)->trigger();
  EXPECT_TRUE(window.isVisible());
  ASSERT_EQ(g.prompts.messages.size(), asked + 2);
  EXPECT_EQ(g.prompts.messages.back().text,
            "You have changed some of your sounds without saving them.  Are you sure you want to quit?");
  EXPECT_EQ(g.settings.values, stored);
  EXPECT_FALSE(g.values().ProgramEnded);

  g.prompts.answers = {MsgResult::Yes};
  EXPECT_TRUE(window.close());
  EXPECT_EQ(g.settings.values.at("lVolume"), "-2000");
  EXPECT_TRUE(g.values().ProgramEnded);
}

}  // namespace
}  // namespace revalorn::ui
