#pragma once
// The commands around the main window's life: About, the settings reset, and the way
// the program ends. The quit routine is the one place where unsaved replacements are
// guarded and where the slider positions are written back to the settings; every path
// that ends the program with replacements possibly unsaved goes through it.

#include <string>
#include <string_view>

#include "core/version.h"

namespace revalorn {

struct Context;

inline constexpr std::string_view kResetWarning =
    "This will delete your Revalorn Registry settings.  You will have to restart and initialize.";
inline constexpr std::string_view kQuitQuestion =
    "You have changed some of your sounds without saving them.  Are you sure you want to quit?";

// "v" + major + "." + minor + "." + revision + " by " + company: "v6.0.0 by Quillmoor".
std::string AboutText(const ProgramVersion& version, std::string_view companyName);

// Help, "About Revalorn": the program's version and maker (OK, information icon).
void MnuAbout_Click(Context& ctx);
// The same for another version (the tests' way of checking the number format).
void MnuAbout_Click(Context& ctx, const ProgramVersion& version);

// Tool Box, "Reset Registry Settings": after OK, deletes every stored setting and ends
// the program at once, without the quit routine, so nothing is written back. Cancel
// changes nothing.
void MnuReset_Click(Context& ctx);

// The quit routine. Asks before unsaved replacements are dropped; any answer but Yes
// returns false and the program goes on (a close of the main window is then refused).
// Otherwise writes "lVolume" and "lTimingDelay" from the two sliders, releases the
// sound output and the input devices, lets pending window events run once and ends the
// program: returns true. A step that fails is skipped.
bool QuitRoutine(Context& ctx);

// File, "Exit": the quit routine.
void Mnuexit_Click(Context& ctx);

}  // namespace revalorn
