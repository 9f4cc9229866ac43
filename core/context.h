#pragma once
// Everything a handler works with: the shared values, the catalogue, the main window's
// control model, and the seams to the outside (prompts, clock, settings store, sound
// output). The program makes one Context for its whole life; each test makes its own.

#include "catalogue/catalogue.h"
#include "core/clock.h"
#include "core/control_model.h"
#include "core/globals.h"
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

  // Ends the program at once (a "Quit" button, Reset, a fatal start-up condition).
  void EndProgram() {
    values.ProgramEnded = true;
    prompts.EndProgram();
  }
};

}  // namespace revalorn
