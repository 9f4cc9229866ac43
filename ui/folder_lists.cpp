#include "ui/folder_lists.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QStyle>

namespace revalorn::ui {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString Clean(const QString& path) { return QDir::cleanPath(QDir::fromNativeSeparators(path)); }

bool IsRoot(const QString& path) { return QDir(path).isRoot(); }

// True when folder is path itself or one of its ancestors.
bool Holds(const QString& folder, const QString& path) {
  const Qt::CaseSensitivity cs =
#ifdef _WIN32
      Qt::CaseInsensitive;
#else
      Qt::CaseSensitive;
#endif
  if (path.compare(folder, cs) == 0) return true;
  const QString prefix = folder.endsWith('/') ? folder : folder + '/';
  return path.startsWith(prefix, cs);
}

}  // namespace

std::vector<DriveEntry> SystemDrives() {
  std::vector<DriveEntry> drives;
  auto add = [&](const QString& root, const QString& text) {
    const QString clean = Clean(root);
    for (const auto& d : drives) {
      if (d.root == clean) return;
    }
    drives.push_back({clean, text});
  };
#ifdef _WIN32
  for (const QFileInfo& drive : QDir::drives()) {
    const QString root = drive.absoluteFilePath();
    QStorageInfo info(root);
    const QString name = info.isValid() && info.isReady() ? info.displayName() : QString();
    QString text = root.left(2).toLower();
    if (!name.isEmpty() && name != root) text += QStringLiteral(" [%1]").arg(name);
    add(root, text);
  }
#else
  add(QStringLiteral("/"), QStringLiteral("/"));
  add(QDir::homePath(), QDir::homePath() + QStringLiteral(" [home]"));
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString root = volume.rootPath();
    if (!QFileInfo(root).isDir()) continue;  // files bind-mounted into a container
    QString text = root;
    const QString name = volume.name();
    if (!name.isEmpty()) text += QStringLiteral(" [%1]").arg(name);
    add(root, text);
  }
#endif
  return drives;
}

int DriveOfPath(const std::vector<DriveEntry>& drives, const QString& path) {
  const QString clean = Clean(path);
  int best = -1;
  for (int i = 0; i < static_cast<int>(drives.size()); ++i) {
    const QString& root = drives[static_cast<std::size_t>(i)].root;
    if (Holds(root, clean) && (best < 0 || root.size() > drives[static_cast<std::size_t>(best)].root.size())) best = i;
  }
  return best;
}

bool MatchesPattern(const QString& name, const QString& pattern) {
  // The converted expression is anchored at both ends.
  const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(pattern),
                              QRegularExpression::CaseInsensitiveOption);
  return re.match(name).hasMatch();
}

// --- FolderList ------------------------------------------------------------------------

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (item) Open(item->data(kPathRole).toString());
  });
}

bool FolderList::SetPath(const QString& path) {
  const QString folder = Clean(path);
  const QDir dir(folder);
  const QFileInfo info(folder);
  if (folder.isEmpty() || !info.isDir() || !info.isReadable() || !dir.isReadable()) return false;
  const QStringList children =
      dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name | QDir::IgnoreCase);

  // The folder's ancestors, from the root down, then the folder itself.
  QStringList chain;
  for (QDir walk(folder);; ) {
    chain.prepend(walk.absolutePath());
    if (walk.isRoot() || !walk.cdUp()) break;
  }

  const QSignalBlocker block(this);
  clear();
  const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
  int depth = 0;
  for (const QString& f : chain) {
    const QString name = IsRoot(f) ? QDir::toNativeSeparators(f) : QFileInfo(f).fileName();
    auto* item = new QListWidgetItem(open, QString(depth * 2, ' ') + name, this);
    item->setData(kPathRole, f);
    ++depth;
  }
  const int currentRow = count() - 1;
  for (const QString& child : children) {
    auto* item = new QListWidgetItem(closed, QString(depth * 2, ' ') + child, this);
    item->setData(kPathRole, dir.absoluteFilePath(child));
  }
  path_ = folder;
  setCurrentRow(currentRow);
  return true;
}

QString FolderList::HighlightedPath() const {
  const QListWidgetItem* item = currentItem();
  return item ? item->data(kPathRole).toString() : path_;
}

void FolderList::Open(const QString& folder) {
  if (onOpen) onOpen(folder);
}

void FolderList::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  // Another window coming to the front (a message box, another program) is not leaving
  // the list.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason) return;
  const QString highlighted = HighlightedPath();
  if (highlighted != path_) Open(highlighted);
}

void FolderList::keyboardSearch(const QString& search) {
  if (search.isEmpty() || count() == 0) {
    typed_.clear();
    return;
  }
  const bool fresh = !typedAt_.isValid() || typedAt_.elapsed() > QApplication::keyboardInputInterval();
  typed_ = fresh ? search : typed_ + search;
  typedAt_.start();
  // A new name looks past the highlighted entry, so that typing its letter again moves
  // on to the next folder with that letter; more letters of one name keep to it.
  const int from = currentRow() < 0 ? 0 : currentRow() + (fresh ? 1 : 0);
  for (int i = 0; i < count(); ++i) {
    QListWidgetItem* entry = item((from + i) % count());
    if (entry->text().trimmed().startsWith(typed_, Qt::CaseInsensitive)) {
      setCurrentItem(entry);
      scrollToItem(entry);
      return;
    }
  }
}

void FolderList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Open(HighlightedPath());
    event->accept();
    return;
  }
  QListWidget::keyPressEvent(event);
}

// --- FileList --------------------------------------------------------------------------

FileList::FileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (item && onClick) onClick();
  });
  connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (item && onDoubleClick) onDoubleClick();
  });
}

void FileList::keyPressEvent(QKeyEvent* event) {
  const int before = currentRow();
  QListWidget::keyPressEvent(event);
  if (currentRow() != before && currentRow() >= 0 && onClick) onClick();
}

void FileList::SetPath(const QString& folder, const QString& pattern) {
  const QSignalBlocker block(this);
  clear();
  const QDir dir(Clean(folder));
  const QStringList files = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  for (const QString& name : files) {
    if (MatchesPattern(name, pattern)) addItem(name);
  }
  setCurrentRow(-1);
}

QString FileList::HighlightedName() const {
  const QListWidgetItem* item = currentItem();
  return item ? item->text() : QString();
}

}  // namespace revalorn::ui
