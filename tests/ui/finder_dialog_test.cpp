#include "ui/finder_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/sound_dat_finder.h"
#include "core/context.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/modal.h"
#include "ui/qt_prompts.h"

namespace revalorn::ui {
namespace {

using testing::ClickRow;
using testing::DoubleClickRow;
using testing::OnNextModalOf;
using testing::RowTexts;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A game installation and a few other folders in a temporary "drive".
class FinderDialogTest : public ::testing::Test {
 protected:
  FinderDialogTest() : ctx(prompts, clock, settings, sound) {
    namespace fs = std::filesystem;
    fs::create_directories(dir.path() / "program");
    fs::create_directories(dir.path() / "GPL" / "cars");
    fs::create_directories(dir.path() / "GPL" / "sound");
    fs::create_directories(dir.path() / "other");
    testing::WriteTextFile(dir.path() / "GPL" / "sound" / "sound.dat", "archive");
    testing::WriteTextFile(dir.path() / "GPL" / "sound" / "repco.wav", "RIFF");
    testing::WriteTextFile(dir.path() / "GPL" / "gpl.exe", "MZ");
    testing::WriteTextFile(dir.path() / "other" / "SOUND.DAT", "archive");
    ctx.values.ProgramFolder = dir.Sub("program");
    drives = {{Q(dir.str()), "test drive"}, {Q(dir.Sub("other")), "other drive"}, {Q(dir.Sub("no-medium")), "no medium"}};
    prompts.SetEndAction([this] { ++endActions; });
    prompts.SetDriveSource([this] { return drives; });
  }

  // The sound.dat finder, shown without waiting (for the focus tests).
  std::unique_ptr<FinderDialog> Open() {
    auto d = std::make_unique<FinderDialog>(logic, model, 1.0f, 1.0f, [this] { return prompts.ProgramEnded(); }, drives);
    d->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(d.get()));
    return d;
  }

  testing::TempDir dir;
  QtPrompts prompts;
  VirtualClock clock;
  MemorySettingsBackend settings;
  testing::RecordingSoundOutput sound;
  Context ctx;
  FrmFileManager4 logic{ctx};
  FinderModel model;
  std::vector<DriveEntry> drives;
  int endActions = 0;
};

TEST_F(FinderDialogTest, FirstRunOpensInTheProgramFolderWithQuitAndSelectWaitsForSoundDat) {
  const QString top = QString::fromStdString(dir.path().filename().string());
  OnNextModalOf<FinderDialog>([&](FinderDialog* d) {
    EXPECT_EQ(d->windowTitle(), "GPL Sound.DAT Finder");
    EXPECT_EQ(d->Label()->text(), "Select GPL Sound.dat file");
    EXPECT_EQ(d->CancelButton()->text(), "Quit");
    EXPECT_TRUE(d->CancelButton()->isEnabled());
    EXPECT_EQ(d->ActionButton(0)->text(), "Select");
    EXPECT_FALSE(d->ActionButton(0)->isEnabled());
    EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("program")));
    EXPECT_EQ(d->DriveList()->currentText(), "test drive");

    DoubleClickRow(*d->DirList(), top);
    DoubleClickRow(*d->DirList(), "GPL");
    EXPECT_EQ(d->FilList()->count(), 0) << "no sound.dat in the game's root folder";
    DoubleClickRow(*d->DirList(), "sound");
    EXPECT_EQ(RowTexts(*d->FilList()), QStringList{"sound.dat"});
    EXPECT_FALSE(d->ActionButton(0)->isEnabled());
    ClickRow(*d->FilList(), "sound.dat");
    ASSERT_TRUE(d->ActionButton(0)->isEnabled());
    QTest::mouseClick(d->ActionButton(0), Qt::LeftButton);
  });
  ctx.values.FinderFromMenu = false;
  ShowSoundDatFinder(ctx);
  EXPECT_TRUE(ctx.values.FinderConfirmed);
  EXPECT_EQ(ctx.values.LastUsedGPLPath, dir.Sub("GPL/sound"));
  EXPECT_EQ(GetRegValue(settings, "LastUsedGPLPath", ""), dir.Sub("GPL/sound"));
  EXPECT_EQ(endActions, 0);
}

