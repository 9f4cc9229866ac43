// Replace, Revert, Save All and Revert All between real candidate, working and game
// folders.
#include "soundfiles/replace_revert.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/soundfiles/sound_files_fixture.h"

namespace revalorn {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Game;
using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::Sound;
using Op = testing::RecordingSoundOutput::Call::Op;

constexpr int kF3Entry = 8;  // 7 cars in the 1967 versions, then f2, f3, f2f3

TEST(Replace, ASharedWorkingCopyIsReplacedForBothSlotsButOnlyTheSelectedOneIsFlagged) {
  Game g;
  const Bytes candidate = Sound(44100, 50);
  g.LoadReplacement("v8.wav", candidate);
  const Bytes gameRepco = g.GameBytes("repco.wav");
  g.controls().SetEnabled(Ctl::MnuSaveEngineSounds, false);
  g.sound.calls.clear();
  g.ReplaceEntry(0);  // repco.wav, shared with slot 6

  const auto& question = g.prompts.messages.back();
  EXPECT_EQ(question.text, "Are you sure you want to replace this sound?");
  EXPECT_TRUE(question.buttons == MsgButtons::YesNo && question.icon == MsgIcon::Question &&
              question.defaultButton == MsgDefault::First);
  ASSERT_EQ(g.sound.calls.size(), 2u);
  EXPECT_EQ(g.sound.calls[0].op, Op::Stop);
  EXPECT_EQ(g.sound.calls[1].path, FromPath(g.Working("repco.wav"))) << "the new sound loaded";

  EXPECT_EQ(g.WorkingBytes("repco.wav"), candidate);
  EXPECT_EQ(g.GameBytes("repco.wav"), gameRepco);
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 0), 44100);
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 6), 44100);  // the same file plays at its own pitch
  EXPECT_TRUE(g.values().SoundChanged[0]);
  EXPECT_FALSE(g.values().SoundChanged[6]);
  EXPECT_TRUE(AnySoundChanged(g.ctx));
  for (Ctl c : {Ctl::CmdRevert, Ctl::MnuRevertAll, Ctl::MnuSaveEngineSounds}) EXPECT_TRUE(g.controls().Enabled(c));
}

TEST(Replace, NoStillStopsTheSoundAndChangesNothing) {
  Game g;
  g.LoadReplacement("v8.wav", Sound(44100, 50));
  g.ReplaceEntry(1);
  const Bytes replaced = g.WorkingBytes("brmh16.wav");
  g.sound.calls.clear();

  g.ReplaceEntry(2, MsgResult::No);
  g.prompts.answers.push_back(MsgResult::No);
  CmdRevert_Click(g.ctx);  // entry 2 is selected
  g.PickEngine(1);
  g.prompts.answers.push_back(MsgResult::No);
  CmdRevert_Click(g.ctx);

  EXPECT_EQ(g.sound.Count(Op::Stop), 3);
  EXPECT_EQ(g.sound.Count(Op::Load), 0);
  EXPECT_EQ(g.WorkingBytes("weslake.wav"), g.GameBytes("weslake.wav"));
  EXPECT_EQ(g.WorkingBytes("brmh16.wav"), replaced);
  EXPECT_FALSE(g.values().SoundChanged[2]);
  EXPECT_TRUE(g.values().SoundChanged[1]);
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 1), 44100);
}

