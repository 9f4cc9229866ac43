#include "soundfiles/replacement_loading.h"

#include <string>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "files/file_helpers.h"
#include "files/wav_header.h"
#include "playback/playback_controls.h"
#include "settings/settings_store.h"
#include "soundfiles/copy_helpers.h"

namespace revalorn {

namespace {

constexpr int kLoadButtonCount = 3;

// Executable kinds whose F2 and F3 trainers have sounds of their own.
bool HasSeparateTrainerSounds(std::int16_t kind) { return kind == 2 || kind == 4 || kind == 6; }

}  // namespace

void FrmFileManager::Load(FinderModel& m) {
  m.kind = FinderKind::Replacement;
  m.caption = "GPL Sound Finder";
  m.label = "Load Sound File As:";
  m.hasFileList = true;
  m.pattern = "*.wav";
  // A finder can only start in a folder.
  const std::string& remembered = ctx_.values.LastUsedSourceDirectory;
  m.dirPath = IsFolder(remembered) ? remembered : ctx_.values.ProgramFolder;
  m.fileName.clear();
  const bool three = HasSeparateTrainerSounds(ctx_.values.CurrentExecutableKind);
  m.actions = {{"F1 Sound", false, true}, {three ? "F2 Sound" : "F2F3 Sound", false, true}, {"F3 Sound", false, three}};
  m.cancel = {"Cancel", true, true};
  m.closeRequested = false;
}

void FrmFileManager::FileDoubleClicked(FinderModel& m) { FileClicked(m); }

void FrmFileManager::Action(FinderModel& m, int index) {
  if (index < 0 || index >= kLoadButtonCount || static_cast<std::size_t>(index) >= m.actions.size()) return;
  const FinderButton& button = m.actions[static_cast<std::size_t>(index)];
  if (!button.enabled || !button.visible || m.fileName.empty()) return;
  if (!IsUsableSoundFile(JoinPath(m.dirPath, m.fileName))) {
    WarnOk(ctx_, kCouldNotLoadSound);
    return;
  }

  for (int i = 0; i < kLoadButtonCount; ++i) ctx_.controls.SetChecked(optFormula(i), false);
  ctx_.controls.SetChecked(optFormula(index), true);
  optFormula_Click(ctx_, index);
  ctx_.values.LastUsedSourceDirectory = m.dirPath;
  ctx_.values.ReplacementFile = m.fileName;
  SetRegValue(ctx_.settings, kLastUsedSourceDirectoryValue, ctx_.values.LastUsedSourceDirectory);
  ctx_.values.FinderConfirmed = true;
  m.closeRequested = true;
}

void FrmFileManager::Cancel(FinderModel& m) {
  ctx_.values.FinderConfirmed = false;
  m.closeRequested = true;
}

void CmdReplacementLoad_Click(Context& ctx) {
  StopSoundQuietly(ctx);
  {
    FrmFileManager finder(ctx);
    FinderModel model;
    ctx.prompts.ShowFinder(finder, model);
  }
  const std::string& file = ctx.values.ReplacementFile;
  if (file.empty()) return;

  // After a Cancel this is the replacement loaded earlier, which may have gone or
  // changed since; it must still be a sound the program can use.
  const std::string path = JoinPath(ctx.values.LastUsedSourceDirectory, file);
  if (!IsUsableSoundFile(path)) {
    WarnOk(ctx, kCouldNotLoadSound);
    return;
  }

  const int v = ctx.values.GameVersion;
  ctx.catalogue.SoundFileName(v, kSlotReplacement) = file;
  ctx.controls.SetCaption(Ctl::LabelReplacement, file);
  ctx.catalogue.SampleRate(v, kSlotReplacement) = ReadWavSampleRate(path);
  int formula = -1;
  for (int i = 0; i < kLoadButtonCount; ++i) {
    if (ctx.controls.Checked(optFormula(i))) formula = i;
  }
  if (formula >= 0) optFormula_Click(ctx, formula);

  ctx.controls.SetEnabled(CmdAutoPlay(1), true);
  ctx.controls.SetEnabled(CmdPedalPlay(1), ctx.values.PedalsAvailable);
  ctx.controls.SetEnabled(Ctl::CmdReplace, true);
}

}  // namespace revalorn
