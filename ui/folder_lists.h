#pragma once
// The three list views of a finder: drives, folders and files.

#include <QElapsedTimer>
#include <QListWidget>
#include <QString>

#include <functional>
#include <vector>

namespace revalorn::ui {

// One entry of the drive list: a root folder and the text shown for it.
struct DriveEntry {
  QString root;  // "/" or "C:/" style, with forward slashes
  QString text;
  bool operator==(const DriveEntry&) const = default;
};

// The drives of this computer: on Windows the drive letters; elsewhere the file-system
// root, the home folder and every mounted volume, without repeats.
std::vector<DriveEntry> SystemDrives();

// The index of the drive that holds path: the entry whose root is the longest leading
// part of it; -1 when none does.
int DriveOfPath(const std::vector<DriveEntry>& drives, const QString& path);

// True when name matches the wildcard pattern ('*' and '?'), ignoring letter case, as
// Windows lists files.
bool MatchesPattern(const QString& name, const QString& pattern);

// The folder list: the current folder's path from the root down (each folder of it
// one entry), then its sub-folders. One click only highlights an entry; a double-click
// or Enter opens it, and so does leaving the list while another entry is highlighted.
class FolderList : public QListWidget {
 public:
  explicit FolderList(QWidget* parent = nullptr);

  // Lists path; false (and nothing changed) when it is not a folder that can be read.
  bool SetPath(const QString& path);
  const QString& Path() const { return path_; }
  // The folder of the highlighted entry (the current folder when none is).
  QString HighlightedPath() const;

  // Called with the folder the user opened.
  std::function<void(const QString&)> onOpen;

  // Type-ahead: highlights the next entry whose folder name starts with what was typed
  // (letter case ignored; a pause longer than the platform's key interval starts anew).
  // Qt's own search compares whole entry texts, which the tree's indentation defeats.
  void keyboardSearch(const QString& search) override;

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Open(const QString& folder);
  QString path_;
  QString typed_;
  QElapsedTimer typedAt_;
};

// The file list: the files of one folder whose names match a pattern.
class FileList : public QListWidget {
 public:
  explicit FileList(QWidget* parent = nullptr);
  // Lists the matching files of folder (none when it cannot be read).
  void SetPath(const QString& folder, const QString& pattern);
  QString HighlightedName() const;

  // A file was clicked, or highlighted with the keyboard.
  std::function<void()> onClick;
  // A file was double-clicked.
  std::function<void()> onDoubleClick;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace revalorn::ui
