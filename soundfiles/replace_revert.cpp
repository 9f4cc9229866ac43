#include "soundfiles/replace_revert.h"

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "files/file_helpers.h"
#include "soundfiles/copy_helpers.h"
#include "workingfolder/working_folder.h"

namespace revalorn {

namespace {

bool AnyFlagSet(const Globals& values) {
  return std::any_of(values.SoundChanged.begin(), values.SoundChanged.end(), [](bool b) { return b; });
}

std::string GameCopyPath(const Context& ctx, std::string_view name) {
  // The game's folders come from Windows, where letter case does not matter: a file
  // called "Repco.wav" is the game's "repco.wav" and is written under its own name.
  return FindEntryIgnoringCase(ctx.values.LastUsedGPLPath, name);
}

}  // namespace

void CmdReplace_Click(Context& ctx) {
  StopSoundQuietly(ctx);
  if (!AskYesNo(ctx, kReplaceQuestion)) return;
  const auto slot = SelectedSlot(ctx);
  if (!slot) return;

  const int v = ctx.values.GameVersion;
  const std::string& name = ctx.catalogue.SoundFileName(v, *slot);
  const std::string workingCopy = JoinPath(WorkingFolderPath(ctx.values), name);
  const std::string replacement = JoinPath(ctx.values.LastUsedSourceDirectory, ctx.values.ReplacementFile);
  // The replacement was checked when it was loaded, but it may have changed since; a
  // file that is not a sound must never reach the working copy, nor the game.
  if (const auto failure = TryCopyFile(replacement, workingCopy, name, SourceCheck::UsableSound)) {
    WarnOk(ctx, "Could not replace this sound." + FailureLines({*failure}) + std::string(kCrLf) +
                    "The sound is unchanged.");
    return;
  }

  RefreshSampleRates(ctx, name, workingCopy);
  DSoundLoad(ctx, workingCopy);
  ctx.controls.SetEnabled(Ctl::CmdRevert, true);
  ctx.controls.SetEnabled(Ctl::MnuSaveEngineSounds, true);
  ctx.controls.SetEnabled(Ctl::MnuRevertAll, true);
  ctx.values.SoundChanged.at(static_cast<std::size_t>(*slot)) = true;
}

void CmdRevert_Click(Context& ctx) {
  StopSoundQuietly(ctx);
  if (!AskYesNo(ctx, kRevertQuestion)) return;
  const auto slot = SelectedSlot(ctx);
  if (!slot) return;

  const int v = ctx.values.GameVersion;
  const std::string& name = ctx.catalogue.SoundFileName(v, *slot);
  const std::string workingCopy = JoinPath(WorkingFolderPath(ctx.values), name);
  if (const auto failure = TryCopyFile(GameCopyPath(ctx, name), workingCopy, name)) {
    WarnOk(ctx, "Could not revert this sound." + FailureLines({*failure}) + std::string(kCrLf) +
                    "The sound is unchanged.");
    return;
  }

  // The sound output keeps its buffer; the next play loads the file again.
  RefreshSampleRates(ctx, name, workingCopy);
  ctx.controls.SetEnabled(Ctl::CmdRevert, false);
  ctx.values.SoundChanged.at(static_cast<std::size_t>(*slot)) = false;
  ctx.controls.SetEnabled(Ctl::MnuRevertAll, false);
  if (AnyFlagSet(ctx.values)) ctx.controls.SetEnabled(Ctl::MnuRevertAll, true);
}

void MnuSaveEngineSounds_Click(Context& ctx) {
  if (!AskYesNo(ctx, kSaveAllQuestion)) return;

  const int v = ctx.values.GameVersion;
  const std::string workingFolder = WorkingFolderPath(ctx.values);
  std::vector<CopyFailure> failures;
  {
    const BusyCursor busy(ctx.prompts);
    for (const std::int16_t s : VersionSlots(ctx.catalogue, v)) {
      const std::string& name = ctx.catalogue.SoundFileName(v, s);
      if (auto failure = TryCopyFile(JoinPath(workingFolder, name), GameCopyPath(ctx, name), name)) {
        // Two slots that share a file fail together; the player hears of it once.
        const bool known = std::any_of(failures.begin(), failures.end(),
                                       [&](const CopyFailure& f) { return f.name == name; });
        if (!known) failures.push_back(std::move(*failure));
        continue;
      }
      ctx.values.SoundChanged.at(static_cast<std::size_t>(s)) = false;
    }
  }

  // Revert follows the selected sound and Revert All stays available while a sound
  // that could not be saved is still flagged; after a full save both are off.
  const auto selected = SelectedSlot(ctx);
  ctx.controls.SetEnabled(Ctl::CmdRevert, selected && ctx.values.SoundChanged.at(static_cast<std::size_t>(*selected)));
  ctx.controls.SetEnabled(Ctl::MnuRevertAll, AnySoundChanged(ctx));

  if (!failures.empty()) {
    WarnOk(ctx, "Could not save these sounds to your GPL Sound Folder:" + FailureLines(failures) +
                    std::string(kCrLf) + "The game keeps its own copies of these sounds.");
  }
}

void MnuRevertAll_Click(Context& ctx) {
  if (!AskYesNo(ctx, kRevertAllQuestion)) return;
  LoadEngineSounds(ctx, ctx.values.LastUsedGPLPath);
}

bool AnySoundChanged(const Context& ctx) {
  const auto slots = VersionSlots(ctx.catalogue, ctx.values.GameVersion);
  return std::any_of(slots.begin(), slots.end(),
                     [&](std::int16_t s) { return ctx.values.SoundChanged.at(static_cast<std::size_t>(s)); });
}

}  // namespace revalorn
