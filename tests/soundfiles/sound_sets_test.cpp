// Saving and loading sound sets in a real "Sound Sets" folder beside the program.
#include "soundfiles/sound_sets.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "soundfiles/replace_revert.h"
#include "tests/soundfiles/sound_files_fixture.h"

namespace revalorn {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Game;
using testing::ListFolder;
using testing::ReadBinaryFile;
using testing::Sound;
using testing::WriteBinaryFile;

TEST(SaveSoundSet, CopiesTheVersionsWorkingCopiesAndAsksBeforeOverwriting) {
  Game g;
  g.LoadReplacement("v8.wav", Sound(44100, 60));
  g.ReplaceEntry(4);
  const auto flags = g.values().SoundChanged;
  const auto messages = g.prompts.messages.size();
  g.SaveSet("My Sound Set");
  EXPECT_EQ(g.prompts.inputPrompts.back(), "Enter a name for your sound set directory.");
  EXPECT_EQ(g.prompts.inputDefaults.back(), "My Sound Set");
  const fs::path set = g.Sets() / "My Sound Set";
  EXPECT_EQ(ListFolder(set), g.VersionFiles());
  for (const auto& name : g.VersionFiles()) EXPECT_EQ(ReadBinaryFile(set / name), g.WorkingBytes(name)) << name;
  EXPECT_EQ(g.prompts.messages.size(), messages);
  EXPECT_EQ(g.values().SoundChanged, flags);
  EXPECT_TRUE(g.controls().Enabled(Ctl::MnuRevertAll));

  testing::WriteTextFile(set / "notes.txt", "mine");
  fs::create_hard_link(set / "f2.wav", g.dir.path() / "old-f2.wav");
  const Bytes oldF2 = ReadBinaryFile(set / "f2.wav");
  WriteBinaryFile(g.Working("f2.wav"), Sound(32000, 61));
  g.prompts.answers.push_back(MsgResult::No);
  g.SaveSet("My Sound Set");
  const auto& question = g.prompts.messages.back();
  EXPECT_EQ(question.text, "That sound set already exits.  Do you want to overwrite it?");
  EXPECT_EQ(question.buttons, MsgButtons::YesNo);
  EXPECT_EQ(question.icon, MsgIcon::Question);
  EXPECT_EQ(ReadBinaryFile(set / "f2.wav"), oldF2);

  g.prompts.answers.push_back(MsgResult::Yes);
  g.SaveSet("My Sound Set");
  EXPECT_EQ(ReadBinaryFile(set / "f2.wav"), g.WorkingBytes("f2.wav"));
  EXPECT_EQ(ReadBinaryFile(g.dir.path() / "old-f2.wav"), oldF2);  // replaced whole, not rewritten
  EXPECT_EQ(testing::ReadTextFile(set / "notes.txt"), "mine");

  g.SaveSet("");  // Cancel
  EXPECT_EQ(g.prompts.messages.size(), messages + 2);
}

TEST(SaveSoundSet, NamesThatAreNotOneSafeFolderNameAreRefusedBeforeAnythingIsCreated) {
  for (const std::string name : {"../x", "a/b", "a\\b", ".", "..", "x.", "x ", "a:b", "a*b", "a?b", "a<b", "a>b",
                                 "a|b", "a\"b", "tab\there", "bell\x07"}) {
    Game g;
    const auto before = ListFolder(g.dir.path() / "program");
    g.SaveSet(name);
    ASSERT_EQ(g.prompts.messages.size(), 1u) << name;
    EXPECT_EQ(g.prompts.messages[0].buttons, MsgButtons::Ok) << name;
    EXPECT_EQ(g.prompts.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(ListFolder(g.dir.path() / "program"), before) << name;
    EXPECT_FALSE(fs::exists(g.dir.path() / "x"));
  }
  Game g;
  for (const std::string name : {"1967 (v2.1)", " spaced", "Ærø's sounds"}) {
    g.SaveSet(name);
    EXPECT_EQ(ListFolder(g.Sets() / name), g.VersionFiles()) << name;
  }
  EXPECT_TRUE(g.prompts.messages.empty());
}

TEST(SaveSoundSet, FilesThatCannotBeWrittenAreNamed) {
  Game g;
  testing::WriteTextFile(g.Sets(), "a file, not a folder");
  g.SaveSet("A");
  ASSERT_EQ(g.prompts.messages.size(), 1u);
  EXPECT_NE(g.prompts.messages[0].text.find(FromPath(g.Sets())), std::string::npos);
  fs::remove(g.Sets());

  fs::remove(g.Working("f3.wav"));
  g.SaveSet("B");
  EXPECT_NE(g.prompts.messages.back().text.find("f3.wav:"), std::string::npos);
  EXPECT_EQ(ListFolder(g.Sets() / "B").size(), g.VersionFiles().size() - 1);
}

TEST(SoundSetFinder, StartsInTheSetsFolderAndSelectsTheCurrentFolder) {
  Game g;
  FrmDirPtr2 finder(g.ctx);
  FinderModel m;
  finder.Load(m);
  EXPECT_EQ(m.dirPath, g.values().ProgramFolder);
  EXPECT_EQ(m.caption, "Sound Set Finder");
  EXPECT_FALSE(m.hasFileList);
  fs::create_directories(g.Sets() / "Loud");
  finder.Load(m);
  EXPECT_EQ(m.dirPath, FromPath(g.Sets()));
  m.dirPath = FromPath(g.Sets() / "Loud");
  finder.FolderChanged(m);
  finder.DriveChanged(m);
  EXPECT_TRUE(m.actions[0].enabled);
  finder.Action(m, 0);
  EXPECT_TRUE(m.closeRequested);
  EXPECT_EQ(g.values().SelectedSoundSet, FromPath(g.Sets() / "Loud"));

  // Cancel and the close box choose nothing, whatever was chosen before.
  MnuLoadSoundSet_Click(g.ctx);
  EXPECT_TRUE(g.values().SelectedSoundSet.empty());
  g.values().SelectedSoundSet = "earlier";
  g.prompts.finderScripts.push_back([](FinderLogic& logic, FinderModel& m2) { logic.Cancel(m2); });
  MnuLoadSoundSet_Click(g.ctx);
  EXPECT_TRUE(g.values().SelectedSoundSet.empty());
  EXPECT_TRUE(g.prompts.messages.empty());
}

TEST(LoadSoundSet, ASetMissingASoundIsRefusedByTheFirstMissingFileInSlotOrder) {
  Game g(kVersionCarSound1967);
  g.SaveSet("CarSound");
  g.PickVersion(kVersionOriginal1967);
  const Bytes repco = g.WorkingBytes("repco.wav");
  g.LoadSet(g.Sets() / "CarSound");
  ASSERT_EQ(g.prompts.messages.size(), 1u);
  EXPECT_EQ(g.prompts.messages[0].text,
            "This sound set is missing the repco.wav sound.\r\nTry selecting another sound set.");
  EXPECT_EQ(g.prompts.messages[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(g.prompts.messages[0].icon, MsgIcon::Exclamation);

  g.SaveSet("Stock");
  fs::remove(g.Sets() / "Stock" / "f2.wav");
  fs::remove(g.Sets() / "Stock" / "ferrari.wav");
  WriteBinaryFile(g.Sets() / "Stock" / "repco.wav", Sound(32000, 62));
  g.LoadSet(g.Sets() / "Stock");
  EXPECT_EQ(g.prompts.messages.back().text,
            "This sound set is missing the ferrari.wav sound.\r\nTry selecting another sound set.");
  EXPECT_EQ(g.WorkingBytes("repco.wav"), repco);  // nothing was copied
}

TEST(LoadSoundSet, ACompleteSetFillsTheWorkingFolderAndClearsTheFlags) {
  Game g;
  g.SaveSet("Mine");
  const fs::path set = g.Sets() / "Mine";
  for (const auto& name : g.VersionFiles()) WriteBinaryFile(set / name, Sound(32000, static_cast<int>(name.size())));
  g.LoadReplacement("v8.wav", Sound(44100, 63));
  g.ReplaceEntry(4);

  g.LoadSet(set);
  EXPECT_TRUE(g.prompts.messages.size() == 1u);  // the Replace question only
  for (const auto& name : g.VersionFiles()) EXPECT_EQ(g.WorkingBytes(name), ReadBinaryFile(set / name)) << name;
  EXPECT_EQ(g.ctx.catalogue.SampleRate(0, 4), 32000);
  EXPECT_FALSE(AnySoundChanged(g.ctx));
  EXPECT_FALSE(g.controls().Enabled(Ctl::CmdRevert));
  EXPECT_FALSE(g.controls().Enabled(Ctl::MnuRevertAll));
  EXPECT_EQ(g.controls().Caption(Ctl::LabelReplacement), "Replacement");
}

}  // namespace
}  // namespace revalorn
