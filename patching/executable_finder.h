#pragma once
// The executable finder ("GPL Executable Finder"): the modal dialog in which the player
// picks the game executable to patch. It starts in the game's folder, lists the ".exe"
// files, refuses by name the three executables that are never patched and refuses
// files that are no recognised game executable. It hands the choice back through
// ExecutableFolder, ExecutableName, CurrentExecutableKind and FinderConfirmed.

#include <string>
#include <string_view>

#include "core/context.h"
#include "core/prompts.h"

namespace revalorn {

// The file names refused outright, compared exactly (letter case included) with the file
// name alone: "gpl.exe", "gplc66.exe", "gplcGT.exe".
bool IsRefusedExecutableName(std::string_view fileName) noexcept;

// The folder the finder starts in for the game's sound folder: the folder above it when
// the sound folder's name ends in a separator and "sound" in lower case, else the sound
// folder itself.
std::string ExecutableStartFolder(std::string_view gameSoundFolder);

class FrmFileManager2 final : public FinderLogic {
 public:
  explicit FrmFileManager2(Context& ctx) : ctx_(ctx) {}

  void Load(FinderModel& m) override;
  void Action(FinderModel& m, int index) override;  // "Select"
  void Cancel(FinderModel& m) override;

 private:
  Context& ctx_;
};

}  // namespace revalorn
