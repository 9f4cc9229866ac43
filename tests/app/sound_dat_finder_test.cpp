#include "app/sound_dat_finder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_context.h"

namespace revalorn {
namespace {

using testing::TestContext;

class SoundDatFinderTest : public ::testing::Test {
 protected:
  SoundDatFinderTest() {
    game = t.dir.Sub("GPL/sound");
    std::filesystem::create_directories(game);
    testing::WriteTextFile(std::filesystem::path(game) / "sound.dat", "archive");
  }
  // Shows the finder through the scripted prompts and returns its model as it closed.
  FinderModel Show(testing::ScriptedPrompts::FinderScript script = nullptr) {
    if (script) t.prompts.finderScripts.push_back(std::move(script));
    ShowSoundDatFinder(t.ctx);
    return t.prompts.findersShown.back();
  }

  TestContext t;
  std::string game;
};

TEST_F(SoundDatFinderTest, FirstRunOpensInTheProgramFolderWithQuitAndSelectDisabled) {
  const FinderModel m = Show([](FinderLogic&, FinderModel& model) {
    EXPECT_EQ(model.caption, "GPL Sound.DAT Finder");
    EXPECT_EQ(model.label, "Select GPL Sound.dat file");
    EXPECT_EQ(model.pattern, "sound.dat");
    EXPECT_TRUE(model.hasFileList);
    ASSERT_EQ(model.actions.size(), 1u);
    EXPECT_EQ(model.actions[0].caption, "Select");
    EXPECT_FALSE(model.actions[0].enabled);
    EXPECT_EQ(model.cancel.caption, "Quit");
    EXPECT_TRUE(model.cancel.enabled);
  });
  EXPECT_EQ(m.dirPath, t.values().ProgramFolder);
}

TEST_F(SoundDatFinderTest, StartsInTheStoredFolderOnlyWhileItExists) {
  t.values().LastUsedGPLPath = game;
  EXPECT_EQ(Show().dirPath, game);

  t.values().LastUsedGPLPath = t.dir.Sub("gone/sound");
  EXPECT_EQ(Show().dirPath, t.values().ProgramFolder);
}

TEST_F(SoundDatFinderTest, FromAMenuTheCancelButtonReadsCancel) {
  t.values().FinderFromMenu = true;
  EXPECT_EQ(Show().cancel.caption, "Cancel");
}

TEST_F(SoundDatFinderTest, SelectStoresTheFolderNotTheFileAndConfirms) {
  const FinderModel m = Show([this](FinderLogic& logic, FinderModel& model) {
    model.dirPath = game;
    logic.FolderChanged(model);
    model.fileName = "sound.dat";
    logic.FileClicked(model);
    EXPECT_TRUE(model.actions[0].enabled);
    logic.Action(model, 0);
  });
  EXPECT_TRUE(m.closeRequested);
  EXPECT_TRUE(t.values().FinderConfirmed);
  EXPECT_EQ(t.values().LastUsedGPLPath, game);
  EXPECT_EQ(GetRegValue(t.settings, "LastUsedGPLPath", "?"), game);
  EXPECT_EQ(t.prompts.endProgramCalls, 0);
}

TEST_F(SoundDatFinderTest, DoubleClickOnSoundDatConfirmsAtOnce) {
  Show([this](FinderLogic& logic, FinderModel& model) {
    model.dirPath = game;
    model.fileName = "sound.dat";
    logic.FileDoubleClicked(model);
  });
  EXPECT_TRUE(t.values().FinderConfirmed);
  EXPECT_EQ(t.values().LastUsedGPLPath, game);
}

TEST_F(SoundDatFinderTest, ChangingDriveOrFolderDisablesSelectUntilAFileIsClicked) {
  Show([](FinderLogic& logic, FinderModel& model) {
    logic.FileClicked(model);
    logic.DriveChanged(model);
    EXPECT_FALSE(model.actions[0].enabled);
    logic.FileClicked(model);
    logic.FolderChanged(model);
    EXPECT_FALSE(model.actions[0].enabled);
    logic.Action(model, 0);  // Select pressed after all: the folder listed then
  });
}

TEST_F(SoundDatFinderTest, QuitEndsTheProgramWithoutTouchingTheSettings) {
  t.values().LastUsedGPLPath = "";
  t.values().FinderConfirmed = true;
  Show([](FinderLogic& logic, FinderModel& model) { logic.Cancel(model); });
  EXPECT_EQ(t.prompts.endProgramCalls, 1);
  EXPECT_TRUE(t.values().ProgramEnded);
  EXPECT_TRUE(t.values().FinderConfirmed) << "left as it was";
  EXPECT_TRUE(t.settings.values.empty());
}

TEST_F(SoundDatFinderTest, CancelFromAMenuClosesUnconfirmedAndKeepsTheFolder) {
  t.values().FinderFromMenu = true;
  t.values().LastUsedGPLPath = game;
  t.values().FinderConfirmed = true;
  const FinderModel m = Show([](FinderLogic& logic, FinderModel& model) {
    model.dirPath = "/elsewhere";
    logic.Cancel(model);
  });
  EXPECT_TRUE(m.closeRequested);
  EXPECT_FALSE(t.values().FinderConfirmed);
  EXPECT_EQ(t.values().LastUsedGPLPath, game);
  EXPECT_EQ(t.prompts.endProgramCalls, 0);
  EXPECT_TRUE(t.settings.values.empty());
}

TEST_F(SoundDatFinderTest, TheCloseBoxCountsAsTheCancelButton) {
  // At start-up that is Quit: nothing works without a game sound folder.
  Show();  // no script: closed by its frame
  EXPECT_EQ(t.prompts.endProgramCalls, 1);

  TestContext fromMenu;
  fromMenu.values().FinderFromMenu = true;
  fromMenu.values().FinderConfirmed = true;
  ShowSoundDatFinder(fromMenu.ctx);
  EXPECT_EQ(fromMenu.prompts.endProgramCalls, 0);
  EXPECT_FALSE(fromMenu.values().FinderConfirmed);
}

}  // namespace
}  // namespace revalorn
