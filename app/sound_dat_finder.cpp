#include "app/sound_dat_finder.h"

#include <string>

#include "files/file_helpers.h"
#include "settings/settings_store.h"

namespace revalorn {

void FrmFileManager4::Load(FinderModel& m) {
  m.kind = FinderKind::SoundDat;
  m.caption = std::string(kSoundDatFinderCaption);
  m.label = std::string(kSoundDatFinderLabel);
  m.hasFileList = true;
  m.pattern = std::string(kSoundDatPattern);
  // FileExists is False for an empty path, so a first run starts in the program folder.
  m.dirPath = FileExists(ctx_.values.LastUsedGPLPath) ? ctx_.values.LastUsedGPLPath : ctx_.values.ProgramFolder;
  m.fileName.clear();
  m.actions = {FinderButton{"Select", false, true}};
  m.cancel = FinderButton{ctx_.values.FinderFromMenu ? "Cancel" : "Quit", true, true};
  m.closeRequested = false;
}

void FrmFileManager4::Action(FinderModel& m, int /*index*/) {
  // The folder, not the file: the file list shows the folder list's folder.
  ctx_.values.LastUsedGPLPath = m.dirPath;
  SetRegValue(ctx_.settings, "LastUsedGPLPath", ctx_.values.LastUsedGPLPath);
  m.closeRequested = true;
  ctx_.values.FinderConfirmed = true;
}

void FrmFileManager4::Cancel(FinderModel& m) {
  if (m.cancel.caption == "Cancel") {
    ctx_.values.FinderConfirmed = false;
    m.closeRequested = true;
    return;
  }
  // "Quit": no question, nothing saved.
  ctx_.EndProgram();
}

void ShowSoundDatFinder(Context& ctx) {
  FrmFileManager4 logic(ctx);
  FinderModel model;
  ctx.prompts.ShowFinder(logic, model);
}

}  // namespace revalorn
