#include "app/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/sound_dat_finder.h"
#include "catalogue/catalogue.h"
#include "files/file_helpers.h"
#include "settings/settings_store.h"
#include "tools/gamefiles/sound_dat_fixture.h"
#include "tests/support/scripted_input_devices.h"
#include "tests/support/test_context.h"
#include "workingfolder/working_folder.h"

namespace revalorn {
namespace {

using Op = testing::RecordingSoundOutput::Call::Op;

// The window side of start-up, recorded.
struct RecordingHost final : StartupHost {
  ScreenPixels ScreenSize() override {
    calls.emplace_back("ScreenSize");
    return screen;
  }
  void ScaleAndCentreMainWindow(float x, float y) override {
    calls.emplace_back("Scale");
    scale = {x, y};
  }
  void ShowSplash(float, float) override { calls.emplace_back("ShowSplash"); }
  void CloseSplash() override { calls.emplace_back("CloseSplash"); }
  std::vector<std::uint8_t> BuiltInStartupSound() override {
    calls.emplace_back("BuiltInSound");
    return builtIn;
  }

  ScreenPixels screen{1024, 768};
  std::vector<std::uint8_t> builtIn{'R', 'I', 'F', 'F', 1, 2, 3};
  std::vector<std::string> calls;
  std::pair<float, float> scale{0, 0};
};

class FormLoadTest : public ::testing::Test {
 protected:
  static constexpr ProgramVersion kCurrent{1, 2, 7};

  FormLoadTest() {
    std::filesystem::create_directories(game);
    testing::WriteBinaryFile(std::filesystem::path(game) / "sound.dat",
                             fixtures::MakeSoundDat(fixtures::StockEngineSounds(4)));
  }
  // A program that was set up before: its version and a game folder with sound.dat.
  void StoreInstalled(testing::TestContext& c, const std::string& version = "v1.2.7") {
    c.settings.values["Version"] = version;
    c.settings.values["LastUsedGPLPath"] = game;
  }
  // The next sound.dat finder picks the game folder's sound.dat and presses Select.
  void SelectGameFolder(testing::TestContext& c) {
    c.prompts.finderScripts.push_back([this](FinderLogic& logic, FinderModel& m) {
      finderCancelCaption = m.cancel.caption;
      m.dirPath = game;
      logic.FolderChanged(m);
      m.fileName = "sound.dat";
      logic.FileClicked(m);
      logic.Action(m, 0);
    });
  }
  void Load(testing::TestContext& c, const ProgramVersion& version = kCurrent) { Form_Load(c.ctx, host, version); }
  // The messages shown, without the input step's notice that no game controller is
  // attached (there is none here unless a test plugs one in).
  static std::vector<std::string> OtherThanInput(const testing::TestContext& c) {
    std::vector<std::string> texts = c.prompts.MessageTexts();
    std::erase(texts, std::string("No pedals attached."));
    return texts;
  }
  static std::string Setting(testing::TestContext& c, const char* name) {
    return GetRegValue(c.settings, name, "<missing>");
  }

