// The quit routine behind the main window's File, "Exit" and its close box.
#include <QAction>
#include <QScrollBar>

#include <gtest/gtest.h>

#include "app/exit_commands.h"
#include "tests/soundfiles/sound_files_fixture.h"
#include "ui/frm_sound.h"

namespace revalorn::ui {
namespace {

using testing::Game;
using testing::Sound;

TEST(Quit, AfterAReplaceTheCloseBoxAndExitAskAndNoKeepsTheWindowOpen) {
  Game g;
  FrmSound window(g.controls());
  window.SetHandler(Ctl::Mnuexit, [&] { Mnuexit_Click(g.ctx); });
  window.SetCloseHandler([&] { return QuitRoutine(g.ctx); });
  window.show();
  g.LoadReplacement("v8.wav", Sound(44100, 80));
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
