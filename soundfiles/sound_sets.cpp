#include "soundfiles/sound_sets.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "catalogue/catalogue.h"
#include "core/context.h"
#include "files/file_helpers.h"
#include "soundfiles/copy_helpers.h"
#include "workingfolder/working_folder.h"

namespace fs = std::filesystem;

namespace revalorn {

namespace {

bool IsForbiddenInName(unsigned char c) {
  static constexpr std::string_view kForbidden = "<>:\"/\\|?*";
  return c < 0x20 || c == 0x7F || kForbidden.find(static_cast<char>(c)) != std::string_view::npos;
}

// Creates folder; true when it was created, false when a folder of that name was
// already there. Throws FileError for anything else (a file of that name, no right to
// write, a missing parent, ...).
bool CreateFolder(const std::string& folder) {
  std::error_code ec;
  if (fs::create_directory(ToPath(folder), ec)) return true;
  std::error_code statusError;
  if (fs::is_directory(ToPath(folder), statusError)) return false;
  throw FileError("Cannot create the folder", folder,
                  ec ? ec : std::make_error_code(std::errc::not_a_directory));
}

}  // namespace

std::string SoundSetsFolderPath(const Globals& values) { return JoinPath(values.ProgramFolder, kSoundSetsFolderName); }

std::optional<std::string> SoundSetNameProblem(std::string_view name) {
  const std::string rules = std::string(kCrLf) +
                            "A sound set name cannot be \".\" or \"..\", cannot end with a dot or a space, and "
                            "cannot contain any of  < > : \" / \\ | ? *  or control characters.";
  if (name.empty()) return "Please enter a name for your sound set.";
  if (name == "." || name == ".." || name.back() == '.' || name.back() == ' ' ||
      std::any_of(name.begin(), name.end(), [](char c) { return IsForbiddenInName(static_cast<unsigned char>(c)); })) {
    return "That name cannot be used for a sound set." + rules;
  }
  return std::nullopt;
}

std::string MissingSoundMessage(std::string_view name) {
  return "This sound set is missing the " + std::string(name) + " sound." + std::string(kCrLf) +
         "Try selecting another sound set.";
}

void MnuSaveSoundSet_Click(Context& ctx) {
  const std::string name = ctx.prompts.InputBox(kSoundSetNamePrompt, kSoundSetDefaultName);
  if (name.empty()) return;
  // Checked before anything is created: a name such as "../x" must not reach outside
  // the sets folder, nor lead to a question about a set that does not exist.
  if (const auto problem = SoundSetNameProblem(name)) {
    WarnOk(ctx, *problem);
    return;
  }

  const std::string setsFolder = SoundSetsFolderPath(ctx.values);
  const std::string setFolder = JoinPath(setsFolder, name);
  try {
    CreateFolder(setsFolder);
    if (!CreateFolder(setFolder) && !AskYesNo(ctx, kSoundSetOverwriteQuestion)) return;
  } catch (const std::exception& e) {
    WarnOk(ctx, "Could not save the sound set \"" + name + "\"." + std::string(kCrLf) + e.what());
    return;
  }

  // Every sound is tried; the ones that could not be copied are told afterwards, since
  // a set without them cannot be loaded again.
  const int v = ctx.values.GameVersion;
  const std::string workingFolder = WorkingFolderPath(ctx.values);
  std::vector<CopyFailure> failures;
  {
    const BusyCursor busy(ctx.prompts);
    for (const std::int16_t s : VersionSlots(ctx.catalogue, v)) {
      const std::string& file = ctx.catalogue.SoundFileName(v, s);
      auto failure = TryCopyFile(JoinPath(workingFolder, file), JoinPath(setFolder, file), file);
      if (failure && std::none_of(failures.begin(), failures.end(),
                                  [&](const CopyFailure& f) { return f.name == file; })) {
        failures.push_back(std::move(*failure));
      }
    }
  }
  if (!failures.empty()) {
    WarnOk(ctx, "Could not save these sounds to the sound set \"" + name + "\":" + FailureLines(failures));
  }
}

void MnuLoadSoundSet_Click(Context& ctx) {
  {
    FrmDirPtr2 finder(ctx);
    FinderModel model;
    ctx.prompts.ShowFinder(finder, model);
  }
  const std::string set = ctx.values.SelectedSoundSet;
  if (set.empty()) return;

  const int v = ctx.values.GameVersion;
  for (const std::int16_t s : VersionSlots(ctx.catalogue, v)) {
    const std::string& name = ctx.catalogue.SoundFileName(v, s);
    // Found as the Working Folder's loader finds it: letter case does not matter.
    std::error_code ec;
    if (!fs::is_regular_file(ToPath(FindEntryIgnoringCase(set, name)), ec)) {
      WarnOk(ctx, MissingSoundMessage(name));
      return;
    }
  }
  LoadEngineSounds(ctx, set);
}

void FrmDirPtr2::Load(FinderModel& m) {
  m.kind = FinderKind::SoundSet;
  m.caption = "Sound Set Finder";
  m.label.clear();
  m.hasFileList = false;
  m.pattern.clear();
  const std::string setsFolder = SoundSetsFolderPath(ctx_.values);
  m.dirPath = IsFolder(setsFolder) ? setsFolder : ctx_.values.ProgramFolder;
  m.fileName.clear();
  m.actions = {{"Select", true, true}};
  m.cancel = {"Cancel", true, true};
  m.closeRequested = false;
}

void FrmDirPtr2::Action(FinderModel& m, int index) {
  if (index != 0) return;
  ctx_.values.SelectedSoundSet = m.dirPath;
  ctx_.values.FinderConfirmed = true;
  m.closeRequested = true;
}

void FrmDirPtr2::Cancel(FinderModel& m) {
  ctx_.values.SelectedSoundSet.clear();
  ctx_.values.FinderConfirmed = false;
  m.closeRequested = true;
}

}  // namespace revalorn