  testing::TestContext t;
  RecordingHost host;
  std::string game = t.dir.Sub("GPL/sound");
  std::string finderCancelCaption;
};

TEST_F(FormLoadTest, AnInstalledProgramStartsWithoutAWordAndEndsReadyToPlay) {
  StoreInstalled(t, "v1.2.3");  // same key as v1.2.7
  Load(t);

  EXPECT_TRUE(OtherThanInput(t).empty());
  EXPECT_FALSE(t.values().ProgramEnded);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"ScreenSize", "Scale", "ShowSplash", "BuiltInSound", "CloseSplash"}));
  EXPECT_EQ(host.scale, std::make_pair(0.8f, 0.75f));
  EXPECT_GE(t.prompts.processEventsCalls, 1) << "the splash box gets its chance to paint";
  EXPECT_EQ(t.controls().Caption(Ctl::FrmSound), "Revalorn v1.2.7");
  EXPECT_EQ(Setting(t, "Version"), "v1.2.3") << "rewritten only after a finder";

  // "1967 Original Unpatched" selected, its sounds restored from sound.dat and copied.
  EXPECT_EQ(t.controls().ListIndex(Ctl::Combo2), 2);
  EXPECT_EQ(t.values().GameVersion, kVersionOriginal1967);
  const std::string first = t.ctx.catalogue.SoundFileName(kVersionOriginal1967, 0);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(WorkingFolderPath(t.values())) / first));
  EXPECT_EQ(t.values().LastUsedSourceDirectory, t.values().ProgramFolder);
  EXPECT_EQ(t.values().TachFace[0].dialBitmapId, 104) << "tachometers prepared";

  // Missing slider positions are written as the sliders stand.
  EXPECT_EQ(Setting(t, "lVolume"), "0");
  EXPECT_EQ(Setting(t, "lTimingDelay"), "98");

  // The built-in sound plays from memory, not through the sound buffer.
  EXPECT_EQ(t.sound.Count(Op::Init), 1);
  EXPECT_EQ(t.sound.Count(Op::Load) + t.sound.Count(Op::Play), 0);
  ASSERT_EQ(t.sound.memorySounds.size(), 1u);
  EXPECT_EQ(t.sound.memorySounds[0], host.builtIn);
}

TEST_F(FormLoadTest, VersionKeysDecideBetweenNothingANewInstallAndAMajorUpdate) {
  struct Case {
    const char* stored;  // nullptr: never stored
    ProgramVersion current;
    std::string_view message;  // empty: none
  };
  for (const Case& k : {Case{"v1.2.3", {1, 2, 7}, {}}, Case{"v1.1.0", {1, 10, 0}, {}},
                        Case{nullptr, {1, 2, 7}, kNewInstallText}, Case{"v1.3.0", {1, 2, 7}, kMajorUpdateText}}) {
    SCOPED_TRACE(k.stored ? k.stored : "none");
    testing::TestContext c;
    if (k.stored) StoreInstalled(c, k.stored);
    c.settings.values["lVolume"] = "-700";
    c.settings.values["Device"] = "1";
    if (!k.message.empty()) SelectGameFolder(c);
    Load(c, k.current);

    ASSERT_FALSE(c.values().ProgramEnded);
    if (k.message.empty()) {
      EXPECT_TRUE(OtherThanInput(c).empty());
      EXPECT_EQ(Setting(c, "Version"), k.stored);
      EXPECT_EQ(Setting(c, "lVolume"), "-700");
      continue;
    }
    // Only the one message: the folder just chosen passes the sound.dat check.
    ASSERT_EQ(OtherThanInput(c), std::vector<std::string>{std::string(k.message)});
    EXPECT_EQ(Setting(c, "Version"), VersionText(k.current));
    if (k.stored) {  // the settings were deleted (before the message: see the widget tests)
      EXPECT_EQ(Setting(c, "Device"), "<missing>");
      EXPECT_EQ(Setting(c, "lVolume"), "0") << "written again as the slider stands";
    }
  }
}

TEST_F(FormLoadTest, QuitInTheFirstFinderEndsAtOnceWithoutRememberingTheVersion) {
  t.prompts.finderScripts.push_back([](FinderLogic& logic, FinderModel& m) { logic.Cancel(m); });
  Load(t);
  EXPECT_TRUE(t.values().ProgramEnded);
  EXPECT_EQ(t.prompts.endProgramCalls, 1);
  EXPECT_EQ(OtherThanInput(t), std::vector<std::string>{std::string(kNewInstallText)});
  EXPECT_TRUE(t.settings.values.empty()) << "not even the version";
  EXPECT_EQ(t.controls().ListCount(Ctl::Combo2), 0);
  EXPECT_EQ(t.sound.Count(Op::Init), 0);
  EXPECT_EQ(host.calls.back(), "CloseSplash");
}

// A folder that lost its sound.dat: see the widget tests. An empty one asks the same.
TEST_F(FormLoadTest, AnEmptyStoredFolderIsAskedForAgainAndNotCheckedAfterwards) {
  StoreInstalled(t);
  t.settings.values["LastUsedGPLPath"] = "";
  SelectGameFolder(t);
  Load(t);
  EXPECT_EQ(OtherThanInput(t), std::vector<std::string>{std::string(kSoundDirMissingText)});
  EXPECT_EQ(finderCancelCaption, "Quit");
  EXPECT_EQ(t.values().LastUsedGPLPath, game);
  EXPECT_FALSE(t.values().ProgramEnded);
}

