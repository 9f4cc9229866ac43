#pragma once
// The sound output: one output device, at most one sound buffer, and the eight DSound
// operations with their messages. The buffer's samples are decoded from the WAV file
// and played through the mixer at any playback frequency from kMinFrequencyHz to
// kMaxFrequencyHz; its volume is in hundredths of a decibel (gain 10^(v/2000)).
//
// A lost output (unplugged, failed) is opened afresh at the next Init, Load or Play.
//
//   SdlAudioDevice device;                // or OfflineAudioDevice to render into memory
//   DSound sound(prompts, device);
//   Context ctx(prompts, clock, settings, sound);
//   DSoundInitOrEnd(ctx);

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "core/prompts.h"
#include "core/sound_output.h"
#include "playback/audio_device.h"
#include "playback/mixer.h"

namespace revalorn {

struct Context;

inline constexpr std::int32_t kMinFrequencyHz = 100;
inline constexpr std::int32_t kMaxFrequencyHz = 200000;
inline constexpr std::int32_t kMinVolume = -10000;  // -100 dB
inline constexpr std::int32_t kMaxVolume = 0;       // the file's own level

inline constexpr std::string_view kInitFailedText = "Could not initialize DirectSound 8.";
inline constexpr std::string_view kLoadFailedText = "Could not load sound.";
inline constexpr std::string_view kPlayFailedText = "Could not play sound.";

// The linear gain of a volume in hundredths of a decibel.
float GainOfVolume(std::int32_t volume);

class DSound final : public SoundOutput {
 public:
  // Throws std::runtime_error when the mixer's converters cannot be created.
  DSound(Prompts& prompts, AudioDevice& device, ResamplerQuality quality = ResamplerQuality::Fastest);
  ~DSound() override;
  DSound(const DSound&) = delete;
  DSound& operator=(const DSound&) = delete;

  bool Init() override;
  void Load(std::string_view path) override;
  void Play(bool looping, std::int32_t volume) override;
  void Stop() override;
  void SetVolume(std::int32_t volume) override;
  void SetFrequency(std::int32_t frequencyHz) override;
  void Shutdown() override;
  void PlayMemorySound(std::span<const std::uint8_t> wavImage) override;

  bool HasBuffer() const { return buffer_ != nullptr; }
  // True while the buffer plays (a sound played once stops by itself at its end).
  bool Playing();

 private:
  bool EnsureDevice();
  bool OpenDevice();
  // Runs f(mixer_) under the device's lock, then frees the sounds the mixer let go.
  template <class F>
  void WithMixer(F&& f);

  Prompts& prompts_;
  AudioDevice& device_;
  Mixer mixer_;
  std::shared_ptr<const MixerSound> buffer_;
  // Every sound handed to the mixer, kept alive while the mixer may still read it.
  std::vector<std::shared_ptr<const MixerSound>> handedOver_;
};

// Opens the sound output; when that fails (the message has been shown), releases the
// sound objects and ends the program.
void DSoundInitOrEnd(Context& ctx);

}  // namespace revalorn
