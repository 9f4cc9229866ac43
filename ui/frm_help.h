#pragma once
// The help window, "Revalorn Help": the program's help text in one read-only text box
// that fills the window whatever its size. It is not modal: the main window stays
// usable beside it, and asking for help again brings the open window forward.

#include <QString>
#include <QWidget>

class QPlainTextEdit;

namespace revalorn::ui {

class FrmHelp : public QWidget {
 public:
  // The window's outer size at load: 9600 x 7200 twips, 15 twips to a pixel.
  static constexpr QSize kOuterSize{640, 480};

  // Loads the help text from the program's resources.
  FrmHelp();

  QPlainTextEdit* Text1() const { return text1_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QPlainTextEdit* text1_ = nullptr;
  bool outerSizeSet_ = false;
};

// The help text as the window shows it: every byte of the resource is one Latin-1
// character. Empty when the resource cannot be read.
QString LoadHelpText();

// Help, "Help": shows the help window, or brings the one already open forward. The
// window has no parent window, so the main window can come in front of it; it closes
// when owner (normally the main window) is destroyed, and is deleted when the user
// closes it. Returns the window shown.
FrmHelp* ShowHelpWindow(QWidget* owner);

}  // namespace revalorn::ui
