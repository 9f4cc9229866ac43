#include "ui/splash_box.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>

#include <string>

#include "core/prompts.h"
#include "core/version.h"

namespace revalorn::ui {

FrmSplashBox::FrmSplashBox(QWidget* parent)
    // Not kept on top: the start-up's messages and the sound.dat finder open over it.
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("FrmSplashBox"));
  setFocusPolicy(Qt::StrongFocus);
  QPalette grey = palette();
  grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
  setPalette(grey);
  setAutoFillBackground(true);

  layout_ = std::make_unique<FormLayout>(this, this, 6744, 1980);
  frame1_ = new QGroupBox(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  layout_->Add("Frame1", ControlKind::Ordinary, frame1_, {240, 120, 6240, 1650});
  frame1_->installEventFilter(this);

  const ProgramVersion v = CurrentProgramVersion();
  lblProductName_ = new QLabel(QString::fromUtf8(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())), frame1_);
  lblProductName_->setObjectName(QStringLiteral("lblProductName"));
  lblVersion_ = new QLabel(QStringLiteral("Version %1.%2.%3").arg(v.major).arg(v.minor).arg(v.revision), frame1_);
  lblVersion_->setObjectName(QStringLiteral("lblVersion"));
  for (QLabel* label : {lblProductName_, lblVersion_}) {
    label->setTextFormat(Qt::PlainText);
    // A click on a label is a click on the frame.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  layout_->Add("lblProductName", ControlKind::Ordinary, lblProductName_, {360, 360, 5625, 765}, 32, true);
  layout_->Add("lblVersion", ControlKind::Ordinary, lblVersion_, {2625, 1200, 915, 285}, 12, true);
  // The fonts are already the scaled family; scaling keeps them.
  for (QLabel* label : {lblProductName_, lblVersion_}) {
    QFont font = label->font();
    font.setFamily(kScaledFontFamily);
    label->setFont(font);
  }
  FitVersion();
}

FrmSplashBox::~FrmSplashBox() = default;

void FrmSplashBox::Load(float scaleX, float scaleY) {
  ResizeForResolution(scaleX, scaleY, *layout_);
  FitVersion();
  CentreOnScreen(*this);
}

void FrmSplashBox::FitVersion() {
  // The version line grows to its text from its left edge, so that a longer version
  // number is never cut off.
  const int needed = lblVersion_->sizeHint().width();
  if (lblVersion_->width() < needed) lblVersion_->resize(needed, lblVersion_->height());
}

void FrmSplashBox::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  hide();
}

void FrmSplashBox::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // It takes the keyboard, so that a key press closes it.
  activateWindow();
  setFocus(Qt::ActiveWindowFocusReason);
}

void FrmSplashBox::keyPressEvent(QKeyEvent* /*event*/) { Unload(); }

void FrmSplashBox::mousePressEvent(QMouseEvent* /*event*/) { Unload(); }

bool FrmSplashBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == frame1_ && event->type() == QEvent::MouseButtonPress) {
    Unload();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace revalorn::ui
