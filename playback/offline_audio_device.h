#pragma once
// An output device without hardware: it renders the mixer's frames into memory when
// told to, on the caller's thread. The sound output runs on it unchanged, so tests,
// benchmarks and the command-line renderer hear exactly what a player would.
//
// Time: frame 0 is at originMs on the clock's time axis (0, the start of a
// VirtualClock, unless set); the frames up to time t are floor((t - originMs) × rate /
// 1000). RenderAndAdvance follows a VirtualClock: before each callback that falls due
// it renders the frames up to that moment, so a change a callback makes (a new
// frequency at each Auto Play step) is heard from that millisecond on.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/clock.h"
#include "playback/audio_device.h"

namespace revalorn {

class OfflineAudioDevice final : public AudioDevice {
 public:
  explicit OfflineAudioDevice(AudioFormat format = AudioFormat{});

  bool Open(AudioRenderer& renderer, std::string& error) override;
  bool IsOpen() const override { return renderer_ != nullptr; }
  AudioFormat Format() const override { return format_; }
  void Lock() override {}
  void Unlock() override {}
  bool Lost() override { return IsOpen() && lost_; }
  void Close() override { renderer_ = nullptr; }

  // Renders frames (in device periods) and appends them to Output(). Nothing happens
  // while the device is closed.
  void RenderFrames(std::size_t frames);
  // Renders the frames up to time ms.
  void RenderUntilMs(std::int64_t ms);
  // Renders the frames of the next ms milliseconds after the last RenderMs/RenderUntilMs.
  void RenderMs(std::int64_t ms);
  // Advances clock by ms, rendering each stretch of frames before the callback at its
  // end runs.
  void RenderAndAdvance(VirtualClock& clock, std::int64_t ms);

  void SetOriginMs(std::int64_t ms) { originMs_ = ms; }
  std::size_t FramesRendered() const { return framesRendered_; }
  // Everything rendered so far, interleaved.
  const std::vector<float>& Output() const { return output_; }
  // One channel of Output().
  std::vector<float> Channel(int channel) const;
  void ClearOutput() { output_.clear(); }

  // For tests of failure paths: the next Open fails; the open output is lost.
  bool failOpen = false;
  void SimulateLoss() { lost_ = true; }
  int openCount = 0;

 private:
  AudioFormat format_;
  AudioRenderer* renderer_ = nullptr;
  bool lost_ = false;
  std::int64_t originMs_ = 0;
  std::int64_t cursorMs_ = 0;
  std::size_t framesRendered_ = 0;
  std::vector<float> output_;
};

}  // namespace revalorn
