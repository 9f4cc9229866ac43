// Sound files come from anywhere. Decoding one must never read outside its bytes, and
// whatever it yields must be safe to play: the right number of finite samples in range,
// which the mixer then plays (looped, at the file's own rate) without fault.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "playback/mixer.h"
#include "playback/wav_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto wav = revalorn::DecodeWav(std::span<const std::uint8_t>(data, size));
  if (!wav) return 0;
  if (wav->channels < 1 || wav->channels > 2 || wav->frames == 0 || wav->sampleRate == 0) std::abort();
  if (wav->samples.size() != wav->frames * static_cast<std::size_t>(wav->channels)) std::abort();
  for (float v : wav->samples) {
    if (!std::isfinite(v) || std::fabs(v) > 8.0f) std::abort();
  }
  if (wav->sampleRate < 100 || wav->sampleRate > 200000) return 0;  // the sound output refuses these

  static revalorn::Mixer mixer;  // its converters are costly to make; reused for every input
  const auto sound = revalorn::MakeMixerSound(*wav);
  mixer.SetSound(sound.get());
  mixer.Play(true);
  std::vector<float> out(2 * 512);
  mixer.Render(out.data(), 512);
  mixer.Reset();
  mixer.SetSound(nullptr);
  for (float v : out) {
    if (!std::isfinite(v) || std::fabs(v) > 1.0f) std::abort();
  }
  return 0;
}
