#pragma once
// Driving modal dialogs and lists in widget tests. The code under test opens a modal
// dialog and waits in its event loop; a DialogScript answers each dialog that opens
// while it exists, and closes it if its step did not, so a failed expectation never
// leaves it open.

#include <QDialog>
#include <QListWidget>
#include <QObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace revalorn::testing {

// Each dialog is recorded in `seen` (a message box by its text, any other dialog by its
// title) and handed to the next step. A dialog left open by its step fails the test;
// one with no step left is only recorded and closed, so an unexpected dialog shows in
// `seen` instead of hanging the test. A step whose dialog never opened fails the test.
class DialogScript : public QObject {
 public:
  DialogScript();
  ~DialogScript() override;
  void Then(std::function<void(QDialog*)> step) { steps_.push_back(std::move(step)); }
  // A step for a dialog of type T; any other dialog fails the test.
  template <class T>
  void ThenOn(std::function<void(T*)> step) {
    Then([step = std::move(step)](QDialog* d) {
      auto* typed = dynamic_cast<T*>(d);
      ASSERT_TRUE(typed) << "an unexpected dialog";
      step(typed);
    });
  }

  QStringList seen;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::deque<std::function<void(QDialog*)>> steps_;
};

// A list's row texts without their indentation.
QStringList RowTexts(const QListWidget& list);
// Clicks (or double-clicks) the row with that text, as a user does.
void ClickRow(QListWidget& list, const QString& text, bool doubleClick = false);

}  // namespace revalorn::testing
