#include "tests/ui/modal.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace revalorn::testing {

namespace {

void Poll(std::shared_ptr<std::function<void(QDialog*)>> steps, std::shared_ptr<QElapsedTimer> since, int timeoutMs) {
  QWidget* modal = QApplication::activeModalWidget();
  auto* dialog = qobject_cast<QDialog*>(modal);
  if (!dialog || !dialog->isVisible()) {
    if (since->elapsed() > timeoutMs) {
      ADD_FAILURE() << "no modal dialog opened";
      return;
    }
    QTimer::singleShot(10, [=] { Poll(steps, since, timeoutMs); });
    return;
  }
  QPointer<QDialog> guard(dialog);
  try {
    (*steps)(dialog);
  } catch (const std::exception& e) {
    ADD_FAILURE() << "exception in dialog steps: " << e.what();
  } catch (...) {
    ADD_FAILURE() << "exception in dialog steps";
  }
  if (guard && guard->isVisible()) {
    ADD_FAILURE() << "the dialog was still open after the steps; closing it";
    guard->done(QDialog::Rejected);
  }
}

}  // namespace

void OnNextModal(std::function<void(QDialog*)> steps, int timeoutMs) {
  auto shared = std::make_shared<std::function<void(QDialog*)>>(std::move(steps));
  auto since = std::make_shared<QElapsedTimer>();
  since->start();
  QTimer::singleShot(0, [=] { Poll(shared, since, timeoutMs); });
}

int RowOf(const QListWidget& list, const QString& text) {
  for (int i = 0; i < list.count(); ++i) {
    if (list.item(i)->text().trimmed() == text) return i;
  }
  return -1;
}

QStringList RowTexts(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text().trimmed();
  return texts;
}

void ClickRow(QListWidget& list, const QString& text) {
  const int row = RowOf(list, text);
  if (row < 0) {
    ADD_FAILURE() << "no row " << text.toStdString() << " in " << RowTexts(list).join(", ").toStdString();
    return;
  }
  list.scrollToItem(list.item(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

void DoubleClickRow(QListWidget& list, const QString& text) {
  const int row = RowOf(list, text);
  if (row < 0) {
    ADD_FAILURE() << "no row " << text.toStdString() << " in " << RowTexts(list).join(", ").toStdString();
    return;
  }
  list.scrollToItem(list.item(row));
  const QPoint at = list.visualItemRect(list.item(row)).center();
  // As a real double-click: press, release, the second press (the double-click), release.
  QPointer<QWidget> viewport(list.viewport());
  QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
  if (viewport) QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

}  // namespace revalorn::testing
