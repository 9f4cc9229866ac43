#include "ui/finder_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include <string>

namespace revalorn::ui {

namespace {

// Design layouts in twips. Every finder shares the list geometry; they differ in the
// client area, the file list's height, the instruction label and the buttons.
struct FinderGeometry {
  double clientWidth;
  double clientHeight;
  TwipsRect picture1;
  TwipsRect filList;  // height 0: no file list
  TwipsRect label;    // width 0: no label
  std::vector<double> actionLeft;
  double buttonTop;
  double cancelLeft;
};

constexpr TwipsRect kDrvList{120, 120, 3615, 0};
constexpr TwipsRect kDirList{120, 600, 3615, 3465};
constexpr double kButtonWidth = 1200;
constexpr double kButtonHeight = 480;
constexpr double kLabelFontPoints = 12;

FinderGeometry GeometryOf(FinderKind kind) {
  switch (kind) {
    case FinderKind::Replacement:
      return {6996, 5796, {120, 120, 6735, 4335}, {4080, 120, 2415, 3912}, {960, 4560, 2775, 255},
              {360, 1800, 3240}, 5040, 5160};
    case FinderKind::SoundSet:
      return {4056, 5628, {120, 120, 3855, 4335}, {}, {}, {480}, 4680, 2400};
    case FinderKind::SoundDat:
    case FinderKind::Executable:
      break;
  }
  return {6972, 5760, {120, 120, 6735, 4335}, {4080, 120, 2415, 3720}, {720, 4560, 5655, 255}, {1920}, 5040, 3840};
}

QString Text(const std::string& s) { return QString::fromStdString(s); }
QString MnemonicFree(const std::string& s) { return Text(s).replace('&', QStringLiteral("&&")); }
QString QtPath(const std::string& s) { return QDir::cleanPath(QDir::fromNativeSeparators(Text(s))); }
std::string ModelPath(const QString& s) { return QDir::toNativeSeparators(s).toStdString(); }

}  // namespace

FinderDialog::FinderDialog(FinderLogic& logic, FinderModel& model, float scaleX, float scaleY,
                           std::function<bool()> programEnded, std::vector<DriveEntry> drives, QWidget* parent)
    : QDialog(parent), logic_(logic), model_(model), programEnded_(std::move(programEnded)), drives_(std::move(drives)) {
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  logic_.Load(model_);
  Build(scaleX, scaleY);
  // The logic's start folder; one that cannot be listed falls back to the home folder,
  // then the root, so the lists are never empty.
  if (!dirList_->SetPath(QtPath(model_.dirPath)) && !dirList_->SetPath(QDir::homePath())) {
    dirList_->SetPath(QDir::rootPath());
  }
  ShowFolder(dirList_->Path());
  dirList_->setFocus(Qt::OtherFocusReason);
  Sync();
}

FinderDialog::~FinderDialog() = default;

void FinderDialog::Build(float scaleX, float scaleY) {
  const FinderGeometry g = GeometryOf(model_.kind);
  layout_ = std::make_unique<FormLayout>(this, this, g.clientWidth, g.clientHeight);
  FormLayout& L = *layout_;

  picture1_ = new QFrame(this);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  picture1_->setFrameShape(QFrame::Panel);
  picture1_->setFrameShadow(QFrame::Sunken);
  L.Add("Picture1", ControlKind::Ordinary, picture1_, g.picture1);

  drvList_ = new QComboBox(picture1_);
  drvList_->setObjectName(QStringLiteral("drvList"));
  for (const DriveEntry& d : drives_) drvList_->addItem(d.text, d.root);
  L.Add("drvList", ControlKind::DriveList, drvList_, kDrvList);
  connect(drvList_, &QComboBox::activated, this, [this](int index) { DriveChosen(index); });

  dirList_ = new FolderList(picture1_);
  dirList_->setObjectName(QStringLiteral("dirList"));
  L.Add("dirList", ControlKind::Ordinary, dirList_, kDirList);
  dirList_->onOpen = [this](const QString& folder) { OpenFolder(folder); };

  if (model_.hasFileList && g.filList.height > 0) {
    filList_ = new FileList(picture1_);
    filList_->setObjectName(QStringLiteral("filList"));
    L.Add("filList", ControlKind::Ordinary, filList_, g.filList);
    filList_->onClick = [this] {
      Raise([this] {
        model_.fileName = filList_->HighlightedName().toStdString();
        logic_.FileClicked(model_);
      });
    };
    filList_->onDoubleClick = [this] {
      Raise([this] {
        model_.fileName = filList_->HighlightedName().toStdString();
        logic_.FileDoubleClicked(model_);
      });
    };
  }

  if (g.label.width > 0) {
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setTextFormat(Qt::PlainText);
    L.Add("Label1", ControlKind::Ordinary, label_, g.label, kLabelFontPoints);
  }

  for (std::size_t i = 0; i < model_.actions.size(); ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(QStringLiteral("cmdLoad%1").arg(i));
    b->setAutoDefault(false);
    // Buttons beyond the design's places follow on to the right.
    const double left = i < g.actionLeft.size() ? g.actionLeft[i] : g.actionLeft.back() + 1440.0 * static_cast<double>(i - g.actionLeft.size() + 1);
    L.Add(b->objectName().toStdString(), ControlKind::Ordinary, b, {left, g.buttonTop, kButtonWidth, kButtonHeight});
    const int index = static_cast<int>(i);
    connect(b, &QPushButton::clicked, this, [this, index] { Raise([this, index] { logic_.Action(model_, index); }); });
    cmdLoad_.push_back(b);
  }

  cmdCancel_ = new QPushButton(this);
  cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
  cmdCancel_->setAutoDefault(false);
  L.Add("cmdCancel", ControlKind::Ordinary, cmdCancel_, {g.cancelLeft, g.buttonTop, kButtonWidth, kButtonHeight});
  connect(cmdCancel_, &QPushButton::clicked, this, [this] { Raise([this] { logic_.Cancel(model_); }); });

  ResizeForResolution(scaleX, scaleY, L);
}

QPushButton* FinderDialog::ActionButton(int index) const {
  if (index < 0 || index >= static_cast<int>(cmdLoad_.size())) return nullptr;
  return cmdLoad_[static_cast<std::size_t>(index)];
}

void FinderDialog::Raise(const std::function<void()>& event) {
  if (finished_) return;
  event();
  Sync();
}

void FinderDialog::Sync() {
  if (finished_) return;
  setWindowTitle(Text(model_.caption));
  if (label_) label_->setText(Text(model_.label));
  for (std::size_t i = 0; i < cmdLoad_.size(); ++i) {
    QPushButton* b = cmdLoad_[i];
    if (i < model_.actions.size()) {
      const FinderButton& m = model_.actions[i];
      b->setText(MnemonicFree(m.caption));
      b->setEnabled(m.enabled);
      b->setVisible(m.visible);
    } else {
      b->setVisible(false);
    }
  }
  cmdCancel_->setText(MnemonicFree(model_.cancel.caption));
  cmdCancel_->setEnabled(model_.cancel.enabled);
  cmdCancel_->setVisible(model_.cancel.visible);
  // The logic moved the lists itself.
  if (!model_.dirPath.empty() && QtPath(model_.dirPath) != dirList_->Path()) ShowFolder(QtPath(model_.dirPath));
  if (model_.closeRequested || (programEnded_ && programEnded_())) Finish();
}

void FinderDialog::Finish() {
  if (finished_) return;
  finished_ = true;
  done(model_.closeRequested ? QDialog::Accepted : QDialog::Rejected);
}

void FinderDialog::ShowFolder(const QString& folder) {
  if (folder != dirList_->Path() && !dirList_->SetPath(folder)) return;
  model_.dirPath = ModelPath(dirList_->Path());
  model_.fileName.clear();
  if (filList_) filList_->SetPath(dirList_->Path(), Text(model_.pattern));
  SelectDriveOf(dirList_->Path());
}

void FinderDialog::OpenFolder(const QString& folder) {
  if (finished_) return;
  const QString previous = dirList_->Path();
  if (QDir::cleanPath(folder) == previous) return;
  if (!dirList_->SetPath(folder)) {
    dirList_->SetPath(previous);  // an unreadable folder is not opened
    return;
  }
  ShowFolder(dirList_->Path());
  Raise([this] { logic_.FolderChanged(model_); });
}

void FinderDialog::DriveChosen(int index) {
  if (finished_ || index < 0 || index >= static_cast<int>(drives_.size()) || index == driveIndex_) return;
  const QString previous = dirList_->Path();
  if (!dirList_->SetPath(drives_[static_cast<std::size_t>(index)].root)) {
    // A drive that cannot be read: keep the lists together, leave the buttons alone.
    SelectDriveOf(previous);
    return;
  }
  ShowFolder(dirList_->Path());
  driveIndex_ = index;
  {
    const QSignalBlocker block(drvList_);
    drvList_->setCurrentIndex(index);
  }
  if (dirList_->Path() != previous) Raise([this] { logic_.FolderChanged(model_); });
  Raise([this] { logic_.DriveChanged(model_); });
}

void FinderDialog::SelectDriveOf(const QString& path) {
  const QSignalBlocker block(drvList_);
  driveIndex_ = DriveOfPath(drives_, path);
  drvList_->setCurrentIndex(driveIndex_);
}

void FinderDialog::reject() {
  // Esc answers the cancel button, when it can be pressed.
  if (finished_) {
    QDialog::reject();
    return;
  }
  if (cmdCancel_->isEnabled() && cmdCancel_->isVisible()) Raise([this] { logic_.Cancel(model_); });
}

void FinderDialog::closeEvent(QCloseEvent* event) {
  if (!finished_) Raise([this] { logic_.ClosedByFrame(model_); });
  if (finished_) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace revalorn::ui
