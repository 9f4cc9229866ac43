#include "tests/support/recording_sound_output.h"

#include <algorithm>

namespace revalorn::testing {

bool RecordingSoundOutput::Init() {
  calls.push_back({Call::Op::Init, {}, false, 0});
  return initResult;
}

void RecordingSoundOutput::Load(std::string_view path) {
  calls.push_back({Call::Op::Load, std::string(path), false, 0});
  hasBuffer = true;
  playing = false;
}

void RecordingSoundOutput::Play(bool looping, std::int32_t volume) {
  calls.push_back({Call::Op::Play, {}, looping, volume});
  playing = hasBuffer;
}

void RecordingSoundOutput::Stop() {
  calls.push_back({Call::Op::Stop, {}, false, 0});
  playing = false;
}

void RecordingSoundOutput::SetVolume(std::int32_t volume) { calls.push_back({Call::Op::SetVolume, {}, false, volume}); }

void RecordingSoundOutput::SetFrequency(std::int32_t frequencyHz) {
  calls.push_back({Call::Op::SetFrequency, {}, false, frequencyHz});
  if (hasBuffer && (frequencyHz < minFrequency || frequencyHz > maxFrequency)) {
    throw SoundOutputError("frequency out of range");
  }
}

void RecordingSoundOutput::Shutdown() {
  calls.push_back({Call::Op::Shutdown, {}, false, 0});
  hasBuffer = false;
  playing = false;
  if (failShutdown) throw SoundOutputError("the output could not be released");
}

void RecordingSoundOutput::PlayMemorySound(std::span<const std::uint8_t> wavImage) {
  calls.push_back({Call::Op::PlayMemorySound, {}, false, 0});
  memorySounds.emplace_back(wavImage.begin(), wavImage.end());
}

std::vector<std::int32_t> RecordingSoundOutput::Frequencies() const {
  std::vector<std::int32_t> result;
  for (const Call& c : calls) {
    if (c.op == Call::Op::SetFrequency) result.push_back(c.value);
  }
  return result;
}

int RecordingSoundOutput::Count(Call::Op op) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [op](const Call& c) { return c.op == op; }));
}

}  // namespace revalorn::testing
