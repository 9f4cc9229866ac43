#pragma once
// An output device as the sound output sees it: something that opens the default
// output and then pulls frames of interleaved 32-bit float samples from a renderer, one
// device period at a time, on its own thread. The SDL2 back end (playback/sdl/) is the
// real one; OfflineAudioDevice renders into memory on the caller's thread.

#include <cstddef>
#include <string>

namespace revalorn {

struct AudioFormat {
  int sampleRate = 48000;
  int channels = 2;
  int periodFrames = 512;  // frames the device asks for at a time
};

// What a device pulls from (the mixer).
class AudioRenderer {
 public:
  virtual ~AudioRenderer() = default;
  // Called by Open, before the first Render, with the format the device obtained.
  virtual void Prepare(const AudioFormat& format) = 0;
  // Fills frames × channels interleaved samples. Runs on the device's thread with the
  // device's lock held; must not wait, allocate or free.
  virtual void Render(float* out, std::size_t frames) = 0;
  // True while nothing is sounding (every voice stopped or faded out).
  virtual bool Silent() const = 0;
};

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  // Opens the default output and starts pulling from renderer. False, with a reason in
  // error, when no output can be opened.
  virtual bool Open(AudioRenderer& renderer, std::string& error) = 0;
  virtual bool IsOpen() const = 0;
  // The format obtained by Open; meaningful while open.
  virtual AudioFormat Format() const = 0;
  // Keeps Render from running while the caller changes what is rendered. Callers hold it
  // only for a few assignments; Render holds it for one period at most.
  virtual void Lock() = 0;
  virtual void Unlock() = 0;
  // True when the open output was lost (unplugged, failed) and no longer plays.
  virtual bool Lost() = 0;
  // Stops pulling and closes the output. When it returns, Render is not running and
  // will not run again until the next Open. Closing a closed device does nothing.
  virtual void Close() = 0;
};

// Holds a device's lock for the lifetime of the object.
class AudioDeviceLock {
 public:
  explicit AudioDeviceLock(AudioDevice& device) : device_(device) { device_.Lock(); }
  ~AudioDeviceLock() { device_.Unlock(); }
  AudioDeviceLock(const AudioDeviceLock&) = delete;
  AudioDeviceLock& operator=(const AudioDeviceLock&) = delete;

 private:
  AudioDevice& device_;
};

}  // namespace revalorn
