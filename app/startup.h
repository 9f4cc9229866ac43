#pragma once
// The main window's load handler, Form_Load: everything the program does before the
// player can touch it, in a fixed order. It checks the screen, scales and centres the
// window, shows the splash box, builds the catalogue and the tachometers, recognises a
// new install or a major update, makes sure the game's sound folder with sound.dat is
// known, selects "1967 Original Unpatched" (which fills the Working Folder), brings up
// the input and sound devices, restores the two sliders and plays the start-up sound.
//
// The few things only the window can do (the screen size, scaling the widgets, the
// splash box, the built-in sound's bytes among the program's resources) come through
// StartupHost; everything else goes through the Context.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/context.h"
#include "core/version.h"

namespace revalorn {

struct ScreenPixels {
  int width = 0;
  int height = 0;
};

// What start-up needs from the window side.
class StartupHost {
 public:
  virtual ~StartupHost() = default;
  // The width and height in pixels of the screen the main window is on.
  virtual ScreenPixels ScreenSize() = 0;
  // ResizeForResolution(scaleX, scaleY, main window), then puts the window in the
  // middle of the screen. The factors are also the ones every dialog is scaled by.
  virtual void ScaleAndCentreMainWindow(float scaleX, float scaleY) = 0;
  // Shows the splash box, scaled by the factors, without waiting for it.
  virtual void ShowSplash(float scaleX, float scaleY) = 0;
  // Closes the splash box; nothing happens when the player closed it already. Must not
  // throw.
  virtual void CloseSplash() = 0;
  // The built-in start-up sound, a complete PCM WAV image; empty when it cannot be read.
  virtual std::vector<std::uint8_t> BuiltInStartupSound() = 0;
};

inline constexpr int kMinimumScreenHeight = 600;
inline constexpr std::string_view kStartupSoundFileName = "StartupSound.wav";

inline constexpr std::string_view kScreenTooSmallText =
    "Revalorn does not support screen resolutions less than 800x600.  You should increase your screen "
    "resolution if possible.";
inline constexpr std::string_view kNewInstallText =
    "This is a new install of Revalorn.  You should initialize your settings.";
inline constexpr std::string_view kMajorUpdateText =
    "This is a major update to Revalorn.  You should reinitialize your settings";
inline constexpr std::string_view kSoundDirMissingText =
    "The GPL Sound directory can't be found or is missing the Sound.dat file.  Please reselect.";

// Runs the start-up sequence once. Stops at once when the program is ended on the way
// (screen too small, "Quit" or the close box in the sound.dat finder, no sound output):
// ctx.values.ProgramEnded then tells the caller not to run the event loop. `version` is
// the running program's version (tests pass others).
void Form_Load(Context& ctx, StartupHost& host, const ProgramVersion& version = CurrentProgramVersion());

// The slider position a stored setting asks for. Stored positions are whole numbers in
// the slider's range; anything else a hand-edited or damaged settings file may hold is
// made usable: a number is rounded to whole (halves to even) and clamped to min..max,
// text that is not a number gives `fallback`.
int StoredSliderPosition(std::string_view text, int min, int max, int fallback);

}  // namespace revalorn
