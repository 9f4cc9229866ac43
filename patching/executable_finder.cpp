#include "patching/executable_finder.h"

#include <array>

#include "files/file_helpers.h"
#include "patching/executable_kind.h"

namespace revalorn {

namespace {

constexpr std::string_view kCancelCaption = "Cancel";
constexpr std::string_view kQuitCaption = "Quit";

}  // namespace

bool IsRefusedExecutableName(std::string_view fileName) noexcept {
  constexpr std::array<std::string_view, 3> refused = {"gpl.exe", "gplc66.exe", "gplcGT.exe"};
  for (const std::string_view name : refused) {
    if (fileName == name) return true;
  }
  return false;
}

std::string ExecutableStartFolder(std::string_view gameSoundFolder) {
  constexpr std::string_view sound = "sound";
  const std::size_t tail = sound.size() + 1;
  if (gameSoundFolder.size() >= tail) {
    const std::string_view end = gameSoundFolder.substr(gameSoundFolder.size() - tail);
    if (end[0] == kPathSeparator && end.substr(1) == sound) {
      return std::string(gameSoundFolder.substr(0, gameSoundFolder.size() - tail));
    }
  }
  return std::string(gameSoundFolder);
}

void FrmFileManager2::Load(FinderModel& m) {
  Globals& v = ctx_.values;
  m.kind = FinderKind::Executable;
  m.caption = "GPL Executable Finder";
  m.label = "Select GPL Executable (for example GPL.EXE)";
  m.hasFileList = true;
  m.pattern = "*.exe";

  const std::string start = ExecutableStartFolder(v.LastUsedGPLPath);
  v.ExecutableFolder = start;
  m.dirPath = FileExists(start) ? start : v.ProgramFolder;
  m.fileName.clear();

  m.actions = {FinderButton{"Select", false}};
  m.cancel = FinderButton{std::string(v.FinderFromMenu ? kCancelCaption : kQuitCaption), true};
  m.closeRequested = false;
}

void FrmFileManager2::Action(FinderModel& m, int /*index*/) {
  Globals& v = ctx_.values;
  const BusyCursor busy(ctx_.prompts);
  DisableActions(m);
  m.cancel.enabled = false;
  ctx_.prompts.ProcessEvents();

  v.ExecutableFolder = m.dirPath;
  v.ExecutableName = m.fileName;
  if (IsRefusedExecutableName(v.ExecutableName)) {
    ctx_.prompts.MsgBox(
        "You cannot patch the original gpl.exe, 1966 Mod, or GT Mod .exe file.  Please select another file.",
        MsgButtons::Ok, MsgIcon::Exclamation);
    m.cancel.enabled = true;
    return;
  }
  const ExecutableKind kind = IdentifyExecutable(ctx_);
  if (kind != ExecutableKind::Unrecognised) {
    v.CurrentExecutableKind = KindCode(kind);
    m.closeRequested = true;
    v.FinderConfirmed = true;
    return;
  }
  ctx_.prompts.MsgBox("This is not a valid GPL.exe file. Please select another.", MsgButtons::Ok,
                      MsgIcon::Exclamation);
  m.cancel.enabled = true;
}

void FrmFileManager2::Cancel(FinderModel& m) {
  if (m.cancel.caption == kCancelCaption) {
    ctx_.values.FinderConfirmed = false;
    m.closeRequested = true;
    return;
  }
  ctx_.EndProgram();
}

}  // namespace revalorn
