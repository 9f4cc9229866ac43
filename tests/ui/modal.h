#pragma once
// Driving modal dialogs and lists in widget tests. The code under test opens a modal
// dialog and waits in its event loop; a timer finds the dialog, runs the test's steps on
// it and closes it if they did not, so a failed expectation never leaves it open.

#include <QDialog>
#include <QListWidget>
#include <QObject>
#include <QStringList>

#include <deque>
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

// Answers every dialog that opens while it exists, in order, for code that opens
// several in a row. Each dialog is recorded in `seen` (a message box by its text, any
// other dialog by its title) and handed to the next step. A dialog left open by its
// step fails the test; one with no step left is only recorded and closed, so an
// unexpected dialog shows in `seen` instead of hanging the test.
class DialogScript : public QObject {
 public:
  DialogScript();
  ~DialogScript() override;
  void Then(std::function<void(QDialog*)> step) { steps_.push_back(std::move(step)); }

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