TEST_F(FinderDialogTest, DoubleClickOnSoundDatConfirmsAtOnce) {
  ctx.values.LastUsedGPLPath = dir.Sub("GPL/sound");
  ctx.values.FinderFromMenu = true;
  OnNextModalOf<FinderDialog>([&](FinderDialog* d) { DoubleClickRow(*d->FilList(), "sound.dat"); });
  ShowSoundDatFinder(ctx);
  EXPECT_TRUE(ctx.values.FinderConfirmed);
  EXPECT_EQ(ctx.values.LastUsedGPLPath, dir.Sub("GPL/sound"));
}

TEST_F(FinderDialogTest, AFolderHighlightedWithOneClickBecomesCurrentWhenTheListLosesFocus) {
  ctx.values.LastUsedGPLPath = dir.Sub("GPL");
  auto d = Open();
  EXPECT_EQ(d->FilList()->count(), 0) << "a folder without sound.dat lists nothing";
  EXPECT_FALSE(d->ActionButton(0)->isEnabled());

  d->DirList()->setFocus(Qt::TabFocusReason);
  ClickRow(*d->DirList(), "sound");
  EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("GPL"))) << "one click only highlights";
  EXPECT_EQ(d->FilList()->count(), 0);

  d->FilList()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("GPL/sound")));
  EXPECT_EQ(model.dirPath, dir.Sub("GPL/sound"));
  EXPECT_EQ(RowTexts(*d->FilList()), QStringList{"sound.dat"});
  EXPECT_FALSE(d->ActionButton(0)->isEnabled());

  // Another window coming to the front is not leaving the list.
  d->DirList()->setFocus(Qt::TabFocusReason);
  ClickRow(*d->DirList(), "GPL");
  QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(d->DirList(), &away);
  EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("GPL/sound")));
}

TEST_F(FinderDialogTest, ADriveChangeDisablesSelectAndAnUnreadableDriveFallsBack) {
  ctx.values.LastUsedGPLPath = dir.Sub("GPL/sound");
  auto d = Open();
  ClickRow(*d->FilList(), "sound.dat");
  ASSERT_TRUE(d->ActionButton(0)->isEnabled());

  QTest::keyClick(d->DriveList(), Qt::Key_End);  // "no medium": cannot be read
  EXPECT_EQ(d->DriveList()->currentText(), "test drive");
  EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("GPL/sound")));
  EXPECT_TRUE(d->ActionButton(0)->isEnabled()) << "the buttons are left alone";

  QTest::keyClick(d->DriveList(), Qt::Key_Down);  // "other drive"
  EXPECT_EQ(d->DriveList()->currentText(), "other drive");
  EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("other")));
  EXPECT_EQ(RowTexts(*d->FilList()), QStringList{"SOUND.DAT"}) << "the pattern ignores letter case";
  EXPECT_FALSE(d->ActionButton(0)->isEnabled());
  ClickRow(*d->FilList(), "SOUND.DAT");
  EXPECT_TRUE(d->ActionButton(0)->isEnabled());
}

TEST_F(FinderDialogTest, QuitAndTheCloseBoxAtStartUpEndTheProgram) {
  OnNextModalOf<FinderDialog>([&](FinderDialog* d) { QTest::mouseClick(d->CancelButton(), Qt::LeftButton); });
  ShowSoundDatFinder(ctx);
  EXPECT_EQ(endActions, 1);
  EXPECT_TRUE(ctx.values.ProgramEnded);

  QtPrompts other;
  int ended = 0;
  other.SetEndAction([&] { ++ended; });
  other.SetDriveSource([this] { return drives; });
  Context again(other, clock, settings, sound);
  again.values.ProgramFolder = dir.Sub("program");
  OnNextModalOf<FinderDialog>([&](FinderDialog* d) {
    EXPECT_TRUE(d->close());
    EXPECT_FALSE(d->isVisible());
  });
  ShowSoundDatFinder(again);
  EXPECT_EQ(ended, 1);
  EXPECT_TRUE(settings.values.empty()) << "nothing is written";
}

