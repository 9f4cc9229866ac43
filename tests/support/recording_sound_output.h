#pragma once
// A SoundOutput double: records every call in order and can be told to fail.

#include <string>
#include <vector>

#include "core/sound_output.h"

namespace revalorn::testing {

class RecordingSoundOutput final : public SoundOutput {
 public:
  struct Call {
    enum class Op { Init, Load, Play, Stop, SetVolume, SetFrequency, Shutdown, PlayMemorySound } op;
    std::string path;        // Load
    bool looping = false;    // Play
    std::int32_t value = 0;  // Play: volume; SetVolume: volume; SetFrequency: Hz
  };

  bool Init() override;
  void Load(std::string_view path) override;
  void Play(bool looping, std::int32_t volume) override;
  void Stop() override;
  void SetVolume(std::int32_t volume) override;
  void SetFrequency(std::int32_t frequencyHz) override;
  void Shutdown() override;
  void PlayMemorySound(std::span<const std::uint8_t> wavImage) override;

  // The frequencies passed to SetFrequency, in order.
  std::vector<std::int32_t> Frequencies() const;
  // How many calls of one kind were made.
  int Count(Call::Op op) const;

  std::vector<Call> calls;
  // The images passed to PlayMemorySound, in order.
  std::vector<std::vector<std::uint8_t>> memorySounds;
  bool initResult = true;
  bool hasBuffer = false;
  bool playing = false;
  // Makes SetFrequency throw for frequencies outside [minFrequency, maxFrequency].
  std::int32_t minFrequency = 100;
  std::int32_t maxFrequency = 200000;
  // Makes Shutdown throw SoundOutputError (after recording the call).
  bool failShutdown = false;
};

}  // namespace revalorn::testing
