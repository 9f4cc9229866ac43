#pragma once
// The window-system services the logic needs, as one small interface: message boxes,
// the input box, the modal finder dialogs, the busy mouse pointer, one pass of pending
// window events, and ending the program. The Qt window implements it; tests use
// ScriptedPrompts (tests/support), which records every message and answers from a
// script.

#include <string>
#include <string_view>
#include <vector>

namespace revalorn {

// Every message box carries the program's name as its title.
inline constexpr std::string_view kAppTitle = "Revalorn";

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { None, Information, Exclamation, Question, Critical };
enum class MsgDefault { First, Second };
enum class MsgResult { Ok, Cancel, Yes, No };

// ---------------------------------------------------------------------------------------
// Finder dialogs. Each finder is a drive list, a folder list, an optional file list, one
// or more action buttons and a cancel button. The widgets are shared (ui/); what each
// finder does lives with its logic as a FinderLogic, which works on a FinderModel.

enum class FinderKind {
  SoundDat,     // "GPL Sound.DAT Finder": the game's sound folder
  Executable,   // "GPL Executable Finder": a game executable to patch
  Replacement,  // "GPL Sound Finder": a replacement sound, with three action buttons
  SoundSet,     // "Sound Set Finder": a sound-set folder, no file list
};

struct FinderButton {
  std::string caption;
  bool enabled = true;
  bool visible = true;
};

// What a finder shows. The dialog lists the folders of dirPath and, when hasFileList,
// its files matching pattern (ignoring case, as Windows lists them).
struct FinderModel {
  FinderKind kind = FinderKind::SoundDat;
  std::string caption;           // window caption
  std::string label;             // instruction line, empty when there is none
  bool hasFileList = true;
  std::string pattern;           // "sound.dat", "*.exe", "*.wav"
  std::string dirPath;           // the folder list's current folder; the file list shows it
  std::string fileName;          // the file highlighted in the file list
  std::vector<FinderButton> actions;
  FinderButton cancel{"Cancel"};
  bool closeRequested = false;   // set by the logic to close the dialog
};

// The events of a finder. The defaults are the behaviour every finder shares.
class FinderLogic {
 public:
  virtual ~FinderLogic() = default;
  // On load: caption, label, start folder, pattern and button states.
  virtual void Load(FinderModel& m) = 0;
  // A drive was chosen and the folder list moved to it.
  virtual void DriveChanged(FinderModel& m) { DisableActions(m); }
  // The folder list's current folder changed (the file list now shows it).
  virtual void FolderChanged(FinderModel& m) { DisableActions(m); }
  // A file was clicked in the file list (m.fileName holds it).
  virtual void FileClicked(FinderModel& m) { EnableActions(m); }
  // A file was double-clicked: the same as the first action button.
  virtual void FileDoubleClicked(FinderModel& m) { Action(m, 0); }
  // Action button Index was pressed.
  virtual void Action(FinderModel& m, int index) = 0;
  // The cancel button (or Esc) was pressed.
  virtual void Cancel(FinderModel& m) = 0;
  // The window's close box was used: counts as the cancel button.
  virtual void ClosedByFrame(FinderModel& m) { Cancel(m); }

 protected:
  static void DisableActions(FinderModel& m) {
    for (auto& b : m.actions) b.enabled = false;
  }
  static void EnableActions(FinderModel& m) {
    for (auto& b : m.actions) b.enabled = true;
  }
};

// ---------------------------------------------------------------------------------------

class Prompts {
 public:
  virtual ~Prompts() = default;

  // A modal message box titled kAppTitle; returns the button the user chose.
  virtual MsgResult MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon,
                           MsgDefault defaultButton = MsgDefault::First) = 0;
  // A modal input box titled kAppTitle; returns the text, or "" on Cancel.
  virtual std::string InputBox(std::string_view prompt, std::string_view defaultText) = 0;
  // Shows a finder modally and returns when it has closed. The finder's results are
  // whatever its logic wrote into the shared values.
  virtual void ShowFinder(FinderLogic& logic, FinderModel& model) = 0;
  // The busy (hourglass) or the default mouse pointer.
  virtual void SetBusyCursor(bool busy) = 0;
  // Lets pending window events run once, e.g. so that a just-disabled button is drawn.
  virtual void ProcessEvents() = 0;
  // Ends the program at once: no question, nothing saved. The caller returns right away.
  virtual void EndProgram() = 0;
};

// Shows the busy pointer for the lifetime of the object.
class BusyCursor {
 public:
  explicit BusyCursor(Prompts& prompts) : prompts_(prompts) { prompts_.SetBusyCursor(true); }
  ~BusyCursor() { prompts_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Prompts& prompts_;
};

}  // namespace revalorn
