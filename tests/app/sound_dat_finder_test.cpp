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

TEST_F(SoundDatFinderTest, OpensInTheStoredFolderWhileItExistsElseTheProgramFolderWithSelectDisabled) {
  t.values().FinderFromMenu = true;
  t.values().LastUsedGPLPath = game;
  FinderModel m = Show();
  EXPECT_EQ(m.caption, "GPL Sound.DAT Finder");
  EXPECT_EQ(m.label, "Select GPL Sound.dat file");
  EXPECT_EQ(m.pattern, "sound.dat");
  ASSERT_EQ(m.actions.size(), 1u);
  EXPECT_EQ(m.actions[0].caption, "Select");
  EXPECT_FALSE(m.actions[0].enabled);
  EXPECT_EQ(m.dirPath, game);
  EXPECT_EQ(m.cancel.caption, "Cancel");
  t.values().LastUsedGPLPath = t.dir.Sub("gone/sound");
  EXPECT_EQ(Show().dirPath, t.values().ProgramFolder);
}

// Select, a double-click and a drive change are driven through the finder's widgets.
TEST_F(SoundDatFinderTest, QuitAtStartUpEndsTheProgramCancelFromAMenuClosesUnconfirmedNeitherTouchesTheSettings) {
  t.values().FinderConfirmed = true;
  Show([](FinderLogic& logic, FinderModel& model) { logic.Cancel(model); });
  EXPECT_EQ(t.prompts.endProgramCalls, 1);
  EXPECT_TRUE(t.values().ProgramEnded);
  EXPECT_TRUE(t.values().FinderConfirmed) << "left as it was";

  testing::TestContext menu;
  menu.values().FinderFromMenu = true;
  menu.values().LastUsedGPLPath = game;
  menu.values().FinderConfirmed = true;
  menu.prompts.finderScripts.push_back([](FinderLogic& logic, FinderModel& model) {
    model.dirPath = "/elsewhere";
    logic.Cancel(model);
  });
  ShowSoundDatFinder(menu.ctx);
  EXPECT_FALSE(menu.values().FinderConfirmed);
  menu.values().FinderConfirmed = true;
  ShowSoundDatFinder(menu.ctx);  // closed by its frame
  EXPECT_FALSE(menu.values().FinderConfirmed);
  EXPECT_EQ(menu.values().LastUsedGPLPath, game);
  EXPECT_EQ(menu.prompts.endProgramCalls, 0);
  EXPECT_TRUE(t.settings.values.empty() && menu.settings.values.empty());
}

}  // namespace
}  // namespace revalorn
