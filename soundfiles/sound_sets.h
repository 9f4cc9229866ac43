#pragma once
// Sound sets: named snapshots of the current version's working copies, kept as one
// folder per set in "Sound Sets" beside the program. Saving a set never touches the
// game; a loaded set reaches the game only through Save All.

#include <optional>
#include <string>
#include <string_view>

#include "core/prompts.h"

namespace revalorn {

struct Context;
struct Globals;

inline constexpr std::string_view kSoundSetsFolderName = "Sound Sets";
inline constexpr std::string_view kSoundSetNamePrompt = "Enter a name for your sound set directory.";
inline constexpr std::string_view kSoundSetDefaultName = "My Sound Set";
inline constexpr std::string_view kSoundSetOverwriteQuestion =
    "That sound set already exits.  Do you want to overwrite it?";

// The program folder's "Sound Sets".
std::string SoundSetsFolderPath(const Globals& values);

// Why a name cannot be a sound set's folder name, or nothing when it can. A set's name
// must be one folder name that every system the player may copy the sets to can hold:
// not empty, not "." or "..", no path separator, none of < > : " / \ | ? * nor a control
// character, and not ending in a dot or a space.
std::optional<std::string> SoundSetNameProblem(std::string_view name);

// The "Missing sound" message of a set that lacks the file called name.
std::string MissingSoundMessage(std::string_view name);

// File, "Save Sound Set": asks for a name and copies the current version's working
// copies into that set's folder, asking before it overwrites an existing set.
void MnuSaveSoundSet_Click(Context& ctx);

// File, "Load Sound Set": the player picks a set folder in the Sound Set Finder; a set
// that holds every sound of the current version is loaded into the Working Folder.
void MnuLoadSoundSet_Click(Context& ctx);

// The Sound Set Finder's logic: folders only, one "Select" button that is never
// disabled. Select chooses the folder list's current folder; Cancel and the close box
// choose nothing.
class FrmDirPtr2 final : public FinderLogic {
 public:
  explicit FrmDirPtr2(Context& ctx) : ctx_(ctx) {}

  void Load(FinderModel& m) override;
  void DriveChanged(FinderModel&) override {}
  void FolderChanged(FinderModel&) override {}
  void FileClicked(FinderModel&) override {}
  void FileDoubleClicked(FinderModel&) override {}
  void Action(FinderModel& m, int index) override;
  void Cancel(FinderModel& m) override;

 private:
  Context& ctx_;
};

}  // namespace revalorn
