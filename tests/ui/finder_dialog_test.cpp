#include "ui/finder_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/sound_dat_finder.h"
#include "soundfiles/replacement_loading.h"
#include "soundfiles/sound_sets.h"
#include "core/context.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/modal.h"
#include "ui/qt_prompts.h"

namespace revalorn::ui {
namespace {

using testing::ClickRow;
using testing::RowTexts;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A game installation and another folder on a temporary "drive", a second "drive" and
// one that cannot be read.
class FinderDialogTest : public ::testing::Test {
 protected:
  FinderDialogTest() : ctx(prompts, clock, settings, sound) {
    for (const char* folder : {"program", "GPL/cars", "GPL/sound", "other"}) {
      std::filesystem::create_directories(dir.path() / folder);
    }
    for (const char* file : {"GPL/sound/sound.dat", "GPL/sound/repco.wav", "GPL/gpl.exe", "other/SOUND.DAT"}) {
      testing::WriteTextFile(dir.path() / file, "x");
    }
    ctx.values.ProgramFolder = dir.Sub("program");
    drives = {{Q(dir.str()), "test drive"}, {Q(dir.Sub("other")), "other drive"}, {Q(dir.Sub("gone")), "no medium"}};
    prompts.SetEndAction([this] { ++endActions; });
    prompts.SetDriveSource([this] { return drives; });
  }
  // The sound.dat finder shown without waiting, for the focus tests.
  std::unique_ptr<FinderDialog> Open() {
    auto d = std::make_unique<FinderDialog>(logic, model, 1.0f, 1.0f, nullptr, drives);
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

TEST_F(FinderDialogTest, DoubleClickOnSoundDatConfirmsAtOnce) {
  ctx.values.LastUsedGPLPath = dir.Sub("GPL/sound");
  testing::DialogScript dialogs;
  dialogs.ThenOn<FinderDialog>([](FinderDialog* d) { ClickRow(*d->FilList(), "sound.dat", true); });
  ShowSoundDatFinder(ctx);
  EXPECT_TRUE(ctx.values.FinderConfirmed);
  EXPECT_EQ(GetRegValue(settings, "LastUsedGPLPath", ""), dir.Sub("GPL/sound")) << "the folder, not the file";
  EXPECT_EQ(endActions, 0);
}

TEST_F(FinderDialogTest, AFolderHighlightedWithOneClickBecomesCurrentWhenTheListLosesFocus) {
  ctx.values.LastUsedGPLPath = dir.Sub("GPL");
  auto d = Open();
  d->DirList()->setFocus(Qt::TabFocusReason);
  ClickRow(*d->DirList(), "sound");
  EXPECT_EQ(d->DirList()->Path(), Q(dir.Sub("GPL"))) << "one click only highlights";
  d->FilList()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(model.dirPath, dir.Sub("GPL/sound"));
  EXPECT_EQ(RowTexts(*d->FilList()), QStringList{"sound.dat"});

  // Another window coming to the front is not leaving the list.
  d->DirList()->setFocus(Qt::TabFocusReason);
  ClickRow(*d->DirList(), "GPL");
  QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(d->DirList(), &away);
  EXPECT_EQ(model.dirPath, dir.Sub("GPL/sound"));
}

TEST_F(FinderDialogTest, ADriveChangeDisablesSelectAndAnUnreadableDriveFallsBack) {
  ctx.values.LastUsedGPLPath = dir.Sub("GPL/sound");
  auto d = Open();
  ClickRow(*d->FilList(), "sound.dat");
  ASSERT_TRUE(d->ActionButton(0)->isEnabled());
  QTest::keyClick(d->DriveList(), Qt::Key_End);  // "no medium"
  EXPECT_EQ(d->DriveList()->currentText(), "test drive");
  EXPECT_EQ(model.dirPath, dir.Sub("GPL/sound"));
  EXPECT_TRUE(d->ActionButton(0)->isEnabled()) << "the buttons are left alone";

  QTest::keyClick(d->DriveList(), Qt::Key_Down);  // "other drive"
  EXPECT_EQ(model.dirPath, dir.Sub("other"));
  EXPECT_EQ(RowTexts(*d->FilList()), QStringList{"SOUND.DAT"}) << "the pattern ignores letter case";
  EXPECT_FALSE(d->ActionButton(0)->isEnabled());
}

TEST_F(FinderDialogTest, QuitOrTheCloseBoxAtStartUpEndTheProgramAndEscCancelsFromAMenu) {
  testing::DialogScript dialogs;
  dialogs.ThenOn<FinderDialog>([](FinderDialog* d) { EXPECT_TRUE(d->close()); });
  ShowSoundDatFinder(ctx);
  EXPECT_EQ(endActions, 1);
  EXPECT_TRUE(ctx.values.ProgramEnded);
  EXPECT_TRUE(settings.values.empty());

  QtPrompts menuPrompts;
  menuPrompts.SetDriveSource([this] { return drives; });
  Context fromMenu(menuPrompts, clock, settings, sound);
  fromMenu.values.FinderFromMenu = true;
  fromMenu.values.FinderConfirmed = true;
  dialogs.ThenOn<FinderDialog>([](FinderDialog* d) {
    EXPECT_EQ(d->CancelButton()->text(), "Cancel");
    QTest::keyClick(d, Qt::Key_Escape);
  });
  ShowSoundDatFinder(fromMenu);
  EXPECT_FALSE(fromMenu.values.FinderConfirmed);
  EXPECT_FALSE(menuPrompts.ProgramEnded());
}

TEST_F(FinderDialogTest, LayoutsOfTheReplacementAndSoundSetFindersScaled) {
  ctx.values.CurrentExecutableKind = 2;  // all three class buttons
  FrmFileManager replacement(ctx);
  FinderModel m2;
  FinderDialog d2(replacement, m2, 1.5f, 1.0546875f, nullptr, drives);
  EXPECT_EQ(d2.size(), QSize(700, 580));
  EXPECT_EQ(d2.FilList()->geometry(), QRect(408, 12, 242, 391));
  EXPECT_EQ(d2.Label()->geometry(), QRect(96, 456, 278, 26));
  EXPECT_DOUBLE_EQ(d2.Label()->font().pointSizeF(), 18.0);  // its 12 points × 1.5
  EXPECT_EQ(d2.ActionButton(2)->geometry(), QRect(324, 504, 120, 48));
  EXPECT_EQ(d2.CancelButton()->geometry(), QRect(516, 504, 120, 48));

  FrmDirPtr2 soundSet(ctx);
  FinderModel m3;
  FinderDialog d3(soundSet, m3, 0.625f, 0.5859375f, nullptr, drives);
  EXPECT_EQ(d3.size(), QSize(169, 234));
  EXPECT_EQ(d3.FilList(), nullptr);
  EXPECT_EQ(d3.DirList()->geometry(), QRect(5, 25, 151, 144));
  EXPECT_EQ(d3.DriveList()->height(), d3.DriveList()->sizeHint().height());
  EXPECT_EQ(d3.ActionButton(0)->geometry(), QRect(20, 195, 50, 20));
}

TEST(FolderLists, PatternsDrivesAndTheFolderTree) {
  EXPECT_TRUE(MatchesPattern("Sound.DAT", "sound.dat"));
  EXPECT_FALSE(MatchesPattern("sound.dat.bak", "sound.dat"));
  EXPECT_FALSE(MatchesPattern("mysound.dat", "sound.dat"));
  EXPECT_TRUE(MatchesPattern("F2F3.WAV", "*.wav"));
  const std::vector<DriveEntry> drives = {{"/", "/"}, {"/home/ann", "home"}};
  EXPECT_EQ(DriveOfPath(drives, "/home/ann/GPL"), 1);
  EXPECT_EQ(DriveOfPath(drives, "/home/anne"), 0) << "a root ends at a separator";

  testing::TempDir dir;
  for (const char* sub : {"b", "A", ".wine"}) std::filesystem::create_directories(dir.path() / sub);
  FolderList list;
  ASSERT_TRUE(list.SetPath(Q(dir.str())));
  const QStringList rows = RowTexts(list);
  EXPECT_EQ(rows.front(), QDir::toNativeSeparators(QDir::rootPath()));
  // Sub-folders ignoring case, hidden ones too: Wine keeps games under ~/.wine.
  EXPECT_EQ(rows.mid(rows.size() - 3), (QStringList{".wine", "A", "b"}));
  EXPECT_FALSE(list.SetPath(Q(dir.Sub("missing"))));
  EXPECT_EQ(list.Path(), Q(dir.str()));
}

}  // namespace
}  // namespace revalorn::ui
