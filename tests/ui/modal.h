#pragma once
// Driving modal dialogs and lists in widget tests. The code under test opens a modal
// dialog and waits in its event loop; a timer finds the dialog, runs the test's steps on
// it and closes it if they did not, so a failed expectation never leaves it open.

#include <QDialog>
#include <QListWidget>

#include <functional>

namespace revalorn::testing {

void OnNextModal(std::function<void(QDialog*)> steps);

// The steps run only when the dialog is a T; otherwise it is closed as left open.
template <class T>
void OnNextModalOf(std::function<void(T*)> steps) {
  OnNextModal([steps = std::move(steps)](QDialog* d) {
    if (auto* typed = dynamic_cast<T*>(d)) steps(typed);
  });
}

// A list's row texts without their indentation.
QStringList RowTexts(const QListWidget& list);
// Clicks (or double-clicks) the row with that text, as a user does.
void ClickRow(QListWidget& list, const QString& text, bool doubleClick = false);

}  // namespace revalorn::testing
