#include "app/sound_dat_finder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_context.h"

namespace revalorn {
namespace {

class SoundDatFinderTest : public ::testing::Test {
 protected:
  SoundDatFinderTest() { std::filesystem::create_directories(game); }
  // Shows the finder through the scripted prompts; returns its model as it closed.
  FinderModel Show(testing::ScriptedPrompts::FinderScript script = nullptr) {
    if (script) t.prompts.finderScripts.push_back(std::move(script));
    ShowSoundDatFinder(t.ctx);
    return t.prompts.findersShown.back();
  }

  testing::TestContext t;
  std::string game = t.dir.Sub("GPL/sound");
};

TEST_F(SoundDatFinderTest, FirstRunOpensInTheProgramFolderWithQuitAndSelectDisabled) {
  const FinderModel m = Show([](FinderLogic&, FinderModel& model) {
    EXPECT_EQ(model.caption, "GPL Sound.DAT Finder");
    EXPECT_EQ(model.label, "Select GPL Sound.dat file");
    EXPECT_EQ(model.pattern, "sound.dat");
    ASSERT_EQ(model.actions.size(), 1u);
    EXPECT_EQ(model.actions[0].caption, "Select");
    EXPECT_FALSE(model.actions[0].enabled);
    EXPECT_EQ(model.cancel.caption, "Quit");
    model.closeRequested = true;  // keep the close box out of it
  });
  EXPECT_EQ(m.dirPath, t.values().ProgramFolder);
}

TEST_F(SoundDatFinderTest, StartsInTheStoredFolderWhileItExistsAndReadsCancelFromAMenu) {
  t.values().FinderFromMenu = true;
  t.values().LastUsedGPLPath = game;
  FinderModel m = Show();
  EXPECT_EQ(m.dirPath, game);
  EXPECT_EQ(m.cancel.caption, "Cancel");
  t.values().LastUsedGPLPath = t.dir.Sub("gone/sound");
  EXPECT_EQ(Show().dirPath, t.values().ProgramFolder);
}

TEST_F(SoundDatFinderTest, SelectOrADoubleClickStoresTheFolderAndConfirms) {
  for (bool doubleClick : {false, true}) {
    t.values().FinderConfirmed = false;
    t.values().LastUsedGPLPath.clear();
    t.settings.values.clear();
    Show([&](FinderLogic& logic, FinderModel& model) {
      model.dirPath = game;
      logic.FolderChanged(model);
      model.fileName = "sound.dat";
      if (doubleClick) {
        logic.FileDoubleClicked(model);
        return;
      }
      logic.FileClicked(model);
      EXPECT_TRUE(model.actions[0].enabled);
      logic.DriveChanged(model);
      EXPECT_FALSE(model.actions[0].enabled) << "until a file is clicked again";
      logic.FileClicked(model);
      logic.Action(model, 0);
    });
    EXPECT_TRUE(t.prompts.findersShown.back().closeRequested);
    EXPECT_TRUE(t.values().FinderConfirmed);
    EXPECT_EQ(t.values().LastUsedGPLPath, game) << "the folder, not the file";
    EXPECT_EQ(GetRegValue(t.settings, "LastUsedGPLPath", ""), game);
    EXPECT_EQ(t.prompts.endProgramCalls, 0);
  }
}

TEST_F(SoundDatFinderTest, QuitOrTheCloseBoxAtStartUpEndTheProgramWithoutTouchingTheSettings) {
  t.values().FinderConfirmed = true;
  Show([](FinderLogic& logic, FinderModel& model) { logic.Cancel(model); });
  EXPECT_EQ(t.prompts.endProgramCalls, 1);
  EXPECT_TRUE(t.values().ProgramEnded);
  EXPECT_TRUE(t.values().FinderConfirmed) << "left as it was";
  EXPECT_TRUE(t.settings.values.empty());

  testing::TestContext closed;
  ShowSoundDatFinder(closed.ctx);  // no script: closed by its frame
  EXPECT_EQ(closed.prompts.endProgramCalls, 1);
}

TEST_F(SoundDatFinderTest, CancelOrTheCloseBoxFromAMenuClosesUnconfirmed) {
  t.values().FinderFromMenu = true;
  t.values().LastUsedGPLPath = game;
  t.values().FinderConfirmed = true;
  Show([](FinderLogic& logic, FinderModel& model) {
    model.dirPath = "/elsewhere";
    logic.Cancel(model);
  });
  EXPECT_FALSE(t.values().FinderConfirmed);
  t.values().FinderConfirmed = true;
  Show();
  EXPECT_FALSE(t.values().FinderConfirmed);
  EXPECT_EQ(t.values().LastUsedGPLPath, game);
  EXPECT_EQ(t.prompts.endProgramCalls, 0);
  EXPECT_TRUE(t.settings.values.empty());
}

}  // namespace
}  // namespace revalorn
