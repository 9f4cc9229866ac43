// Start-up through the real window, message boxes, finder and splash box.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/startup.h"
#include "core/context.h"
#include "core/version.h"
#include "tools/gamefiles/sound_dat_fixture.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/modal.h"
#include "ui/finder_dialog.h"
#include "ui/frm_sound.h"
#include "ui/qt_prompts.h"
#include "ui/splash_box.h"
#include "ui/startup_host.h"

namespace revalorn::ui {
namespace {

using testing::ClickRow;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// A program folder and, beside it, a game with its sound.dat.
class StartupTest : public ::testing::Test {
 protected:
  StartupTest() : ctx(prompts, clock, settings, sound) {
    std::filesystem::create_directories(dir.path() / "program");
    std::filesystem::create_directories(dir.path() / "old");
    std::filesystem::create_directories(dir.path() / "GPL/sound");
    testing::WriteBinaryFile(dir.path() / "GPL/sound/sound.dat", fixtures::MakeSoundDat(fixtures::StockEngineSounds(4)));
    ctx.values.ProgramFolder = dir.Sub("program");
    prompts.SetParentWindow(&window);
    prompts.SetEndAction([this] { ++endActions; });
    prompts.SetDriveSource([this] { return std::vector<DriveEntry>{{Q(dir.str()), "test drive"}}; });
  }

  // A message box: its text and icon as expected, then OK.
  std::function<void(QDialog*)> Message(std::string_view text, QMessageBox::Icon icon) {
    return [text, icon](QDialog* d) {
      auto* box = qobject_cast<QMessageBox*>(d);
      ASSERT_TRUE(box);
      EXPECT_EQ(box->windowTitle(), "Revalorn");
      EXPECT_EQ(box->text(), Q(text));
      EXPECT_EQ(box->icon(), icon);
      box->button(QMessageBox::Ok)->click();
    };
  }
  // The start-up sound.dat finder: "Quit", Select off; from the program folder to the
  // game's sound.dat, which turns Select on; Select.
  std::function<void(QDialog*)> FindSoundDat() {
    return [this](QDialog* dialog) {
      auto* d = dynamic_cast<FinderDialog*>(dialog);
      ASSERT_TRUE(d);
      EXPECT_EQ(d->Label()->text(), "Select GPL Sound.dat file");
      EXPECT_EQ(d->CancelButton()->text(), "Quit");
      EXPECT_FALSE(d->ActionButton(0)->isEnabled());
      EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("program")));
      ClickRow(*d->DirList(), Q(dir.path().filename().string()), true);
      ClickRow(*d->DirList(), "GPL", true);
      EXPECT_EQ(d->FilList()->count(), 0) << "a folder without sound.dat lists nothing";
      ClickRow(*d->DirList(), "sound", true);
      EXPECT_FALSE(d->ActionButton(0)->isEnabled());
      ClickRow(*d->FilList(), "sound.dat");
      EXPECT_TRUE(d->ActionButton(0)->isEnabled());
      QTest::mouseClick(d->ActionButton(0), Qt::LeftButton);
    };
  }
  std::string Seen() const { return dialogs.seen.join(" | ").toStdString(); }
  void ExpectRunning() {
    EXPECT_FALSE(ctx.values.ProgramEnded);
    EXPECT_EQ(ctx.values.LastUsedGPLPath, dir.Sub("GPL/sound"));
    EXPECT_EQ(GetRegValue(settings, "Version", ""), VersionText(CurrentProgramVersion()));
    EXPECT_EQ(window.windowTitle(), "Revalorn " + Q(VersionText(CurrentProgramVersion())));
    auto* versions = qobject_cast<QComboBox*>(window.Widget(Ctl::Combo2));
    EXPECT_EQ(versions->count(), 6);
    EXPECT_EQ(versions->currentText(), "1967 Original Unpatched");
    ASSERT_TRUE(host.Splash());
    EXPECT_FALSE(host.Splash()->isVisible());
    // The program's own built-in sound, played from memory.
    ASSERT_EQ(sound.memorySounds.size(), 1u);
    EXPECT_GT(sound.memorySounds[0].size(), 1000u);
  }

