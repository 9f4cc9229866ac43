#pragma once
// Moving engine sounds between the loaded replacement, the working copies in the
// Working Folder and the game's sound directory: Replace and Revert of the selected
// sound, Save All and Revert All of the current version, and the changed flags that
// drive the Revert button, the Revert All Sounds menu item and the question at quit.
//
// A copy that fails is told to the player by file name and loses nothing: the file it
// would have replaced stays whole, and the slot keeps its working copy, sample rate and
// changed flag.

#include <string_view>

namespace revalorn {

struct Context;

inline constexpr std::string_view kReplaceQuestion = "Are you sure you want to replace this sound?";
inline constexpr std::string_view kRevertQuestion = "Are you sure you want to revert this sound?";
inline constexpr std::string_view kSaveAllQuestion =
    "Are you sure you want to save all these sounds to your GPL Sound Folder?";
inline constexpr std::string_view kRevertAllQuestion = "Are you sure you want to revert all sounds?";

// "Replace": stops the sound, asks, and copies the replacement over the selected sound's
// working copy, which the sound output then holds. Flags the selected slot only, even
// when another slot shares its working copy.
void CmdReplace_Click(Context& ctx);

// "Revert": stops the sound, asks, and copies the game's file over the selected sound's
// working copy.
void CmdRevert_Click(Context& ctx);

// File, "Save All Sounds To GPL Sound Directory": asks, then copies every working copy
// of the current version into the game's sound directory, changed or not.
void MnuSaveEngineSounds_Click(Context& ctx);

// File, "Revert All Sounds": asks, then reloads every working copy of the current
// version from the game's sound directory.
void MnuRevertAll_Click(Context& ctx);

// True when at least one of the current version's sounds was replaced and not saved.
bool AnySoundChanged(const Context& ctx);

}  // namespace revalorn