TEST_F(FormLoadTest, AStoreThatCannotBeWrittenKeepsTheFolderJustChosen) {
  t.settings.failWrites = true;
  SelectGameFolder(t);
  Load(t);
  EXPECT_EQ(OtherThanInput(t), std::vector<std::string>{std::string(kNewInstallText)});
  EXPECT_EQ(t.values().LastUsedGPLPath, game);
}

TEST_F(FormLoadTest, OnlyTheScreenHeightIsChecked) {
  for (const ScreenPixels screen : {ScreenPixels{800, 600}, ScreenPixels{768, 1024}}) {
    testing::TestContext c;
    StoreInstalled(c);
    host.screen = screen;
    Load(c);
    EXPECT_FALSE(c.values().ProgramEnded);
    EXPECT_TRUE(OtherThanInput(c).empty());
  }
  EXPECT_EQ(host.scale, std::make_pair(0.6f, 1.0f));

  host.screen = {1024, 576};
  host.calls.clear();
  Load(t);
  EXPECT_TRUE(t.values().ProgramEnded);
  EXPECT_EQ(t.prompts.endProgramCalls, 1);
  ASSERT_EQ(OtherThanInput(t).size(), 1u);
  EXPECT_EQ(t.prompts.messages[0].text,
            "Revalorn does not support screen resolutions less than 800x600.  You should increase your screen "
            "resolution if possible.");
  EXPECT_EQ(t.prompts.messages[0].icon, MsgIcon::Information);
  EXPECT_EQ(host.calls, std::vector<std::string>{"ScreenSize"});
}

TEST_F(FormLoadTest, StoredSliderPositionsAreRestoredThroughTheirHandlersAndKeptInRange) {
  struct Case {
    const char* volume;
    const char* speed;
    int volumeSlider;
    int speedSlider;
  };
  for (const Case& c : {Case{"-25", "50", -25, 50}, Case{"-5000", "0", -4000, 1}, Case{"loud", "1000", 0, 98},
                        Case{" -12.5", "12.5 ", -12, 12}, Case{"-1e3", "inf", -1000, 98}}) {
    SCOPED_TRACE(std::string(c.volume) + " / " + c.speed);
    testing::TestContext fresh;
    StoreInstalled(fresh);
    fresh.settings.values["lVolume"] = c.volume;
    fresh.settings.values["lTimingDelay"] = c.speed;
    Load(fresh);

    EXPECT_EQ(fresh.controls().Value(Ctl::HScroll1), c.volumeSlider);
    EXPECT_EQ(fresh.controls().Value(Ctl::HScroll2), c.speedSlider);
    EXPECT_DOUBLE_EQ(fresh.values().TimingDelay, (99 - c.speedSlider) / 1000.0);
    // The volume handler ran (before the sound output opened) only for a moved slider.
    ASSERT_FALSE(fresh.sound.calls.empty());
    EXPECT_EQ(fresh.sound.calls[0].op, c.volumeSlider != 0 ? Op::SetVolume : Op::Init);
    EXPECT_EQ(fresh.sound.calls[0].value, c.volumeSlider);
    EXPECT_EQ(fresh.sound.Count(Op::SetVolume), c.volumeSlider != 0 ? 1 : 0);
    EXPECT_EQ(GetRegValue(fresh.settings, "lVolume", ""), c.volume) << "a stored value is not written back";
  }
  for (const char* notANumber : {"", "0x10", "nan"}) EXPECT_EQ(StoredSliderPosition(notANumber, 1, 98, 7), 7);
  EXPECT_EQ(StoredSliderPosition("13.5", 1, 98, 7), 14);
}

