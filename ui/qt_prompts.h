#pragma once
// The window-system services of the logic on Qt: message boxes and the input box titled
// "Revalorn", the modal finder dialogs, the busy pointer, one pass of pending events,
// and ending the program.

#include <functional>
#include <vector>

#include "core/prompts.h"
#include "ui/folder_lists.h"

class QWidget;

namespace revalorn::ui {

class QtPrompts final : public Prompts {
 public:
  QtPrompts();
  ~QtPrompts() override;
  QtPrompts(const QtPrompts&) = delete;
  QtPrompts& operator=(const QtPrompts&) = delete;

  MsgResult MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                   MsgDefault defaultButton = MsgDefault::First) override;
  std::string InputBox(std::string_view prompt, std::string_view defaultText) override;
  void ShowFinder(FinderLogic& logic, FinderModel& model) override;
  void SetBusyCursor(bool busy) override;
  void ProcessEvents() override;
  // Marks the program as ended (an open finder then closes) and runs the end action: by
  // default every running event loop is left, so the program's main returns. Called
  // before the main event loop runs, main must check Context::values.ProgramEnded.
  void EndProgram() override;

  // The window the boxes and finders belong to; the active window when none is set.
  void SetParentWindow(QWidget* window) { parent_ = window; }
  // The screen scale factors the finders are scaled by.
  void SetScale(float scaleX, float scaleY) {
    scaleX_ = scaleX;
    scaleY_ = scaleY;
  }
  // Replaces the end action (tests: record instead of leaving the event loops).
  void SetEndAction(std::function<void()> action) { endAction_ = std::move(action); }
  // Replaces the drives the finders list (tests).
  void SetDriveSource(std::function<std::vector<DriveEntry>()> source) { drives_ = std::move(source); }

  bool ProgramEnded() const { return ended_; }
  bool Busy() const { return busy_; }

 private:
  QWidget* Parent() const;

  QWidget* parent_ = nullptr;
  float scaleX_ = 1.0f;
  float scaleY_ = 1.0f;
  std::function<void()> endAction_;
  std::function<std::vector<DriveEntry>()> drives_;
  bool ended_ = false;
  bool busy_ = false;
};

}  // namespace revalorn::ui
