#include "ui/frm_help.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace revalorn::ui {
namespace {

int OpenHelpWindows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) n += dynamic_cast<FrmHelp*>(w) && w->isVisible() ? 1 : 0;
  return n;
}

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

TEST(FrmHelp, ShowsTheWholeHelpTextReadOnlyInABoxThatFillsTheWindowAtAnySize) {
  auto owner = std::make_unique<QWidget>();
  QPointer<FrmHelp> help = ShowHelpWindow(owner.get());
  ASSERT_TRUE(help);
  EXPECT_EQ(help->windowTitle(), "Revalorn Help");
  EXPECT_EQ(help->parentWidget(), nullptr);
  EXPECT_EQ(help->windowModality(), Qt::NonModal);
  EXPECT_EQ(help->frameGeometry().size(), FrmHelp::kOuterSize);  // no frame on this platform

  QFile resource(":/revalorn/help.txt");
  ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
  QPlainTextEdit* text = help->Text1();
  EXPECT_EQ(text->toPlainText(), QString::fromLatin1(resource.readAll()).replace("\r\n", "\n"));
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_GT(text->verticalScrollBar()->maximum(), 0);  // far more text than fits

  for (const QSize size : {QSize(900, 700), QSize(200, 120), QSize(1280, 300)}) {
    help->resize(size);
    QApplication::processEvents();
    EXPECT_EQ(text->geometry(), help->rect()) << size.width() << "x" << size.height();
  }

  // Ending the program (the owner goes) closes the help window too.
  owner.reset();
  EXPECT_TRUE(help.isNull());
}

TEST(FrmHelp, AskingAgainBringsTheOpenWindowForwardAndAClosedOneIsLoadedAfresh) {
  QWidget owner;
  QPointer<FrmHelp> first = ShowHelpWindow(&owner);
  QApplication::processEvents();  // laid out
  first->Text1()->verticalScrollBar()->setValue(5);
  EXPECT_EQ(ShowHelpWindow(&owner), first.data());
  EXPECT_EQ(ShowHelpWindow(nullptr), first.data());
  EXPECT_EQ(OpenHelpWindows(), 1);
  EXPECT_EQ(first->Text1()->verticalScrollBar()->value(), 5);  // the same window, as it was

  first->close();
  DeleteClosedWindows();
  EXPECT_TRUE(first.isNull());
  QPointer<FrmHelp> second = ShowHelpWindow(&owner);
  EXPECT_EQ(OpenHelpWindows(), 1);
  EXPECT_EQ(second->Text1()->verticalScrollBar()->value(), 0);
  second->close();
  DeleteClosedWindows();
}

}  // namespace
}  // namespace revalorn::ui
