#pragma once
// The output device on SDL2: the default output, 32-bit float stereo at 48000 Hz where
// the device allows it (at the device's own rate otherwise), 512-frame periods. SDL's
// audio thread calls the mixer with SDL's device lock held; the sound output takes the
// same lock only to change a few values, so neither side waits for long.
//
// SDL reports a lost output (an unplugged headset; a failed write of the `disk` driver)
// by no longer calling the device "playing"; Lost() tells it without consuming events,
// so the program's event loop keeps its own.

#include <cstdint>

#include "playback/audio_device.h"

namespace revalorn {

class SdlAudioDevice final : public AudioDevice {
 public:
  SdlAudioDevice() = default;
  ~SdlAudioDevice() override;
  SdlAudioDevice(const SdlAudioDevice&) = delete;
  SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

  bool Open(AudioRenderer& renderer, std::string& error) override;
  bool IsOpen() const override { return id_ != 0; }
  AudioFormat Format() const override { return format_; }
  void Lock() override;
  void Unlock() override;
  bool Lost() override;
  void Close() override;

  // The number of periods SDL has asked for since Open.
  std::int64_t Periods() const;

 private:
  static void Callback(void* self, std::uint8_t* stream, int bytes);

  std::uint32_t id_ = 0;
  AudioFormat format_;
  AudioRenderer* renderer_ = nullptr;
  std::int64_t periods_ = 0;  // written by the audio thread under the device lock
};

}  // namespace revalorn
