#pragma once
// The state of the main window's controls, as the handlers write it and the Qt window
// shows it: enabled, visible, captions and label texts, list entries and selection,
// slider positions, option values, pictures and menu states. The handlers never touch a
// widget; the window observes this model and forwards the user's actions to the
// handlers.
//
// Setting a value here does not run a handler. Where a programmatic change runs a
// handler (a list's index set, a slider moved, an option set), the code that makes the
// change calls the handler itself.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace revalorn {

// The main window's controls, named as in its layout. Control arrays are one entry per
// element: CmdAutoPlay(0) is CmdAutoPlay0.
enum class Ctl : int {
  FrmSound,  // the window itself: its caption
  FrmSoundBackground,
  BackBuffer,
  GEMPic1,
  Tach,
  Picture2,
  Picture3,
  Frame1,
  Combo2,
  Combo1,
  LabelCar,
  CmdAutoPlay0,
  CmdReplace,
  CmdPedalPlay0,
  CmdRevert,
  Frame2,
  LabelReplacement,
  CmdAutoPlay1,
  CmdPedalPlay1,
  CmdReplacementLoad,
  optFormula0,
  optFormula1,
  optFormula2,
  Frame3,
  lblVolume,
  HScroll1,
  Timing,
  HScroll2,
  MnuFile,
  MnuSaveEngineSounds,
  MnuLoadSoundSet,
  MnuSaveSoundSet,
  MnuRevertAll,
  Mnuexit,
  MnuOptions,
  MnuPatchGPL,
  MnuToolBox,
  MnuCalibratePedals,
  MnuReset,
  MnuHelp,
  MnuHelpFile,
  MnuAbout,
  Count
};
inline constexpr int kControlCount = static_cast<int>(Ctl::Count);

// Elements of the control arrays; index 0 or 1 (0..2 for optFormula). Throws
// std::out_of_range for another index.
Ctl CmdAutoPlay(int index);
Ctl CmdPedalPlay(int index);
Ctl optFormula(int index);

// The control's name as the layout writes it, e.g. "CmdAutoPlay(0)".
std::string_view ControlName(Ctl c);

// What a picture box shows.
struct PictureSource {
  enum class Kind { None, File, BuiltIn };
  Kind kind = Kind::None;
  std::string path;  // Kind::File: the picture file
  int builtIn = 0;   // Kind::BuiltIn: the built-in picture's number, 101 or 102

  static PictureSource File(std::string p) { return {Kind::File, std::move(p), 0}; }
  static PictureSource BuiltIn(int number) { return {Kind::BuiltIn, {}, number}; }
  bool operator==(const PictureSource&) const = default;
};

struct ControlState {
  bool enabled = true;
  bool visible = true;
  std::string caption;             // buttons, labels, frames, options, menus, the window
  int value = 0;                   // scroll bars
  bool checked = false;            // option buttons
  std::vector<std::string> items;  // combo boxes
  int listIndex = -1;              // combo boxes: the selected entry, -1 for none
  PictureSource picture;           // picture boxes
  std::uint64_t pictureSerial = 0; // grows with every picture shown, even the same one
};

// What the tachometer shows: the face of a game version, and the needle at a step of
// the needle table (-1: no needle).
struct TachState {
  std::int16_t face = 0;
  int needleStep = -1;
  std::uint64_t serial = 0;  // grows with every change, so the same needle is drawn again
};

class ControlModel {
 public:
  enum class Change { State, Focus };
  using Observer = std::function<void(Ctl, Change)>;

  // The window's design state, before start-up.
  ControlModel();

  const ControlState& operator[](Ctl c) const { return state_[Index(c)]; }
  bool Enabled(Ctl c) const { return (*this)[c].enabled; }
  bool Visible(Ctl c) const { return (*this)[c].visible; }
  const std::string& Caption(Ctl c) const { return (*this)[c].caption; }
  int Value(Ctl c) const { return (*this)[c].value; }
  bool Checked(Ctl c) const { return (*this)[c].checked; }
  int ListIndex(Ctl c) const { return (*this)[c].listIndex; }
  int ListCount(Ctl c) const { return static_cast<int>((*this)[c].items.size()); }
  const PictureSource& Picture(Ctl c) const { return (*this)[c].picture; }

  void SetEnabled(Ctl c, bool enabled);
  void SetVisible(Ctl c, bool visible);
  void SetCaption(Ctl c, std::string caption);
  // Returns true when the value changed (a change handler runs only then).
  bool SetValue(Ctl c, int value);
  void SetChecked(Ctl c, bool checked);
  void ClearList(Ctl c);
  void AddItem(Ctl c, std::string text);
  void SetListIndex(Ctl c, int index);
  void SetPicture(Ctl c, PictureSource picture);
  // The tachometer's face (the needle is cleared) and its needle; both repaint Tach.
  const TachState& Tachometer() const { return tach_; }
  void SetTachFace(std::int16_t face);
  void SetTachNeedle(int step);
  // Gives the keyboard focus to a control.
  void SetFocus(Ctl c);

  // One observer, told after every change; the Qt window uses it.
  void SetObserver(Observer observer) { observer_ = std::move(observer); }

 private:
  static std::size_t Index(Ctl c) { return static_cast<std::size_t>(c); }
  ControlState& Mutable(Ctl c) { return state_[Index(c)]; }
  void Notify(Ctl c, Change change = Change::State) {
    if (observer_) observer_(c, change);
  }

  std::array<ControlState, kControlCount> state_;
  TachState tach_;
  Observer observer_;
};

}  // namespace revalorn
