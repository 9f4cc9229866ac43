#include "ui/qt_prompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/finder_dialog.h"

namespace revalorn::ui {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QtPrompts::QtPrompts() : endAction_([] { QCoreApplication::exit(0); }) {}

QtPrompts::~QtPrompts() {
  if (busy_) QApplication::restoreOverrideCursor();
}

QWidget* QtPrompts::Parent() const { return parent_ ? parent_ : QApplication::activeWindow(); }

MsgResult QtPrompts::MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) {
  QMessageBox box(Parent());
  box.setWindowTitle(Text(kAppTitle));
  box.setTextFormat(Qt::PlainText);
  // Messages break their lines with a carriage return and a line feed.
  box.setText(Text(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  box.setIcon(IconOf(icon));

  QMessageBox::StandardButton first = QMessageBox::Ok;
  QMessageBox::StandardButton second = QMessageBox::NoButton;
  switch (buttons) {
    case MsgButtons::Ok:
      break;
    case MsgButtons::OkCancel:
      second = QMessageBox::Cancel;
      break;
    case MsgButtons::YesNo:
      first = QMessageBox::Yes;
      second = QMessageBox::No;
      break;
  }
  box.setStandardButtons(second == QMessageBox::NoButton ? QMessageBox::StandardButtons(first)
                                                         : QMessageBox::StandardButtons(first | second));
  box.setDefaultButton(defaultButton == MsgDefault::Second && second != QMessageBox::NoButton ? second : first);
  // Esc and the close box answer the last button: OK, Cancel or No.
  box.setEscapeButton(second != QMessageBox::NoButton ? second : first);
  box.exec();

  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
      return MsgResult::Yes;
    case QMessageBox::No:
      return MsgResult::No;
    case QMessageBox::Cancel:
      return MsgResult::Cancel;
    case QMessageBox::Ok:
      return MsgResult::Ok;
    default:
      break;
  }
  switch (buttons) {
    case MsgButtons::Ok:
      return MsgResult::Ok;
    case MsgButtons::OkCancel:
      return MsgResult::Cancel;
    case MsgButtons::YesNo:
      break;
  }
  return MsgResult::No;
}

std::string QtPrompts::InputBox(std::string_view prompt, std::string_view defaultText) {
  QInputDialog dialog(Parent());
  dialog.setWindowTitle(Text(kAppTitle));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setLabelText(Text(prompt));
  dialog.setTextValue(Text(defaultText));
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.textValue().toStdString();
}

void QtPrompts::ShowFinder(FinderLogic& logic, FinderModel& model) {
  FinderDialog dialog(logic, model, scaleX_, scaleY_, [this] { return ended_; },
                      drives_ ? drives_() : SystemDrives(), Parent());
  if (!dialog.Finished()) dialog.exec();
}

void QtPrompts::SetBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void QtPrompts::ProcessEvents() { QCoreApplication::processEvents(); }

void QtPrompts::EndProgram() {
  ended_ = true;
  // The open finder sees the end after the event that caused it and closes itself.
  if (endAction_) endAction_();
}

}  // namespace revalorn::ui