TEST_F(FinderDialogTest, EscCancelsAFinderOpenedFromAMenu) {
  ctx.values.FinderFromMenu = true;
  ctx.values.FinderConfirmed = true;
  ctx.values.LastUsedGPLPath = dir.Sub("GPL/sound");
  OnNextModalOf<FinderDialog>([&](FinderDialog* d) {
    EXPECT_EQ(d->CancelButton()->text(), "Cancel");
    DoubleClickRow(*d->DirList(), "GPL");
    QTest::keyClick(d, Qt::Key_Escape);
  });
  ShowSoundDatFinder(ctx);
  EXPECT_FALSE(ctx.values.FinderConfirmed);
  EXPECT_EQ(ctx.values.LastUsedGPLPath, dir.Sub("GPL/sound"));
  EXPECT_EQ(endActions, 0);
}

// --- Layouts of the four finders --------------------------------------------------------

class FakeFinder final : public FinderLogic {
 public:
  FakeFinder(FinderKind kind, int actions, std::string label, std::string start)
      : kind_(kind), actions_(actions), label_(std::move(label)), start_(std::move(start)) {}
  void Load(FinderModel& m) override {
    m.kind = kind_;
    m.hasFileList = kind_ != FinderKind::SoundSet;
    m.label = label_;
    m.pattern = "*.exe";
    m.dirPath = start_;
    for (int i = 0; i < actions_; ++i) m.actions.push_back({"Action " + std::to_string(i), false, true});
  }
  void Action(FinderModel& m, int) override { m.closeRequested = true; }
  void Cancel(FinderModel& m) override { m.closeRequested = true; }

 private:
  FinderKind kind_;
  int actions_;
  std::string label_, start_;
};

TEST_F(FinderDialogTest, TheSoundDatAndExecutableFindersAt1024x768) {
  FakeFinder fake(FinderKind::Executable, 1, "Select GPL Executable (for example GPL.EXE)", dir.Sub("GPL"));
  FinderModel m;
  FinderDialog d(fake, m, 0.8f, 0.75f, nullptr, drives);
  EXPECT_EQ(d.size(), QSize(372, 307));
  EXPECT_EQ(d.findChild<QWidget*>("Picture1")->geometry(), QRect(6, 6, 359, 231));
  EXPECT_EQ(d.FilList()->geometry(), QRect(218, 6, 129, 198));
  EXPECT_EQ(d.DirList()->geometry(), QRect(6, 32, 193, 185));
  EXPECT_EQ(d.Label()->geometry(), QRect(38, 243, 302, 14));
  EXPECT_DOUBLE_EQ(d.Label()->font().pointSizeF(), 9.75);  // 12 × 0.8 = 9.6 points, 12.8 pixels
  EXPECT_EQ(d.Label()->font().family(), "Arial");
  EXPECT_EQ(d.ActionButton(0)->geometry(), QRect(102, 269, 64, 26));
  EXPECT_EQ(d.CancelButton()->geometry(), QRect(205, 269, 64, 26));
  EXPECT_EQ(d.ActionButton(1), nullptr);
  // "*.exe" ignores letter case.
  EXPECT_EQ(RowTexts(*d.FilList()), QStringList{"gpl.exe"});
}

TEST_F(FinderDialogTest, TheReplacementFinderAt1920x1080) {
  FakeFinder fake(FinderKind::Replacement, 3, "Load Sound File As:", dir.Sub("GPL/sound"));
  FinderModel m;
  FinderDialog d(fake, m, 1.5f, 1.0546875f, nullptr, drives);
  EXPECT_EQ(d.size(), QSize(700, 580));
  EXPECT_EQ(d.FilList()->geometry(), QRect(408, 12, 242, 391));
  EXPECT_EQ(d.Label()->geometry(), QRect(96, 456, 278, 26));
  EXPECT_DOUBLE_EQ(d.Label()->font().pointSizeF(), 18.0);
  EXPECT_EQ(d.ActionButton(0)->geometry(), QRect(36, 504, 120, 48));
  EXPECT_EQ(d.ActionButton(1)->geometry(), QRect(180, 504, 120, 48));
  EXPECT_EQ(d.ActionButton(2)->geometry(), QRect(324, 504, 120, 48));
  EXPECT_EQ(d.CancelButton()->geometry(), QRect(516, 504, 120, 48));
}

