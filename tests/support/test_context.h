#pragma once
// A Context for logic tests: scripted prompts, a virtual clock, settings in memory, a
// recording sound output, a built catalogue, and a real temporary program folder.

#include "core/context.h"
#include "tests/support/recording_sound_output.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

namespace revalorn::testing {

struct TestContext {
  TestContext();

  TempDir dir;  // holds "program" (the program folder) and whatever the test adds
  ScriptedPrompts prompts;
  VirtualClock clock;
  MemorySettingsBackend settings;
  RecordingSoundOutput sound;
  Context ctx;

  Globals& values() { return ctx.values; }
  ControlModel& controls() { return ctx.controls; }
};

}  // namespace revalorn::testing
