#include "core/control_model.h"

#include <stdexcept>

namespace revalorn {

namespace {

constexpr std::array<std::string_view, kControlCount> kNames = {
    "FrmSound",      "FrmSoundBackground", "BackBuffer",       "GEMPic1",         "Tach",
    "Picture2",      "Picture3",           "Frame1",           "Combo2",          "Combo1",
    "LabelCar",      "CmdAutoPlay(0)",     "CmdReplace",       "CmdPedalPlay(0)", "CmdRevert",
    "Frame2",        "LabelReplacement",   "CmdAutoPlay(1)",   "CmdPedalPlay(1)", "CmdReplacementLoad",
    "optFormula(0)", "optFormula(1)",      "optFormula(2)",    "Frame3",          "lblVolume",
    "HScroll1",      "Timing",             "HScroll2",         "MnuFile",         "MnuSaveEngineSounds",
    "MnuLoadSoundSet", "MnuSaveSoundSet",  "MnuRevertAll",     "Mnuexit",         "MnuOptions",
    "MnuPatchGPL",   "MnuToolBox",         "MnuCalibratePedals", "MnuReset",      "MnuHelp",
    "MnuHelpFile",   "MnuAbout",
};

}  // namespace

Ctl CmdAutoPlay(int index) {
  if (index == 0) return Ctl::CmdAutoPlay0;
  if (index == 1) return Ctl::CmdAutoPlay1;
  throw std::out_of_range("CmdAutoPlay index " + std::to_string(index));
}

Ctl CmdPedalPlay(int index) {
  if (index == 0) return Ctl::CmdPedalPlay0;
  if (index == 1) return Ctl::CmdPedalPlay1;
  throw std::out_of_range("CmdPedalPlay index " + std::to_string(index));
}

Ctl optFormula(int index) {
  if (index >= 0 && index <= 2) return static_cast<Ctl>(static_cast<int>(Ctl::optFormula0) + index);
  throw std::out_of_range("optFormula index " + std::to_string(index));
}

std::string_view ControlName(Ctl c) { return kNames.at(static_cast<std::size_t>(c)); }

ControlModel::ControlModel() {
  auto set = [this](Ctl c, std::string caption, bool enabled = true) {
    Mutable(c).caption = std::move(caption);
    Mutable(c).enabled = enabled;
  };
  set(Ctl::Frame1, "Engine Sound");
  set(Ctl::LabelCar, "BRABHAM");
  set(Ctl::CmdAutoPlay0, "Auto Play", false);
  set(Ctl::CmdReplace, "Replace", false);
  set(Ctl::CmdPedalPlay0, "Pedal Play", false);
  set(Ctl::CmdRevert, "Revert", false);
  set(Ctl::Frame2, "Replacement Sound");
  set(Ctl::CmdAutoPlay1, "Auto Play", false);
  set(Ctl::CmdPedalPlay1, "Pedal Play", false);
  set(Ctl::CmdReplacementLoad, "Load Sound");
  set(Ctl::optFormula0, "F1");
  set(Ctl::optFormula1, "F2");
  set(Ctl::optFormula2, "F3");
  Mutable(Ctl::optFormula0).checked = true;
  set(Ctl::Frame3, "Playback Controls");
  set(Ctl::lblVolume, "Volume");
  set(Ctl::Timing, "Speed");
  Mutable(Ctl::HScroll1).value = 0;
  Mutable(Ctl::HScroll2).value = 98;
  // The tachometer shows only while a sound plays; the buffers are never shown.
  Mutable(Ctl::Tach).visible = false;
  Mutable(Ctl::BackBuffer).visible = false;
  Mutable(Ctl::Picture2).visible = false;
  Mutable(Ctl::Picture3).visible = false;

  set(Ctl::MnuFile, "File");
  set(Ctl::MnuSaveEngineSounds, "Save All Sounds To GPL Sound Directory");
  set(Ctl::MnuLoadSoundSet, "Load Sound Set");
  set(Ctl::MnuSaveSoundSet, "Save Sound Set");
  set(Ctl::MnuRevertAll, "Revert All Sounds");
  set(Ctl::Mnuexit, "Exit");
  set(Ctl::MnuOptions, "Patches");
  set(Ctl::MnuPatchGPL, "Patch Executable");
  set(Ctl::MnuToolBox, "Tool Box");
  set(Ctl::MnuCalibratePedals, "Calibrate Pedals");
  set(Ctl::MnuReset, "Reset Registry Settings");
  set(Ctl::MnuHelp, "Help");
  set(Ctl::MnuHelpFile, "Help");
  set(Ctl::MnuAbout, "About Revalorn");
}

void ControlModel::SetEnabled(Ctl c, bool enabled) {
  if (Mutable(c).enabled == enabled) return;
  Mutable(c).enabled = enabled;
  Notify(c);
}

void ControlModel::SetVisible(Ctl c, bool visible) {
  if (Mutable(c).visible == visible) return;
  Mutable(c).visible = visible;
  Notify(c);
}

void ControlModel::SetCaption(Ctl c, std::string caption) {
  if (Mutable(c).caption == caption) return;
  Mutable(c).caption = std::move(caption);
  Notify(c);
}

bool ControlModel::SetValue(Ctl c, int value) {
  if (Mutable(c).value == value) return false;
  Mutable(c).value = value;
  Notify(c);
  return true;
}

void ControlModel::SetChecked(Ctl c, bool checked) {
  if (Mutable(c).checked == checked) return;
  Mutable(c).checked = checked;
  Notify(c);
}

void ControlModel::ClearList(Ctl c) {
  Mutable(c).items.clear();
  Mutable(c).listIndex = -1;
  Notify(c);
}

void ControlModel::AddItem(Ctl c, std::string text) {
  Mutable(c).items.push_back(std::move(text));
  Notify(c);
}

void ControlModel::SetListIndex(Ctl c, int index) {
  if (index < -1 || index >= ListCount(c)) {
    throw std::out_of_range(std::string(ControlName(c)) + " has no entry " + std::to_string(index));
  }
  Mutable(c).listIndex = index;
  Notify(c);
}

void ControlModel::SetPicture(Ctl c, PictureSource picture) {
  Mutable(c).picture = std::move(picture);
  ++Mutable(c).pictureSerial;
  Notify(c);
}

void ControlModel::SetTachFace(std::int16_t face) {
  tach_.face = face;
  tach_.needleStep = -1;
  ++tach_.serial;
  Notify(Ctl::Tach);
}

void ControlModel::SetTachNeedle(int step) {
  tach_.needleStep = step;
  ++tach_.serial;
  Notify(Ctl::Tach);
}

void ControlModel::SetFocus(Ctl c) { Notify(c, Change::Focus); }

}  // namespace revalorn
