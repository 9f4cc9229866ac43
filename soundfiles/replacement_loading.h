#pragma once
// Loading a candidate sound into the "Replacement Sound" frame: the "Load Sound" button
// and the replacement finder ("GPL Sound Finder"), where the player picks any WAV file
// and, with the same click, the racing class it is played as.

#include <string_view>

#include "core/prompts.h"

namespace revalorn {

struct Context;

// The sound output's own message for a sound it cannot use.
inline constexpr std::string_view kCouldNotLoadSound = "Could not load sound.";
// The settings value that remembers the folder of the replacement loaded last.
inline constexpr std::string_view kLastUsedSourceDirectoryValue = "LastUsedSourceDirectory";

// The replacement finder's logic. Its action buttons cmdLoad(0..2) read "F1 Sound",
// "F2 Sound" or "F2F3 Sound", and "F3 Sound"; the third shows only for an executable
// with separate F2 and F3 sounds (kinds 2, 4 and 6).
class FrmFileManager final : public FinderLogic {
 public:
  explicit FrmFileManager(Context& ctx) : ctx_(ctx) {}

  // Start folder (LastUsedSourceDirectory when it exists, else the program folder),
  // captions, "*.wav", and the three buttons disabled until a file is clicked.
  void Load(FinderModel& m) override;
  // A double-click does no more than the click.
  void FileDoubleClicked(FinderModel& m) override;
  // cmdLoad(index): a usable sound becomes the replacement, played as F1, F2 or F3; any
  // other file is refused with "Could not load sound." and the finder stays open.
  void Action(FinderModel& m, int index) override;
  // Leaves ReplacementFile and LastUsedSourceDirectory as they were.
  void Cancel(FinderModel& m) override;

 private:
  Context& ctx_;
};

// "Load Sound": stops the sound and shows the finder. Afterwards the replacement chosen
// now, or the one loaded earlier when the finder was cancelled, fills the frame: its
// name, sample rate and rev limit, and the frame's play buttons and Replace.
void CmdReplacementLoad_Click(Context& ctx);

}  // namespace revalorn
