#include "tests/ui/modal.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace revalorn::testing {

DialogScript::DialogScript() { qApp->installEventFilter(this); }

DialogScript::~DialogScript() {
  qApp->removeEventFilter(this);
  EXPECT_TRUE(steps_.empty()) << steps_.size() << " scripted dialog(s) never opened";
}

bool DialogScript::eventFilter(QObject* watched, QEvent* event) {
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (event->type() != QEvent::Show || !dialog || !dialog->isWindow()) return false;
  // The step runs once the dialog's own event loop is running.
  QPointer<QDialog> guard(dialog);
  QTimer::singleShot(0, this, [this, guard] {
    if (!guard || !guard->isVisible()) return;
    auto* box = qobject_cast<QMessageBox*>(guard.data());
    seen << (box ? box->text() : guard->windowTitle());
    if (steps_.empty()) {
      guard->reject();
      return;
    }
    const std::function<void(QDialog*)> step = std::move(steps_.front());
    steps_.pop_front();
    step(guard);
    if (guard && guard->isVisible()) {
      ADD_FAILURE() << "the step left " << seen.back().toStdString() << " open";
      guard->reject();
    }
  });
  return false;
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
