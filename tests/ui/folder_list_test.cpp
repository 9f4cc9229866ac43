// The finders' folder list from the keyboard.
#include "ui/folder_lists.h"

#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace revalorn::ui {
namespace {


// Typing a folder's first letters highlights it, as in any list of names, although the
// entries are indented to show the tree; Enter then opens it.
TEST(FolderListKeys, TypingAFoldersNameHighlightsItAndEnterOpensIt) {
  testing::TempDir dir;
  for (const char* folder : {"cars", "Downloaded Sounds", "demo-gpl", "sound"}) {
    std::filesystem::create_directories(dir.path() / folder);
  }
  FolderList list;
  QString opened;
  list.onOpen = [&](const QString& folder) { opened = folder; };
  ASSERT_TRUE(list.SetPath(QString::fromStdString(dir.str())));
  list.show();
  list.setFocus();

  QTest::keyClicks(&list, "dem");
  EXPECT_EQ(list.HighlightedPath().toStdString(), dir.Sub("demo-gpl"));
  QTest::keyClick(&list, Qt::Key_Return);
  EXPECT_EQ(opened.toStdString(), dir.Sub("demo-gpl"));

  // A pause starts a new name; letter case does not matter.
  QTest::qWait(QApplication::keyboardInputInterval() + 100);
  QTest::keyClicks(&list, "SO");
  EXPECT_EQ(list.HighlightedPath().toStdString(), dir.Sub("sound"));
}

}  // namespace
}  // namespace revalorn::ui
