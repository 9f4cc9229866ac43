#pragma once
// A SoundOutput double: records every call in order and can be told to fail.

#include <algorithm>
#include <string>
#include <vector>

#include "core/sound_output.h"

namespace revalorn::testing {

class RecordingSoundOutput final : public SoundOutput {
 public:
  struct Call {
    enum class Op { Init, Load, Play, Stop, SetVolume, SetFrequency, Shutdown, PlayMemorySound } op;
    std::string path = {};   // Load
    bool looping = false;    // Play
    std::int32_t value = 0;  // Play: volume; SetVolume: volume; SetFrequency: Hz
  };
  using Op = Call::Op;

  bool Init() override {
    calls.push_back({Op::Init});
    return initResult;
  }
  void Load(std::string_view path) override {
    calls.push_back({Op::Load, std::string(path)});
    hasBuffer = true;
    playing = false;
  }
  void Play(bool looping, std::int32_t volume) override {
    calls.push_back({Op::Play, {}, looping, volume});
    playing = hasBuffer;
  }
  void Stop() override {
    calls.push_back({Op::Stop});
    playing = false;
  }
  void SetVolume(std::int32_t volume) override { calls.push_back({Op::SetVolume, {}, false, volume}); }
  // Throws for frequencies outside [minFrequency, maxFrequency] while a sound is loaded.
  void SetFrequency(std::int32_t hz) override {
    calls.push_back({Op::SetFrequency, {}, false, hz});
    if (hasBuffer && (hz < minFrequency || hz > maxFrequency)) throw SoundOutputError("frequency out of range");
  }
  void Shutdown() override {
    calls.push_back({Op::Shutdown});
    hasBuffer = playing = false;
    if (failShutdown) throw SoundOutputError("the output could not be released");
  }
  void PlayMemorySound(std::span<const std::uint8_t> wavImage) override {
    calls.push_back({Op::PlayMemorySound});
    memorySounds.emplace_back(wavImage.begin(), wavImage.end());
  }

  // The frequencies passed to SetFrequency, in order.
  std::vector<std::int32_t> Frequencies() const {
    std::vector<std::int32_t> hz;
    for (const Call& c : calls) {
      if (c.op == Op::SetFrequency) hz.push_back(c.value);
    }
    return hz;
  }
  int Count(Op op) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [op](const Call& c) { return c.op == op; }));
  }

  std::vector<Call> calls;
  std::vector<std::vector<std::uint8_t>> memorySounds;  // the images passed to PlayMemorySound
  bool initResult = true;
  bool hasBuffer = false;
  bool playing = false;
  std::int32_t minFrequency = 100;
  std::int32_t maxFrequency = 200000;
  bool failShutdown = false;  // makes Shutdown throw SoundOutputError after recording the call
};

}  // namespace revalorn::testing
