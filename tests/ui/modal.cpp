#include "tests/ui/modal.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace revalorn::testing {

namespace {

void Poll(std::shared_ptr<std::function<void(QDialog*)>> steps, int triesLeft) {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (!dialog || !dialog->isVisible()) {
    if (triesLeft > 0) {
      QTimer::singleShot(10, [=] { Poll(steps, triesLeft - 1); });
    } else {
      ADD_FAILURE() << "no modal dialog opened";
    }
    return;
  }
  QPointer<QDialog> guard(dialog);
  (*steps)(dialog);
  if (guard && guard->isVisible()) {
    ADD_FAILURE() << "the steps left the dialog open";
    guard->done(QDialog::Rejected);
  }
}

}  // namespace

void OnNextModal(std::function<void(QDialog*)> steps) {
  auto shared = std::make_shared<std::function<void(QDialog*)>>(std::move(steps));
  QTimer::singleShot(0, [=] { Poll(shared, 500); });
}

QStringList RowTexts(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text().trimmed();
  return texts;
}

void ClickRow(QListWidget& list, const QString& text, bool doubleClick) {
  const int row = RowTexts(list).indexOf(text);
  ASSERT_GE(row, 0) << "no row " << text.toStdString();
  list.scrollToItem(list.item(row));
  const QPoint at = list.visualItemRect(list.item(row)).center();
  QPointer<QWidget> viewport(list.viewport());
  QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
  if (!doubleClick) return;
  // The second press arrives as the double-click, then its release.
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
  if (viewport) QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

}  // namespace revalorn::testing