TEST(SaveAll, WritesEverySoundOverTheGameFilesAndClearsTheTrainerFlag) {
  Game g;
  fs::rename(g.GameSound("repco.wav"), g.GameSound("Repco.wav"));  // as a Windows game may spell it
  g.PickVersion(kVersionOriginal1967);
  g.LoadReplacement("trainer.wav", Sound(32000, 51));
  g.ReplaceEntry(kF3Entry);
  EXPECT_TRUE(g.values().SoundChanged[kSlotF3]);
  EXPECT_TRUE(AnySoundChanged(g.ctx));
  testing::WriteBinaryFile(g.Working("ferrari.wav"), Sound(48000, 52));  // changed without a flag
  // A reader holding the old game file (a hard link) keeps it whole: the new one is
  // written beside it and renamed over.
  fs::create_hard_link(g.GameSound("f3.wav"), g.dir.path() / "old-f3.wav");
  const Bytes oldF3 = g.GameBytes("f3.wav");
  const auto stops = g.sound.Count(Op::Stop);
  const auto gameFiles = ListFolder(g.GameSound());

  g.prompts.answers.push_back(MsgResult::Yes);
  MnuSaveEngineSounds_Click(g.ctx);
  EXPECT_EQ(g.prompts.messages.back().text, "Are you sure you want to save all these sounds to your GPL Sound Folder?");
  EXPECT_EQ(g.sound.Count(Op::Stop), stops);  // playback is not stopped
  for (const auto& name : g.VersionFiles()) {
    const std::string onDisk = name == "repco.wav" ? "Repco.wav" : name;
    EXPECT_EQ(g.GameBytes(onDisk), g.WorkingBytes(name)) << name;
  }
  EXPECT_EQ(ListFolder(g.GameSound()), gameFiles);  // "Repco.wav" was written under its own name
  EXPECT_EQ(ReadBinaryFile(g.dir.path() / "old-f3.wav"), oldF3);
  EXPECT_FALSE(AnySoundChanged(g.ctx));
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdRevert));
  EXPECT_FALSE(g.controls().Enabled(Ctl::MnuRevertAll));
  EXPECT_TRUE(g.controls().Enabled(Ctl::MnuSaveEngineSounds));
  EXPECT_EQ(g.prompts.messages.size(), 2u);  // the two questions, no failure
}

TEST(Revert, RevertAllStaysEnabledUntilTheLastReplacedSoundIsReverted) {
  Game g;
  g.LoadReplacement("v8.wav", Sound(44100, 53));
  g.ReplaceEntry(1);
  g.ReplaceEntry(4);

  g.PickEngine(1);
  g.prompts.answers.push_back(MsgResult::Yes);
  CmdRevert_Click(g.ctx);
  EXPECT_EQ(g.prompts.messages.back().text, "Are you sure you want to revert this sound?");
  EXPECT_EQ(g.WorkingBytes("brmh16.wav"), g.GameBytes("brmh16.wav"));
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 1), 22050);
  EXPECT_FALSE(g.values().SoundChanged[1]);
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdRevert));
  EXPECT_TRUE(g.controls().Enabled(Ctl::MnuRevertAll));

  g.PickEngine(4);
  g.prompts.answers.push_back(MsgResult::Yes);
  CmdRevert_Click(g.ctx);
  EXPECT_FALSE(g.controls().Enabled(Ctl::MnuRevertAll));
  EXPECT_FALSE(AnySoundChanged(g.ctx));
}

TEST(RevertAll, ReloadsEverySoundFromTheGameOnlyAfterYes) {
  Game g;
  g.LoadReplacement("v8.wav", Sound(44100, 54));
  g.ReplaceEntry(2);
  g.prompts.answers.push_back(MsgResult::No);
  MnuRevertAll_Click(g.ctx);
  EXPECT_EQ(g.prompts.messages.back().text, "Are you sure you want to revert all sounds?");
  EXPECT_TRUE(g.values().SoundChanged[2]);

  g.prompts.answers.push_back(MsgResult::Yes);
  MnuRevertAll_Click(g.ctx);
  for (const auto& name : g.VersionFiles()) EXPECT_EQ(g.WorkingBytes(name), g.GameBytes(name)) << name;
  EXPECT_FALSE(AnySoundChanged(g.ctx));
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 2), 22050);
  EXPECT_FALSE(g.controls().Enabled(Ctl::MnuRevertAll));
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdRevert));
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdReplace));
  EXPECT_EQ(g.controls().Caption(Ctl::LabelReplacement), "Replacement");
}

