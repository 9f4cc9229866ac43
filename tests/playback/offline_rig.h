#pragma once
// The sound output on the offline device, with scripted prompts and a temporary folder
// for WAV files: what the player would hear, rendered into memory.

#include <string>
#include <vector>

#include "playback/dsound.h"
#include "playback/offline_audio_device.h"
#include "tools/gamefiles/wav_fixture.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/temp_dir.h"

namespace revalorn::testing {

struct OfflineRig {
  explicit OfflineRig(AudioFormat format = AudioFormat{}, ResamplerQuality quality = ResamplerQuality::Fastest)
      : device(format), sound(prompts, device, quality) {
    sound.Init();
  }

  // Writes a WAV file into the temporary folder and returns its path.
  std::string Wav(const std::string& name, const fixtures::WavSpec& spec, const std::vector<double>& samples) {
    const std::string path = dir.Sub(name);
    WriteBinaryFile(path, fixtures::MakeWav(spec, samples));
    return path;
  }
  // A looping float tone file at 22050 Hz, one second long (a whole number of periods
  // of every tone used here).
  std::string Tone(double hz, double amplitude = 0.5) {
    return Wav("tone" + std::to_string(static_cast<int>(hz)) + ".wav", {22050, 1, 32, fixtures::WavEncoding::Float},
               fixtures::Tone(hz, 22050, 22050, amplitude));
  }
  // Renders frames and returns the left channel of just those frames.
  std::vector<float> Render(std::size_t frames) {
    const std::size_t from = device.Output().size() / static_cast<std::size_t>(device.Format().channels);
    device.RenderFrames(frames);
    std::vector<float> left = device.Channel(0);
    return {left.begin() + static_cast<std::ptrdiff_t>(from), left.end()};
  }

  TempDir dir;
  ScriptedPrompts prompts;
  OfflineAudioDevice device;
  DSound sound;
};

}  // namespace revalorn::testing