TEST_F(FinderDialogTest, TheSoundSetFinderAt800x600HasNoFileList) {
  FakeFinder fake(FinderKind::SoundSet, 1, "", dir.str());
  FinderModel m;
  FinderDialog d(fake, m, 0.625f, 0.5859375f, nullptr, drives);
  EXPECT_EQ(d.size(), QSize(169, 234));
  EXPECT_EQ(d.FilList(), nullptr);
  EXPECT_EQ(d.Label(), nullptr);
  EXPECT_EQ(d.DirList()->geometry(), QRect(5, 25, 151, 144));
  EXPECT_EQ(d.DriveList()->geometry().topLeft(), QPoint(5, 5));
  EXPECT_EQ(d.DriveList()->height(), d.DriveList()->sizeHint().height());
  EXPECT_EQ(d.ActionButton(0)->geometry(), QRect(20, 195, 50, 20));
  EXPECT_EQ(d.CancelButton()->geometry(), QRect(100, 195, 50, 20));
}

// --- The lists on their own -------------------------------------------------------------------

TEST(FolderLists, PatternsMatchWholeNamesIgnoringCase) {
  EXPECT_TRUE(MatchesPattern("sound.dat", "sound.dat"));
  EXPECT_TRUE(MatchesPattern("Sound.DAT", "sound.dat"));
  EXPECT_FALSE(MatchesPattern("sound.dat.bak", "sound.dat"));
  EXPECT_FALSE(MatchesPattern("mysound.dat", "sound.dat"));
  EXPECT_TRUE(MatchesPattern("GPL.EXE", "*.exe"));
  EXPECT_FALSE(MatchesPattern("gpl.exe.txt", "*.exe"));
  EXPECT_TRUE(MatchesPattern("f2f3.WAV", "*.wav"));
}

TEST(FolderLists, TheDriveOfAPathIsTheLongestRootHoldingIt) {
  const std::vector<DriveEntry> drives = {{"/", "/"}, {"/home/ann", "home"}, {"/media/usb", "usb"}};
  EXPECT_EQ(DriveOfPath(drives, "/home/ann/GPL/sound"), 1);
  EXPECT_EQ(DriveOfPath(drives, "/home/ann"), 1);
  EXPECT_EQ(DriveOfPath(drives, "/home/anne"), 0) << "roots end at a separator";
  EXPECT_EQ(DriveOfPath(drives, "/media/usb/"), 2);
  EXPECT_EQ(DriveOfPath({{"/media/usb", "usb"}}, "/srv"), -1);
  EXPECT_GE(DriveOfPath(SystemDrives(), QDir::homePath()), 0);
}

TEST(FolderLists, TheFolderListShowsThePathDownFromTheRootThenTheSubFolders) {
  testing::TempDir dir;
  std::filesystem::create_directories(dir.path() / "b");
  std::filesystem::create_directories(dir.path() / "A");
  std::filesystem::create_directories(dir.path() / ".wine");
  testing::WriteTextFile(dir.path() / "file.txt", "x");
  FolderList list;
  ASSERT_TRUE(list.SetPath(Q(dir.str())));
  const QStringList rows = RowTexts(list);
  ASSERT_GE(rows.size(), 4);
  EXPECT_EQ(rows.front(), QDir::toNativeSeparators(QDir::rootPath()));
  // Sub-folders sorted ignoring case; hidden ones too (Wine keeps games in ~/.wine).
  EXPECT_EQ(rows.mid(rows.size() - 3), (QStringList{".wine", "A", "b"}));
  EXPECT_EQ(list.HighlightedPath(), Q(dir.str()));
  EXPECT_FALSE(list.SetPath(Q(dir.Sub("missing"))));
  EXPECT_FALSE(list.SetPath(Q(dir.Sub("file.txt"))));
  EXPECT_EQ(list.Path(), Q(dir.str()));
}

}  // namespace
}  // namespace revalorn::ui
