#pragma once
// The mixer behind the sound output: one voice for the sound buffer, one for a sound
// played from memory (the start-up sound), and a few voices that only fade out what was
// stopped or replaced. Every voice changes pitch by playback frequency through a
// band-limited variable-ratio converter (libsamplerate's sinc converters), so a sound
// played far above its own rate does not fold back into the audible band, and one
// played far below it shows no images. A changed frequency ramps smoothly across the
// next rendered block.
//
// No clicks: a start, a stop and every volume change ramp the gain linearly over
// RampFrames() (2.5 ms, within 64..256 frames); a loop is fed to the converter as one
// continuous stream, so its seam is interpolated like any other sample.
//
// Threads: the mixer is not thread-safe. The device calls Render with its lock held;
// every other call is made under the same lock (AudioDevice::Lock) and only assigns a
// few values. Render never allocates or frees. Sounds are handed over as raw pointers:
// their owner keeps them alive while UsesSound says they are in use.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "playback/audio_device.h"
#include "playback/wav_decoder.h"

struct SRC_STATE_tag;

namespace revalorn {

// A decoded sound ready to play. samples holds one pass of `frames` frames; a short
// sound is stored repeated a whole number of times, so that a loop hands the
// converter long runs.
struct MixerSound {
  int channels = 1;
  double sampleRate = 0;
  std::size_t frames = 0;
  std::vector<float> samples;
  std::size_t StoredFrames() const { return samples.size() / static_cast<std::size_t>(channels); }
};

// Throws std::bad_alloc when memory runs out.
std::shared_ptr<const MixerSound> MakeMixerSound(DecodedWav wav);

// libsamplerate's sinc converters. Fastest already meets the quality targets
// (see tests/playback/mixer_quality_test.cpp) at half the cost of Medium.
enum class ResamplerQuality { Fastest, Medium, Best };

class Mixer final : public AudioRenderer {
 public:
  // Throws std::runtime_error when the converters cannot be created.
  explicit Mixer(ResamplerQuality quality = ResamplerQuality::Fastest);
  ~Mixer() override;
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // AudioRenderer
  void Prepare(const AudioFormat& format) override;
  void Render(float* out, std::size_t frames) override;
  bool Silent() const override;

  int OutputRate() const { return outputRate_; }
  int RampFrames() const { return rampFrames_; }

  // --- The sound buffer -----------------------------------------------------------
  // Replaces the buffer's sound (nullptr: no sound). A playing sound fades out. The new
  // one is stopped, at gain 1 and at its own rate.
  void SetSound(const MixerSound* sound);
  // Starts the sound from its beginning, looping or once; a sound already playing (and
  // not being stopped) goes on where it is and only takes the new looping flag.
  void Play(bool looping);
  // Fades the sound out; it is then stopped.
  void Stop();
  // Linear gain, ramped while playing.
  void SetGain(float gain);
  // Playback frequency in Hz: the rate at which the sound's frames are played.
  void SetFrequency(double hz);
  // True while the buffer's sound is playing (a once-played sound stops by itself).
  bool BufferPlaying() const;

  // --- A sound played once from memory, beside the buffer ----------------------------
  // Plays sound once at its own rate and gain 1; one already playing this way fades out.
  void PlayOnce(const MixerSound* sound);

  // Fades out everything; the buffer keeps its sound, stopped.
  void StopAll();
  // Stops everything at once, without fading: only while no device pulls frames (a
  // device being reopened or closed). The buffer keeps its sound, stopped.
  void Reset();
  // True while any voice, sounding or not, still refers to sound.
  bool UsesSound(const MixerSound* sound) const;

 private:
  enum class Role { Free, Buffer, Once, Tail };
  struct Voice {
    Mixer* mixer = nullptr;
    Role role = Role::Free;
    const MixerSound* sound = nullptr;
    bool playing = false;
    bool looping = false;
    bool fadingOut = false;
    bool restart = true;     // reset the converters before the next read
    bool slow = false;       // reading through the upsampling pre-stage
    double frequency = 0;    // Hz
    double playhead = 0;     // source frame being heard, for a change of path
    std::size_t pos = 0;     // next source frame handed to the converter
    float level = 1;         // the gain asked for
    float gain = 0;          // the gain of the last frame rendered
    float gainStep = 0;
    int rampLeft = 0;
    std::array<SRC_STATE_tag*, 2> src{};  // by channel count: the pitch converter
    std::array<SRC_STATE_tag*, 2> pre{};  // by channel count: fixed upsampler for very low frequencies
    std::vector<float> preOut;            // what the pre-stage produced for src
  };

  void DeleteConverters();
  static long ReadSource(void* voice, float** data);
  static long ReadPitchInput(void* voice, float** data);
  int FreeVoice();
  void Start(Voice& v, const MixerSound* sound, bool looping, double frequency, float level);
  void FadeOut(Voice& v);
  void RampTo(Voice& v, float target);
  void Release(Voice& v);
  void SwitchPath(int index);
  void RenderVoice(int index, float* out, std::size_t frames);

  static constexpr int kVoices = 6;
  static constexpr std::size_t kChunk = 256;
  std::array<Voice, kVoices> voices_;
  int buffer_ = 0;  // the voice holding the buffer's sound
  int once_ = -1;   // the voice playing from memory, -1 when none
  int outputRate_ = 48000;
  int outputChannels_ = 2;
  int rampFrames_ = 120;
  int slowFactor_ = 2;
  std::vector<float> scratch_;
};

}  // namespace revalorn
