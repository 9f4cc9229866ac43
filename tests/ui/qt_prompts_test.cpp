#include "ui/qt_prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/modal.h"
#include "ui/qt_clock.h"

namespace revalorn::ui {
namespace {

using testing::OnNextModalOf;

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  std::vector<QMessageBox::StandardButton> buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Records what the next message box shows, then presses `press` (or Esc when NoButton).
SeenBox* Answer(QMessageBox::StandardButton press, SeenBox* seen) {
  OnNextModalOf<QMessageBox>([=](QMessageBox* box) {
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    for (QAbstractButton* b : box->buttons()) seen->buttons.push_back(box->standardButton(b));
    seen->defaultButton = box->standardButton(box->defaultButton());
    if (press == QMessageBox::NoButton) {
      QTest::keyClick(box, Qt::Key_Escape);
    } else {
      box->button(press)->click();
    }
  });
  return seen;
}

TEST(QtPrompts, AnInformationNoticeWithOnlyOk) {
  QtPrompts prompts;
  SeenBox seen;
  Answer(QMessageBox::Ok, &seen);
  EXPECT_EQ(prompts.MsgBox("This is a new install of Revalorn.  You should initialize your settings.", MsgButtons::Ok,
                           MsgIcon::Information),
            MsgResult::Ok);
  EXPECT_EQ(seen.title, "Revalorn");
  EXPECT_EQ(seen.text, "This is a new install of Revalorn.  You should initialize your settings.");
  EXPECT_EQ(seen.icon, QMessageBox::Information);
  EXPECT_EQ(seen.buttons, std::vector<QMessageBox::StandardButton>{QMessageBox::Ok});
}

TEST(QtPrompts, QuestionsAnswerYesOrNoAndEscIsNo) {
  QtPrompts prompts;
  SeenBox first;
  Answer(QMessageBox::Yes, &first);
  EXPECT_EQ(prompts.MsgBox("Overwrite?", MsgButtons::YesNo, MsgIcon::Question), MsgResult::Yes);
  EXPECT_EQ(first.icon, QMessageBox::Question);
  EXPECT_EQ(first.defaultButton, QMessageBox::Yes);
  EXPECT_EQ(first.buttons.size(), 2u);

  SeenBox second;
  Answer(QMessageBox::NoButton, &second);
  EXPECT_EQ(prompts.MsgBox("Overwrite?", MsgButtons::YesNo, MsgIcon::Question, MsgDefault::Second), MsgResult::No);
  EXPECT_EQ(second.defaultButton, QMessageBox::No);
}

TEST(QtPrompts, ExclamationAndCriticalBoxesAndLineBreaks) {
  QtPrompts prompts;
  SeenBox warning;
  Answer(QMessageBox::Cancel, &warning);
  EXPECT_EQ(prompts.MsgBox("This sound set is missing the repco.wav sound.\r\nTry selecting another sound set.",
                           MsgButtons::OkCancel, MsgIcon::Exclamation),
            MsgResult::Cancel);
  EXPECT_EQ(warning.icon, QMessageBox::Warning);
  EXPECT_EQ(warning.text, "This sound set is missing the repco.wav sound.\nTry selecting another sound set.");

  SeenBox critical;
  Answer(QMessageBox::NoButton, &critical);
  EXPECT_EQ(prompts.MsgBox("Could not initialize DirectSound 8.", MsgButtons::Ok, MsgIcon::Critical), MsgResult::Ok);
  EXPECT_EQ(critical.icon, QMessageBox::Critical);
}

TEST(QtPrompts, TheInputBoxReturnsTheTextOrNothingOnCancel) {
  QtPrompts prompts;
  QString title, label, initial;
  OnNextModalOf<QInputDialog>([&](QInputDialog* dialog) {
    title = dialog->windowTitle();
    label = dialog->labelText();
    initial = dialog->textValue();
    dialog->setTextValue("Le Mans 1967");
    dialog->accept();
  });
  EXPECT_EQ(prompts.InputBox("Enter a name for your sound set directory.", "My Sound Set"), "Le Mans 1967");
  EXPECT_EQ(title, "Revalorn");
  EXPECT_EQ(label, "Enter a name for your sound set directory.");
  EXPECT_EQ(initial, "My Sound Set");

  OnNextModalOf<QInputDialog>([](QInputDialog* dialog) { dialog->reject(); });
  EXPECT_EQ(prompts.InputBox("Enter a name for your sound set directory.", "My Sound Set"), "");
}

TEST(QtPrompts, TheBusyPointerIsSetOnceAndRestoredOnce) {
  {
    QtPrompts prompts;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
      BusyCursor busy(prompts);
      ASSERT_NE(QApplication::overrideCursor(), nullptr);
      EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
      prompts.SetBusyCursor(true);  // not stacked
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    prompts.SetBusyCursor(true);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "restored when the prompts go";
}

TEST(QtPrompts, EndProgramRunsTheEndActionOnce) {
  QtPrompts prompts;
  int ended = 0;
  prompts.SetEndAction([&] { ++ended; });
  EXPECT_FALSE(prompts.ProgramEnded());
  prompts.EndProgram();
  EXPECT_TRUE(prompts.ProgramEnded());
  EXPECT_EQ(ended, 1);
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
    EXPECT_TRUE(order.empty()) << "never before CallAfter returns";
    EXPECT_TRUE(QTest::qWaitFor([&] { return order.size() == 3; }, 5000));
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_GE(ranAt - start, 20);
    EXPECT_EQ(clock.PendingCount(), 0u);
    clock.CallAfter(60'000, [&] { order.push_back(99); });
    EXPECT_EQ(clock.PendingCount(), 1u);
  }
  QTest::qWait(10);
  EXPECT_EQ(order.size(), 3u);
}

}  // namespace
}  // namespace revalorn::ui
