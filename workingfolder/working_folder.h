#pragma once
// The Working Folder beside the program and the two lists of the "Engine Sound" frame.
// The program never plays or edits the game's own sound files: picking a game version
// copies every engine sound of that version into the Working Folder, where playback,
// replacement and reversion work on the copies until Save All writes them back.

#include <string>
#include <string_view>

namespace revalorn {

struct Context;
struct Globals;

inline constexpr std::string_view kWorkingFolderName = "Working Folder";

// The program folder's "Working Folder".
std::string WorkingFolderPath(const Globals& values);

// The version list (Combo2) was clicked, by the player or by start-up: switches the
// whole program to the version at the list's index. Fills the engine list (which
// selects its first entry), restores missing sounds from sound.dat, copies the version's
// sounds from the game sound directory into the Working Folder and shows the version's
// background.
void Combo2_Click(Context& ctx);

// The engine sound list (Combo1) was clicked or refilled: shows the selected sound's file
// name, whether it can be reverted, and the car's picture; playback follows the current
// version from here on.
void Combo1_Click(Context& ctx);

// Rebuilds the engine sound list for the current version: its car labels, then the
// three trainer entries. Selects the first entry, which runs Combo1_Click.
void FillEngineList(Context& ctx);

// Copies every sound of the current version's slots from folder into the Working Folder,
// reading each one's sample rate and clearing its changed flag, then sets the buttons of
// an idle program with fresh copies. A step that fails is skipped: a missing source
// leaves that slot's sample rate and working copy as they were.
void LoadEngineSounds(Context& ctx, std::string_view folder);

}  // namespace revalorn