  testing::TempDir dir;
  QtPrompts prompts;
  VirtualClock clock;
  MemorySettingsBackend settings;
  testing::RecordingSoundOutput sound;
  Context ctx;
  FrmSound window{ctx.controls};
  MainWindowStartupHost host{window, prompts};
  testing::DialogScript dialogs;
  int endActions = 0;
};

TEST_F(StartupTest, FirstRunAsksForTheGameFolderOnceAndGoesOn) {
  dialogs.Then(Message(kNewInstallText, QMessageBox::Information));
  dialogs.Then(FindSoundDat());
  Form_Load(ctx, host);
  EXPECT_EQ(Seen(), std::string(kNewInstallText) + " | GPL Sound.DAT Finder | No pedals attached.") << "no exclamation message";
  ExpectRunning();
}

TEST_F(StartupTest, AMajorUpdateDeletesTheSettingsBeforeItsMessage) {
  settings.values = {{"Version", "v0.9.1"}, {"LastUsedGPLPath", dir.Sub("GPL/sound")}, {"lVolume", "-700"}};
  dialogs.Then([&](QDialog* d) {
    EXPECT_TRUE(settings.values.empty());
    Message(kMajorUpdateText, QMessageBox::Information)(d);
  });
  dialogs.Then(FindSoundDat());
  Form_Load(ctx, host);
  EXPECT_EQ(Seen(), std::string(kMajorUpdateText) + " | GPL Sound.DAT Finder | No pedals attached.");
  ExpectRunning();
  EXPECT_EQ(GetRegValue(settings, "lVolume", ""), "0");
}

TEST_F(StartupTest, AStoredFolderThatLostItsSoundDatAsksAgainAndQuitEnds) {
  settings.values = {{"Version", VersionText(CurrentProgramVersion())}, {"LastUsedGPLPath", dir.Sub("old")}};
  dialogs.Then(Message(kSoundDirMissingText, QMessageBox::Warning));
  dialogs.Then([](QDialog* dialog) {
    auto* d = dynamic_cast<FinderDialog*>(dialog);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->CancelButton()->text(), "Quit");
    QTest::mouseClick(d->CancelButton(), Qt::LeftButton);
  });
  Form_Load(ctx, host);
  EXPECT_EQ(Seen(), std::string(kSoundDirMissingText) + " | GPL Sound.DAT Finder");
  EXPECT_TRUE(ctx.values.ProgramEnded);
  EXPECT_EQ(endActions, 1);
  EXPECT_EQ(qobject_cast<QComboBox*>(window.Widget(Ctl::Combo2))->count(), 0);
  EXPECT_FALSE(host.Splash()->isVisible());
  EXPECT_TRUE(sound.calls.empty());
}

TEST(FrmSplashBox, NameAndVersionOnLightGreyScaledAndCentred) {
  FrmSplashBox splash;
  splash.Load(1.0f, 1.0f);
  const ProgramVersion v = CurrentProgramVersion();
  EXPECT_EQ(splash.ProductName()->text(), "Revalorn");
  EXPECT_EQ(splash.Version()->text(), QStringLiteral("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision));
  EXPECT_EQ(splash.palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(splash.size(), QSize(450, 132));
  EXPECT_GE(splash.Version()->width(), splash.Version()->sizeHint().width()) << "never cut off";

  FrmSplashBox small;
  small.Load(0.625f, 0.5859375f);
  EXPECT_EQ(small.size(), QSize(281, 82));
  EXPECT_NEAR(small.geometry().center().x(), small.screen()->geometry().center().x(), 1);
}

TEST(FrmSplashBox, AKeyOrAClickOnTheFrameClosesItEarly) {
  FrmSplashBox byKey;
  byKey.show();
  QTest::keyClick(&byKey, Qt::Key_Space);
  EXPECT_FALSE(byKey.IsLoaded());
  EXPECT_FALSE(byKey.isVisible());

  FrmSplashBox byClick;
  byClick.show();
  QTest::mouseClick(byClick.Frame(), Qt::LeftButton, {}, byClick.ProductName()->geometry().center());
  EXPECT_FALSE(byClick.IsLoaded());
  byClick.Unload();  // nothing left to close
}

}  // namespace
}  // namespace revalorn::ui
