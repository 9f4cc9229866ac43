#pragma once
// The finder dialog shared by every finder: a drive list, a folder list, a file list
// (absent in the Sound Set Finder), the action buttons and the cancel button. What the
// finder does is its FinderLogic's; the dialog shows the FinderModel and raises the
// logic's events:
//  - drive chosen: the folder list moves to the drive (FolderChanged when the folder
//    changed, then DriveChanged); a drive that cannot be read puts the drive list back
//    on the folder list's drive and raises nothing;
//  - folder opened (double-click, Enter, or leaving the list with another folder
//    highlighted): the file list shows it, then FolderChanged;
//  - file clicked / double-clicked: FileClicked / FileDoubleClicked with fileName set;
//  - action button i: Action(i); cancel button or Esc: Cancel; close box: ClosedByFrame.
// After each event the dialog shows the model again, and closes when the logic asked
// for it (closeRequested) or the program was ended.

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

#include "core/prompts.h"
#include "ui/folder_lists.h"
#include "ui/form_layout.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace revalorn::ui {

class FinderDialog : public QDialog {
 public:
  // Runs the logic's Load, lays the dialog out for the finder's kind and scales it by
  // the screen factors. programEnded tells whether the program has been ended (a "Quit"
  // button), which closes the dialog at once.
  FinderDialog(FinderLogic& logic, FinderModel& model, float scaleX, float scaleY,
               std::function<bool()> programEnded, std::vector<DriveEntry> drives = SystemDrives(),
               QWidget* parent = nullptr);
  ~FinderDialog() override;

  // True once the dialog has closed (possibly already during Load).
  bool Finished() const { return finished_; }

  FormLayout& Layout() { return *layout_; }
  QComboBox* DriveList() const { return drvList_; }
  FolderList* DirList() const { return dirList_; }
  FileList* FilList() const { return filList_; }  // nullptr without a file list
  QLabel* Label() const { return label_; }
  QPushButton* ActionButton(int index) const;
  QPushButton* CancelButton() const { return cmdCancel_; }

 protected:
  void reject() override;  // Esc
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build(float scaleX, float scaleY);
  // Runs one event of the logic, then shows the model again (and closes if asked).
  void Raise(const std::function<void()>& event);
  void Sync();
  void Finish();
  void OpenFolder(const QString& folder);
  void ShowFolder(const QString& folder);
  void DriveChosen(int index);
  void SelectDriveOf(const QString& path);

  FinderLogic& logic_;
  FinderModel& model_;
  std::function<bool()> programEnded_;
  std::vector<DriveEntry> drives_;
  std::unique_ptr<FormLayout> layout_;
  QFrame* picture1_ = nullptr;
  QComboBox* drvList_ = nullptr;
  FolderList* dirList_ = nullptr;
  FileList* filList_ = nullptr;
  QLabel* label_ = nullptr;
  std::vector<QPushButton*> cmdLoad_;
  QPushButton* cmdCancel_ = nullptr;
  int driveIndex_ = -1;
  bool finished_ = false;
};

}  // namespace revalorn::ui
