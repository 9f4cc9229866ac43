#include "ui/frm_help.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "core/prompts.h"
#include "resources/resource_paths.h"

namespace revalorn::ui {

QString LoadHelpText() {
  QFile file(QString::fromLatin1(resources::kHelpText));
  if (!file.open(QIODevice::ReadOnly)) return {};
  // One character per byte, whatever the bytes: the text is 8-bit Latin-1.
  return QString::fromLatin1(file.readAll());
}

FrmHelp::FrmHelp() : QWidget(nullptr, Qt::Window) {
  setObjectName(QStringLiteral("FrmHelp"));
  setWindowTitle(QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())) +
                 QStringLiteral(" Help"));

  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setReadOnly(true);
  text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(12);
  text1_->setFont(font);
  // Carriage return + line feed pairs become single line breaks in the box.
  text1_->setPlainText(LoadHelpText());

  // The text box fills the client area at any window size.
  auto* fill = new QVBoxLayout(this);
  fill->setContentsMargins(0, 0, 0, 0);
  fill->setSpacing(0);
  fill->addWidget(text1_);

  // Until the window system reports its frame, the client area takes the whole size.
  resize(kOuterSize);
}

void FrmHelp::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (outerSizeSet_) return;
  outerSizeSet_ = true;
  // The frame counts towards the outer size; the client area gets the rest.
  const QSize frame = frameGeometry().size() - geometry().size();
  if ((frame.width() > 0 || frame.height() > 0) && frame.width() < kOuterSize.width() &&
      frame.height() < kOuterSize.height()) {
    resize(kOuterSize - frame);
  }
}

FrmHelp* ShowHelpWindow(QWidget* owner) {
  // A closed window is deleted soon after; only an open one is brought forward.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (auto* open = dynamic_cast<FrmHelp*>(w); open && open->isVisible()) {
      if (open->isMinimized()) open->showNormal();
      open->raise();
      open->activateWindow();
      return open;
    }
  }
  auto* help = new FrmHelp;
  help->setAttribute(Qt::WA_DeleteOnClose);
  if (owner) QObject::connect(owner, &QObject::destroyed, help, [help] { delete help; });
  help->show();
  help->raise();
  help->activateWindow();
  return help;
}

}  // namespace revalorn::ui
