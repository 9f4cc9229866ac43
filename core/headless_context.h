#pragma once
// A Context for programs that run without a window (revalorn-cli, benchmarks, fuzzers): message boxes are answered with
// their last button and kept, finders close at once, the busy pointer and the sound
// output do nothing, and settings stay in memory.

#include <string>
#include <vector>

#include "core/context.h"

namespace revalorn {

class HeadlessPrompts final : public Prompts {
 public:
  MsgResult MsgBox(std::string_view text, MsgButtons buttons, MsgIcon icon, MsgDefault defaultButton) override;
  std::string InputBox(std::string_view prompt, std::string_view defaultText) override;
  void ShowFinder(FinderLogic& logic, FinderModel& model) override;
  void SetBusyCursor(bool /*busy*/) override {}
  void ProcessEvents() override {}
  void EndProgram() override {}

  std::vector<std::string> messages;  // every message box's text, in order
};

class SilentSoundOutput final : public SoundOutput {
 public:
  bool Init() override { return false; }
  void Load(std::string_view /*path*/) override {}
  void Play(bool /*looping*/, std::int32_t /*volume*/) override {}
  void Stop() override {}
  void SetVolume(std::int32_t /*volume*/) override {}
  void SetFrequency(std::int32_t /*frequencyHz*/) override {}
  void Shutdown() override {}
};

struct HeadlessContext {
  HeadlessContext() : ctx(prompts, clock, settings, sound) {}

  HeadlessPrompts prompts;
  VirtualClock clock;
  MemorySettingsBackend settings;
  SilentSoundOutput sound;
  Context ctx;
};

}  // namespace revalorn