TEST_F(FormLoadTest, AStartupSoundBesideTheProgramPlaysOnceThroughTheBufferAtTheVolume) {
  StoreInstalled(t);
  t.settings.values["lVolume"] = "-300";
  const std::string own = JoinPath(t.values().ProgramFolder, "StartupSound.wav");
  testing::WriteBinaryFile(own, {'R', 'I', 'F', 'F'});
  Load(t);
  ASSERT_GE(t.sound.calls.size(), 2u);
  const auto& load = t.sound.calls[t.sound.calls.size() - 2];
  const auto& play = t.sound.calls.back();
  EXPECT_TRUE(load.op == Op::Load && load.path == own);
  EXPECT_TRUE(play.op == Op::Play && !play.looping && play.value == -300);
  EXPECT_TRUE(t.sound.memorySounds.empty());
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "BuiltInSound"), 0);
}

TEST_F(FormLoadTest, NoSoundOutputEndsBeforeTheSpeedAndTheStartupSound) {
  StoreInstalled(t);
  t.sound.initResult = false;
  Load(t);
  EXPECT_TRUE(t.values().ProgramEnded);
  EXPECT_EQ(Setting(t, "lVolume"), "0");
  EXPECT_EQ(Setting(t, "lTimingDelay"), "<missing>");
  EXPECT_TRUE(t.sound.memorySounds.empty());
  EXPECT_EQ(host.calls.back(), "CloseSplash");
}

TEST_F(FormLoadTest, TheInputStepOffersPedalPlayOnlyWithACalibratedController) {
  StoreInstalled(t);
  Load(t);
  EXPECT_EQ(t.prompts.MessageTexts(), std::vector<std::string>{"No pedals attached."});
  EXPECT_FALSE(t.values().PedalsAvailable);
  EXPECT_FALSE(t.controls().Enabled(Ctl::MnuCalibratePedals));
  EXPECT_FALSE(t.controls().Enabled(CmdPedalPlay(0)));

  testing::TestContext c;
  testing::ScriptedInputDevices pedals;
  pedals.devices.push_back(testing::ScriptedInputDevices::WithAxes({1, 2}));
  c.ctx.input = &pedals;
  StoreInstalled(c);
  c.settings.values.insert({{"Device", "1"}, {"ThrottleAxis", "2"}, {"JoyStickMin", "9000"}, {"JoyStickMax", "500"}});
  Load(c);
  EXPECT_TRUE(c.prompts.messages.empty());
  EXPECT_TRUE(c.values().PedalsAvailable);
  EXPECT_TRUE(c.controls().Enabled(Ctl::MnuCalibratePedals));
  EXPECT_TRUE(c.controls().Enabled(CmdPedalPlay(0)));
  EXPECT_FALSE(c.controls().Enabled(CmdPedalPlay(1))) << "no replacement loaded";
}

// The sound.dat finder on its own, beside a game folder with its sound.dat.
class SoundDatFinderTest : public FormLoadTest {
 protected:
  // Shows the finder through the scripted prompts; returns its model as it closed.
  FinderModel Show(testing::ScriptedPrompts::FinderScript script = nullptr) {
    if (script) t.prompts.finderScripts.push_back(std::move(script));
    ShowSoundDatFinder(t.ctx);
    return t.prompts.findersShown.back();
  }
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
// Quit at start-up: see QuitInTheFirstFinderEndsAtOnce... above.
TEST_F(SoundDatFinderTest, CancelOrTheCloseBoxFromAMenuClosesUnconfirmedAndTouchesNothing) {
  t.values().FinderFromMenu = true;
  t.values().LastUsedGPLPath = game;
  t.values().FinderConfirmed = true;
  Show([](FinderLogic& logic, FinderModel& model) {
    model.dirPath = "/elsewhere";
    logic.Cancel(model);
  });
  EXPECT_FALSE(t.values().FinderConfirmed);
  t.values().FinderConfirmed = true;
  Show();  // closed by its frame
  EXPECT_FALSE(t.values().FinderConfirmed);
  EXPECT_EQ(t.values().LastUsedGPLPath, game);
  EXPECT_EQ(t.prompts.endProgramCalls, 0);
  EXPECT_TRUE(t.settings.values.empty());
}

}  // namespace
}  // namespace revalorn
