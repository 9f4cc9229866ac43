#pragma once
// Everything a handler works with: the shared values, the catalogue, the main window's
// control model, and the seams to the outside (prompts, clock, settings store, sound
// output, game controllers). The program makes one Context for its whole life; each
// test makes its own.

#include <functional>

#include "catalogue/catalogue.h"
#include "core/clock.h"
#include "core/control_model.h"
#include "core/globals.h"
#include "core/input_devices.h"
#include "core/prompts.h"
#include "core/random_source.h"
#include "core/sound_output.h"
#include "settings/settings_store.h"

namespace revalorn {

struct Context {
  Context(Prompts& prompts_, Clock& clock_, SettingsBackend& settings_, SoundOutput& sound_)
      : prompts(prompts_), clock(clock_), settings(settings_), sound(sound_) {}
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  Globals values;
  Catalogue catalogue;
  ControlModel controls;

  Prompts& prompts;
  Clock& clock;
  SettingsBackend& settings;
  SoundOutput& sound;
  // Random draws (the stock sound picked for a missing engine sound). Tests replace it.
  RandomSource random = ClockSeededRandom;
  // The game controllers. The program points this at its SDL2 back end; until then, and
  // in tests that do not set it, no controller is attached.
  InputDevices* input = &NoInputDevices();
  // The quit routine, for code that must end the program the way closing the window
  // does (asking about unsaved sounds first). Returns true when the program is ending,
  // false when the player chose to keep it running. The program sets it; until then it
  // ends the program at once.
  std::function<bool()> RequestQuit = [this] {
    EndProgram();
    return true;
  };

  // Ends the program at once (a "Quit" button, Reset, a fatal start-up condition).
  void EndProgram() {
    values.ProgramEnded = true;
    prompts.EndProgram();
  }
};

}  // namespace revalorn
