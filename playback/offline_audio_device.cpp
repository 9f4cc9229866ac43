#include "playback/offline_audio_device.h"

#include <algorithm>

namespace revalorn {

OfflineAudioDevice::OfflineAudioDevice(AudioFormat format) : format_(format) {
  format_.sampleRate = std::max(1, format_.sampleRate);
  format_.channels = std::max(1, format_.channels);
  format_.periodFrames = std::max(1, format_.periodFrames);
}

bool OfflineAudioDevice::Open(AudioRenderer& renderer, std::string& error) {
  ++openCount;
  if (failOpen) {
    error = "the output cannot be opened";
    return false;
  }
  renderer.Prepare(format_);
  renderer_ = &renderer;
  lost_ = false;
  return true;
}

void OfflineAudioDevice::RenderFrames(std::size_t frames) {
  if (!renderer_) return;
  const auto channels = static_cast<std::size_t>(format_.channels);
  const auto period = static_cast<std::size_t>(format_.periodFrames);
  while (frames > 0) {
    const std::size_t n = std::min(frames, period);
    const std::size_t at = output_.size();
    output_.resize(at + n * channels);
    renderer_->Render(output_.data() + at, n);
    framesRendered_ += n;
    frames -= n;
  }
}

void OfflineAudioDevice::RenderUntilMs(std::int64_t ms) {
  cursorMs_ = std::max(cursorMs_, ms);
  if (ms <= originMs_) return;
  const auto target = static_cast<std::size_t>((ms - originMs_) * format_.sampleRate / 1000);
  if (target > framesRendered_) RenderFrames(target - framesRendered_);
}

void OfflineAudioDevice::RenderMs(std::int64_t ms) { RenderUntilMs(std::max(cursorMs_, originMs_) + ms); }

void OfflineAudioDevice::RenderAndAdvance(VirtualClock& clock, std::int64_t ms) {
  const std::int64_t end = clock.NowMs() + ms;
  while (clock.PendingCount() > 0 && clock.NextDueMs() <= end) {
    RenderUntilMs(std::max(clock.NowMs(), clock.NextDueMs()));
    clock.RunNext();
  }
  RenderUntilMs(end);
  clock.AdvanceBy(end - clock.NowMs());
}

std::vector<float> OfflineAudioDevice::Channel(int channel) const {
  std::vector<float> out;
  const auto channels = static_cast<std::size_t>(format_.channels);
  out.reserve(output_.size() / channels);
  for (std::size_t i = static_cast<std::size_t>(channel); i < output_.size(); i += channels) out.push_back(output_[i]);
  return out;
}

}  // namespace revalorn
