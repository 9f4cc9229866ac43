#include "ui/qt_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/modal.h"
#include "ui/qt_clock.h"

namespace revalorn::ui {
namespace {


// What a message box showed, and what it answered when `press` was pressed (Esc for
// NoButton).
struct Shown {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  MsgResult result = MsgResult::Ok;
};

Shown Ask(std::string_view text, MsgButtons buttons, MsgIcon icon, MsgDefault def, QMessageBox::StandardButton press) {
  Shown shown;
  testing::DialogScript dialogs;
  dialogs.ThenOn<QMessageBox>([&](QMessageBox* box) {
    shown = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
             box->standardButton(box->defaultButton()), MsgResult::Ok};
    if (press == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(press)->click();
    }
  });
  QtPrompts prompts;
  shown.result = prompts.MsgBox(text, buttons, icon, def);
  return shown;
}

TEST(QtPrompts, MessageBoxes) {
  Shown s = Ask("A.  B.", MsgButtons::Ok, MsgIcon::Information, MsgDefault::First, QMessageBox::Ok);
  EXPECT_EQ(s.title, "Revalorn");
  EXPECT_EQ(s.text, "A.  B.");
  EXPECT_EQ(s.icon, QMessageBox::Information);
  EXPECT_EQ(s.buttons, 1);
  EXPECT_EQ(s.result, MsgResult::Ok);

  s = Ask("Overwrite?", MsgButtons::YesNo, MsgIcon::Question, MsgDefault::Second, QMessageBox::NoButton);
  EXPECT_EQ(s.icon, QMessageBox::Question);
  EXPECT_EQ(s.defaultButton, QMessageBox::No);
  EXPECT_EQ(s.result, MsgResult::No) << "Esc answers No";
  s = Ask("Overwrite?", MsgButtons::YesNo, MsgIcon::Question, MsgDefault::First, QMessageBox::Yes);
  EXPECT_EQ(s.defaultButton, QMessageBox::Yes);
  EXPECT_EQ(s.result, MsgResult::Yes);

  s = Ask("missing.\r\nTry another.", MsgButtons::OkCancel, MsgIcon::Exclamation, MsgDefault::First,
          QMessageBox::NoButton);
  EXPECT_EQ(s.text, "missing.\nTry another.");
  EXPECT_EQ(s.icon, QMessageBox::Warning);
  EXPECT_EQ(s.result, MsgResult::Cancel);
}

TEST(QtPrompts, TheInputBoxReturnsTheTextOrNothingOnCancel) {
  QtPrompts prompts;
  testing::DialogScript dialogs;
  dialogs.ThenOn<QInputDialog>([](QInputDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Revalorn");
    EXPECT_EQ(dialog->labelText(), "Enter a name.");
    EXPECT_EQ(dialog->textValue(), "My Sound Set");
    dialog->setTextValue("Le Mans");
    dialog->accept();
  });
  EXPECT_EQ(prompts.InputBox("Enter a name.", "My Sound Set"), "Le Mans");
  dialogs.ThenOn<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(prompts.InputBox("Enter a name.", "My Sound Set"), "");
}

TEST(QtPrompts, TheBusyPointerIsNotStackedAndIsRestored) {
  {
    QtPrompts prompts;
    prompts.SetBusyCursor(true);
    prompts.SetBusyCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    prompts.SetBusyCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    prompts.SetBusyCursor(true);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "restored when the prompts go";
}

TEST(QtClock, RunsCallbacksLaterInDueOrderAndDropsThemWithTheClock) {
  std::vector<int> order;
  {
    QtClock clock;
    const std::int64_t start = clock.NowMs();
    std::int64_t ranAt = -1;
    clock.CallAfter(20, [&] {
      order.push_back(2);
      ranAt = clock.NowMs();
    });
    clock.CallAfter(0, [&] { order.push_back(0); });
    clock.CallAfter(0, [&] { order.push_back(1); });
    EXPECT_TRUE(order.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() == 3; }, 5000));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_GE(ranAt - start, 20);
    clock.CallAfter(10, [&] { order.push_back(99); });
  }
  QTest::qWait(30);
  EXPECT_EQ(order.size(), 3u);
}

}  // namespace
}  // namespace revalorn::ui
