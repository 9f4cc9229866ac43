// About, the settings reset and the quit routine, on a program with a game beside it.
#include "app/exit_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <vector>

#include "soundfiles/replace_revert.h"
#include "tests/soundfiles/sound_files_fixture.h"

namespace revalorn {
namespace {

using testing::Game;
using testing::Sound;
using Op = testing::RecordingSoundOutput::Call::Op;

// A game with the sliders moved away from their design positions and the input
// shutdown recorded.
struct Quitting : Game {
  Quitting() {
    controls().SetValue(Ctl::HScroll1, -1250);
    controls().SetValue(Ctl::HScroll2, 42);
    values().InputShutdown = [this](Context&) {
      inputShutdowns.push_back(sound.Count(Op::Shutdown));  // the sound is released first
    };
  }
  bool Ended() const { return ctx.values.ProgramEnded && prompts.endProgramCalls == 1; }

  std::vector<int> inputShutdowns;  // each call: how many sound shutdowns preceded it
};

void ExpectSlidersWrittenAndEnded(Quitting& q) {
  EXPECT_EQ(q.settings.values.at("lVolume"), "-1250");
  EXPECT_EQ(q.settings.values.at("lTimingDelay"), "42");
  EXPECT_EQ(q.sound.Count(Op::Shutdown), 1);
  EXPECT_EQ(q.inputShutdowns, std::vector<int>{1});
  EXPECT_EQ(q.prompts.processEventsCalls, 1);
  EXPECT_TRUE(q.Ended());
}

TEST(Exit, WithNothingUnsavedWritesTheSlidersAndEndsWithoutAQuestion) {
  Quitting fresh;
  Mnuexit_Click(fresh.ctx);
  EXPECT_TRUE(fresh.prompts.messages.empty());
  ExpectSlidersWrittenAndEnded(fresh);
}

TEST(Exit, AfterAReplaceAsksAndAnythingButYesKeepsTheProgramWithNothingWritten) {
  Quitting q;
  q.LoadReplacement("v8.wav", Sound(44100, 71));
  q.ReplaceEntry(8);  // f3.wav, a trainer's sound
  q.prompts.messages.clear();

  // The question's text, and that nothing is written on No: see the widget test.
  q.prompts.answers.push_back(MsgResult::No);
  EXPECT_FALSE(QuitRoutine(q.ctx));
  ASSERT_EQ(q.prompts.messages.size(), 1u);
  EXPECT_TRUE(q.prompts.messages[0].buttons == MsgButtons::YesNo && q.prompts.messages[0].icon == MsgIcon::Question);
  EXPECT_EQ(q.sound.Count(Op::Shutdown), 0);
  EXPECT_TRUE(q.inputShutdowns.empty());
  EXPECT_FALSE(q.values().ProgramEnded);

  // The menu's Exit asks the same; Yes ends.
  q.prompts.answers.push_back(MsgResult::Yes);
  Mnuexit_Click(q.ctx);
  EXPECT_EQ(q.prompts.messages.size(), 2u);
  ExpectSlidersWrittenAndEnded(q);
}

TEST(Exit, AfterLoadingASoundSetAsksNothing) {
  Quitting q;
  q.SaveSet("Stock");
  q.LoadReplacement("v8.wav", Sound(44100, 72));
  q.ReplaceEntry(0);
  ASSERT_TRUE(AnySoundChanged(q.ctx));
  q.LoadSet(q.Sets() / "Stock");
  q.prompts.messages.clear();

  Mnuexit_Click(q.ctx);
  EXPECT_TRUE(q.prompts.messages.empty());
  ExpectSlidersWrittenAndEnded(q);
}

TEST(Exit, EveryFailureInsideIsSkippedAndTheProgramStillEnds) {
  Quitting q;
  q.settings.values["lVolume"] = "-300";
  q.settings.failWrites = true;
  q.sound.failShutdown = true;
  int inputCalls = 0;
  q.values().InputShutdown = [&](Context&) {
    ++inputCalls;
    throw std::runtime_error("no input devices");
  };

  EXPECT_TRUE(QuitRoutine(q.ctx));
  EXPECT_EQ(q.settings.values.at("lVolume"), "-300");
  EXPECT_EQ(q.sound.Count(Op::Shutdown), 1);
  EXPECT_EQ(inputCalls, 1);
  EXPECT_TRUE(q.Ended());
  EXPECT_TRUE(q.prompts.messages.empty());

  q.values().InputShutdown = nullptr;  // before the input devices are wired
  EXPECT_TRUE(QuitRoutine(q.ctx));
}

TEST(Reset, CancelChangesNothingAndOkLeavesNoSettingsAndEndsAtOnce) {
  Quitting q;
  q.settings.values = {{"Version", "v1.0.0"}, {"LastUsedGPLPath", q.values().LastUsedGPLPath}, {"lVolume", "-10"}};
  q.LoadReplacement("v8.wav", Sound(44100, 73));
  q.ReplaceEntry(1);
  const auto before = q.settings.values;
  q.prompts.messages.clear();

  q.prompts.answers.push_back(MsgResult::Cancel);
  MnuReset_Click(q.ctx);
  ASSERT_EQ(q.prompts.messages.size(), 1u);
  const auto& warning = q.prompts.messages[0];
  EXPECT_EQ(warning.text,
            "This will delete your Revalorn Registry settings.  You will have to restart and initialize.");
  EXPECT_EQ(warning.buttons, MsgButtons::OkCancel);
  EXPECT_EQ(warning.icon, MsgIcon::Information);
  EXPECT_EQ(q.settings.values, before);
  EXPECT_FALSE(q.values().ProgramEnded);

  // OK: no unsaved-changes question, no slider written back, no release of the devices.
  q.prompts.answers.push_back(MsgResult::Ok);
  MnuReset_Click(q.ctx);
  EXPECT_EQ(q.prompts.messages.size(), 2u);
  EXPECT_TRUE(q.settings.values.empty());
  EXPECT_TRUE(q.Ended());
  EXPECT_EQ(q.sound.Count(Op::Shutdown), 0);
  EXPECT_TRUE(q.inputShutdowns.empty());
}

TEST(About, ShowsTheVersionNumbersWithoutPaddingAndTheCompany) {
  testing::TestContext t;
  MnuAbout_Click(t.ctx, ProgramVersion{6, 0, 0});
  MnuAbout_Click(t.ctx, ProgramVersion{1, 12, 305});
  ASSERT_EQ(t.prompts.messages.size(), 2u);
  EXPECT_EQ(t.prompts.messages[0].text, "v6.0.0 by " + CompanyName());
  EXPECT_EQ(t.prompts.messages[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(t.prompts.messages[1].text, "v1.12.305 by " + CompanyName());
}

}  // namespace
}  // namespace revalorn
