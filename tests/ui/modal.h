#pragma once
// Driving modal dialogs in widget tests: the code under test opens a dialog and waits
// in its event loop; a timer finds the dialog, runs the test's steps on it and always
// closes it afterwards, so a failed expectation never leaves a dialog open.

#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

namespace revalorn::testing {

// Runs steps on the next modal dialog that opens (it must be a T), then closes it if
// the steps did not. Fails the test when no such dialog opens within timeoutMs.
void OnNextModal(std::function<void(QDialog*)> steps, int timeoutMs = 5000);

template <class T>
void OnNextModalOf(std::function<void(T*)> steps, int timeoutMs = 5000) {
  OnNextModal(
      [steps = std::move(steps)](QDialog* dialog) {
        T* typed = dynamic_cast<T*>(dialog);
        if (!typed) {
          ADD_FAILURE() << "the modal dialog is a " << dialog->metaObject()->className();
          return;
        }
        steps(typed);
      },
      timeoutMs);
}

// The row of a list whose text, without its indentation, is text; -1 when none is.
int RowOf(const QListWidget& list, const QString& text);
// Clicks / double-clicks the row with that text; fails the test when there is none.
void ClickRow(QListWidget& list, const QString& text);
void DoubleClickRow(QListWidget& list, const QString& text);
// The texts of a list's rows, without indentation.
QStringList RowTexts(const QListWidget& list);

}  // namespace revalorn::testing