// A copy that fails is told by file name and loses nothing.
TEST(CopyFailures, ReplaceAndRevertThatCannotCopyLeaveTheSoundAsItWas) {
  Game g;
  g.LoadReplacement("v8.wav", Sound(44100, 55));
  fs::remove(g.Working("weslake.wav"));
  fs::create_directory(g.Working("weslake.wav"));  // the working copy cannot be written
  g.sound.calls.clear();
  g.ReplaceEntry(2);
  ASSERT_EQ(g.prompts.messages.size(), 2u);
  EXPECT_NE(g.prompts.messages.back().text.find("weslake.wav"), std::string::npos);
  EXPECT_EQ(g.prompts.messages.back().icon, MsgIcon::Exclamation);
  EXPECT_FALSE(g.values().SoundChanged[2]);
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 2), 22050);
  EXPECT_EQ(g.sound.Count(Op::Load), 0);
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdRevert));
  EXPECT_FALSE(g.controls().Enabled(Ctl::MnuRevertAll));

  // A replacement that stopped being a sound never reaches the working copy.
  const Bytes ferrari = g.WorkingBytes("ferrari.wav");
  testing::WriteTextFile(g.candidates / "v8.wav", "text");
  g.ReplaceEntry(4);
  EXPECT_NE(g.prompts.messages.back().text.find(FromPath(g.candidates / "v8.wav")), std::string::npos);
  EXPECT_EQ(g.WorkingBytes("ferrari.wav"), ferrari);
  EXPECT_FALSE(g.values().SoundChanged[4]);

  // Revert without the game's copy keeps the replacement, its rate and its flag.
  testing::WriteBinaryFile(g.candidates / "v8.wav", Sound(44100, 55));
  g.ReplaceEntry(3);
  const Bytes replaced = g.WorkingBytes("cosworth.wav");
  fs::remove(g.GameSound("cosworth.wav"));
  g.prompts.answers.push_back(MsgResult::Yes);
  CmdRevert_Click(g.ctx);
  EXPECT_NE(g.prompts.messages.back().text.find("cosworth.wav"), std::string::npos);
  EXPECT_EQ(g.WorkingBytes("cosworth.wav"), replaced);
  EXPECT_TRUE(g.values().SoundChanged[3]);
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 3), 44100);
  EXPECT_TRUE(g.controls().Enabled(Ctl::CmdRevert));
  EXPECT_TRUE(g.controls().Enabled(Ctl::MnuRevertAll));
}

TEST(CopyFailures, SaveAllKeepsTheFlagsOfTheSoundsItCouldNotWrite) {
  Game g;
  g.LoadReplacement("v8.wav", Sound(44100, 56));
  g.ReplaceEntry(1);
  g.ReplaceEntry(4);
  // The game's ferrari.wav cannot be replaced: a folder stands in its place. (Tests run
  // as root, which permissions would not stop.)
  fs::remove(g.GameSound("ferrari.wav"));
  fs::create_directories(g.GameSound("ferrari.wav") / "inside");
  const auto gameFiles = ListFolder(g.GameSound());

  g.prompts.answers.push_back(MsgResult::Yes);
  MnuSaveEngineSounds_Click(g.ctx);
  ASSERT_EQ(g.prompts.messages.size(), 4u);
  const auto& report = g.prompts.messages.back();
  EXPECT_EQ(report.icon, MsgIcon::Exclamation);
  EXPECT_NE(report.text.find("ferrari.wav"), std::string::npos);
  EXPECT_EQ(report.text.find("brmh16.wav"), std::string::npos);
  EXPECT_EQ(g.GameBytes("brmh16.wav"), g.WorkingBytes("brmh16.wav"));
  EXPECT_TRUE(fs::is_directory(g.GameSound("ferrari.wav") / "inside"));
  EXPECT_EQ(ListFolder(g.GameSound()), gameFiles);  // no temporary file left behind
  EXPECT_FALSE(g.values().SoundChanged[1]);
  EXPECT_TRUE(g.values().SoundChanged[4]);
  EXPECT_TRUE(AnySoundChanged(g.ctx));
  EXPECT_TRUE(g.controls().Enabled(Ctl::MnuRevertAll));
  EXPECT_TRUE(g.controls().Enabled(Ctl::CmdRevert));  // entry 4 is selected
}

}  // namespace
}  // namespace revalorn
