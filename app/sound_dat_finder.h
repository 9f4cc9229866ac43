#pragma once
// The sound.dat finder, "GPL Sound.DAT Finder": the player points the program at the
// game's sound folder, recognised by the sound.dat archive listed in it. Its result is
// LastUsedGPLPath (in memory and in the settings) and FinderConfirmed.

#include <string_view>

#include "core/context.h"
#include "core/prompts.h"

namespace revalorn {

inline constexpr std::string_view kSoundDatFinderCaption = "GPL Sound.DAT Finder";
inline constexpr std::string_view kSoundDatFinderLabel = "Select GPL Sound.dat file";
inline constexpr std::string_view kSoundDatPattern = "sound.dat";

class FrmFileManager4 final : public FinderLogic {
 public:
  explicit FrmFileManager4(Context& ctx) : ctx_(ctx) {}

  // Starts in LastUsedGPLPath when it exists, else in the program folder; lists only
  // "sound.dat"; "Select" disabled; the cancel button reads "Cancel" when the finder
  // was opened from a menu and "Quit" at start-up.
  void Load(FinderModel& m) override;
  // "Select" (and a double-click on the listed sound.dat): the listed folder becomes
  // LastUsedGPLPath, is written to the settings, and the finder closes confirmed.
  void Action(FinderModel& m, int index) override;
  // "Cancel" closes unconfirmed; "Quit" ends the program at once.
  void Cancel(FinderModel& m) override;
  // The close box counts as the cancel button, so at start-up it quits: nothing works
  // without a game sound folder.

 private:
  Context& ctx_;
};

// Shows the sound.dat finder modally through ctx.prompts and returns when it has
// closed (or the program has been ended from it).
void ShowSoundDatFinder(Context& ctx);

}  // namespace revalorn
