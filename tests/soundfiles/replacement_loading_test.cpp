// Loading a replacement sound through the replacement finder, on real folders.
#include "soundfiles/replacement_loading.h"

#include <gtest/gtest.h>

#include "playback/playback_controls.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/soundfiles/sound_files_fixture.h"
#include "workingfolder/working_folder.h"

namespace revalorn {
namespace {

using testing::Bytes;
using testing::Game;
using testing::Sound;
using testing::WriteBinaryFile;
using testing::WriteTextFile;

TEST(ReplacementFinder, StartsInTheRememberedFolderAndShowsTheButtonsOfTheExecutable) {
  Game g;
  FrmFileManager finder(g.ctx);
  FinderModel m;
  g.values().LastUsedSourceDirectory = g.dir.Sub("gone");
  finder.Load(m);
  EXPECT_EQ(m.dirPath, g.values().ProgramFolder);
  EXPECT_EQ(m.caption, "GPL Sound Finder");
  EXPECT_EQ(m.label, "Load Sound File As:");
  EXPECT_EQ(m.pattern, "*.wav");

  g.values().LastUsedSourceDirectory = FromPath(g.candidates);
  for (const std::int16_t kind : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8}) {
    g.values().CurrentExecutableKind = kind;
    finder.Load(m);
    const bool three = kind == 2 || kind == 4 || kind == 6;
    EXPECT_EQ(m.dirPath, FromPath(g.candidates));
    ASSERT_EQ(m.actions.size(), 3u);
    EXPECT_EQ(m.actions[0].caption, "F1 Sound");
    EXPECT_EQ(m.actions[1].caption, three ? "F2 Sound" : "F2F3 Sound") << kind;
    EXPECT_EQ(m.actions[2].caption, "F3 Sound");
    EXPECT_EQ(m.actions[2].visible, three) << kind;
    for (const auto& b : m.actions) EXPECT_FALSE(b.enabled);
  }

  // A file click enables the buttons (a hidden one stays hidden), a double-click does no
  // more than that, and another folder disables them again.
  g.values().CurrentExecutableKind = 8;
  finder.Load(m);
  m.fileName = "a.wav";
  finder.FileDoubleClicked(m);
  EXPECT_FALSE(m.closeRequested);
  for (const auto& b : m.actions) EXPECT_TRUE(b.enabled);
  EXPECT_FALSE(m.actions[2].visible);
  finder.FolderChanged(m);
  for (const auto& b : m.actions) EXPECT_FALSE(b.enabled);
}

TEST(LoadSound, F2F3SoundSetsTheF2OptionAndTakesTheF2RevLimit) {
  Game g;
  g.values().PedalsAvailable = true;
  g.LoadReplacement("My Engine.WAV", Sound(44100, 40), 1);

  EXPECT_EQ(g.sound.calls.front().op, testing::RecordingSoundOutput::Call::Op::Stop);
  EXPECT_EQ(g.prompts.findersShown.at(0).actions[1].caption, "F2F3 Sound");
  EXPECT_FALSE(g.controls().Checked(optFormula(0)));
  EXPECT_TRUE(g.controls().Checked(optFormula(1)));
  EXPECT_EQ(g.ctx.catalogue.MaxFreq(0, kSlotReplacement), g.ctx.catalogue.MaxFreq(0, kSlotF2));
  EXPECT_EQ(g.values().ReplacementFile, "My Engine.WAV");
  EXPECT_EQ(g.values().LastUsedSourceDirectory, FromPath(g.candidates));
  EXPECT_EQ(g.settings.values["LastUsedSourceDirectory"], FromPath(g.candidates));
  EXPECT_EQ(g.ctx.catalogue.SoundFileName(0, kSlotReplacement), "My Engine.WAV");
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, kSlotReplacement), 44100);
  EXPECT_EQ(g.controls().Caption(Ctl::LabelReplacement), "My Engine.WAV");
  EXPECT_TRUE(g.controls().Enabled(CmdAutoPlay(1)));
  EXPECT_TRUE(g.controls().Enabled(CmdPedalPlay(1)));
  EXPECT_TRUE(g.controls().Enabled(Ctl::CmdReplace));
  EXPECT_TRUE(g.prompts.messages.empty());
}

