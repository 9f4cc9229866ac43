#pragma once
// The sound output as the rest of the program uses it: one device and at most one
// sound buffer. The DSound operations below forward to the SoundOutput the Context
// holds; the real output (playback/) mixes through SDL2, tests use a recording double.

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace revalorn {

struct Context;

// A failure reported by the platform to Stop, SetVolume or SetFrequency, passed on to
// the caller (e.g. a frequency outside the range the output accepts).
class SoundOutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Opens the output device. On failure shows "Could not initialize DirectSound 8."
  // (critical icon) and returns false.
  virtual bool Init() = 0;
  // Stops and releases the current buffer, then loads a PCM WAV file into a new one. On
  // failure shows "Could not load sound." (exclamation icon) and leaves no buffer.
  virtual void Load(std::string_view path) = 0;
  // Sets the volume, then plays from the start, looping or once. On failure (including
  // no buffer) shows "Could not play sound." (information icon).
  virtual void Play(bool looping, std::int32_t volume) = 0;
  // Stop, volume (hundredths of a decibel, 0 = the file's level, negative quieter) and
  // frequency (Hz) do nothing without a buffer; a platform failure throws
  // SoundOutputError.
  virtual void Stop() = 0;
  virtual void SetVolume(std::int32_t volume) = 0;
  virtual void SetFrequency(std::int32_t frequencyHz) = 0;
  // Stops and releases everything.
  virtual void Shutdown() = 0;
  // Plays a complete WAV file image from memory once, in the background, beside the
  // sound buffer (Load, Stop and the buffer's volume do not touch it); returns at once.
  // Another call replaces a sound still playing this way. An image that cannot be
  // played is not heard, without a message. The bytes are not needed after the call.
  virtual void PlayMemorySound(std::span<const std::uint8_t> wavImage) { (void)wavImage; }
};

bool DSoundInit(Context& ctx);
void DSoundLoad(Context& ctx, std::string_view path);
void DSoundPlay(Context& ctx, bool looping, std::int32_t volume);
void DSoundStop(Context& ctx);
void DSoundSetVolume(Context& ctx, std::int32_t volume);
void DSoundSetFrequency(Context& ctx, std::int32_t frequencyHz);
void DSoundShutdown(Context& ctx);

}  // namespace revalorn