TEST(LoadSound, CancelLeavesTheChoiceAndRefillsTheFrameFromAnEarlierLoad) {
  Game g;
  CmdReplacementLoad_Click(g.ctx);  // closed by its frame, nothing loaded before
  EXPECT_FALSE(g.values().FinderConfirmed);
  EXPECT_EQ(g.controls().Caption(Ctl::LabelReplacement), "Replacement");
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdReplace));
  EXPECT_FALSE(g.controls().Enabled(CmdAutoPlay(1)));
  EXPECT_TRUE(g.settings.values.empty());

  g.LoadReplacement("v8.wav", Sound(44100, 41), 0);
  LoadEngineSounds(g.ctx, g.values().LastUsedGPLPath);  // e.g. Revert All: the frame is reset
  ASSERT_FALSE(g.controls().Enabled(Ctl::CmdReplace));
  g.controls().SetChecked(optFormula(0), false);  // the player picks F3 on the main window
  g.controls().SetChecked(optFormula(2), true);
  WriteBinaryFile(g.candidates / "v8.wav", Sound(11025, 41));
  g.settings.values.clear();

  g.prompts.finderScripts.push_back([](FinderLogic& logic, FinderModel& m) { logic.Cancel(m); });
  CmdReplacementLoad_Click(g.ctx);
  EXPECT_FALSE(g.values().FinderConfirmed);
  EXPECT_EQ(g.values().ReplacementFile, "v8.wav");
  EXPECT_EQ(g.values().LastUsedSourceDirectory, FromPath(g.candidates));
  EXPECT_EQ(g.controls().Caption(Ctl::LabelReplacement), "v8.wav");
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, kSlotReplacement), 11025);
  EXPECT_EQ(g.ctx.catalogue.MaxFreq(0, kSlotReplacement), g.ctx.catalogue.MaxFreq(0, kSlotF3));
  EXPECT_TRUE(g.controls().Enabled(Ctl::CmdReplace));
  EXPECT_TRUE(g.controls().Enabled(CmdAutoPlay(1)));
  EXPECT_TRUE(g.settings.values.empty());
}

TEST(LoadSound, OnlyUsablePcmSoundsBecomeReplacements) {
  const Bytes wav = Sound(22050, 1);
  const std::vector<std::pair<std::string, Bytes>> refused = {
      {"notes.wav", Bytes{'h', 'e', 'l', 'l', 'o'}},
      {"empty.wav", Bytes{}},
      {"float.wav", fixtures::MakeWav({22050, 1, 32, fixtures::WavEncoding::Float}, {0.1, 0.2})},
      {"nodata.wav", Bytes(wav.begin(), wav.begin() + 36)},
  };
  for (const auto& [file, bytes] : refused) {
    Game g;
    g.values().CurrentExecutableKind = 2;  // all three buttons
    const auto maxFreq = g.ctx.catalogue.MaxFreq(0, kSlotReplacement);
    g.LoadReplacement(file, bytes, 2);
    ASSERT_EQ(g.prompts.MessageTexts(), std::vector<std::string>{"Could not load sound."}) << file;
    EXPECT_EQ(g.prompts.messages.front().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(g.values().ReplacementFile.empty() && g.values().LastUsedSourceDirectory.empty());
    EXPECT_TRUE(g.settings.values.empty());
    EXPECT_TRUE(g.controls().Checked(optFormula(0)));
    EXPECT_EQ(g.ctx.catalogue.MaxFreq(0, kSlotReplacement), maxFreq);
    EXPECT_FALSE(g.controls().Enabled(Ctl::CmdReplace));
  }

  // An earlier replacement that stopped being a sound is not brought back by Cancel.
  Game g;
  g.LoadReplacement("v8.wav", Sound(22050, 42));
  LoadEngineSounds(g.ctx, g.values().LastUsedGPLPath);
  WriteTextFile(g.candidates / "v8.wav", "not a sound any more");
  CmdReplacementLoad_Click(g.ctx);
  EXPECT_EQ(g.prompts.MessageTexts(), std::vector<std::string>{"Could not load sound."});
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdReplace));
  EXPECT_EQ(g.controls().Caption(Ctl::LabelReplacement), "Replacement");
}

}  // namespace
}  // namespace revalorn
