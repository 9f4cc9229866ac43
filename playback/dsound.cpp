#include "playback/dsound.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/context.h"
#include "files/file_helpers.h"
#include "playback/wav_decoder.h"

namespace revalorn {

namespace {

bool PlayableRate(std::uint32_t rate) {
  return rate >= static_cast<std::uint32_t>(kMinFrequencyHz) && rate <= static_cast<std::uint32_t>(kMaxFrequencyHz);
}

void CheckVolume(std::int32_t volume) {
  if (volume < kMinVolume || volume > kMaxVolume) {
    throw SoundOutputError("volume " + std::to_string(volume) + " is outside -10000..0");
  }
}

}  // namespace

float GainOfVolume(std::int32_t volume) { return static_cast<float>(std::pow(10.0, volume / 2000.0)); }

DSound::DSound(Prompts& prompts, AudioDevice& device, ResamplerQuality quality)
    : prompts_(prompts), device_(device), mixer_(quality) {}

DSound::~DSound() { device_.Close(); }

template <class F>
void DSound::WithMixer(F&& f) {
  std::vector<std::shared_ptr<const MixerSound>>::iterator unused;
  {
    AudioDeviceLock lock(device_);
    f(mixer_);
    unused = std::stable_partition(handedOver_.begin(), handedOver_.end(), [this](const auto& s) {
      return s == buffer_ || mixer_.UsesSound(s.get());
    });
  }
  handedOver_.erase(unused, handedOver_.end());  // frees them, outside the lock
}

bool DSound::OpenDevice() {
  device_.Close();
  mixer_.Reset();
  std::string error;
  return device_.Open(mixer_, error);
}

bool DSound::EnsureDevice() {
  if (!device_.IsOpen()) return false;
  return !device_.Lost() || OpenDevice();
}

bool DSound::Init() {
  if (device_.IsOpen() && !device_.Lost()) return true;
  if (OpenDevice()) return true;
  prompts_.MsgBox(kInitFailedText, MsgButtons::Ok, MsgIcon::Critical);
  return false;
}

void DSound::Load(std::string_view path) {
  // The old buffer is stopped and released first, whatever happens next.
  buffer_.reset();
  WithMixer([](Mixer& m) { m.SetSound(nullptr); });
  try {
    ByteBuffer bytes;
    if (!EnsureDevice() || LoadFileBytes(bytes, path) == 0) throw SoundOutputError("no sound");
    auto wav = DecodeWav(bytes);
    if (!wav || !PlayableRate(wav->sampleRate)) throw SoundOutputError("not a usable WAV file");
    bytes = ByteBuffer();
    std::shared_ptr<const MixerSound> sound = MakeMixerSound(std::move(*wav));
    handedOver_.push_back(sound);
    buffer_ = sound;
    WithMixer([&sound](Mixer& m) { m.SetSound(sound.get()); });
  } catch (const std::exception&) {
    buffer_.reset();
    WithMixer([](Mixer& m) { m.SetSound(nullptr); });
    prompts_.MsgBox(kLoadFailedText, MsgButtons::Ok, MsgIcon::Exclamation);
  }
}

void DSound::Play(bool looping, std::int32_t volume) {
  try {
    if (!buffer_) throw SoundOutputError("no sound loaded");
    SetVolume(volume);
    if (!EnsureDevice()) throw SoundOutputError("no output");
    WithMixer([looping](Mixer& m) { m.Play(looping); });
  } catch (const std::exception&) {
    prompts_.MsgBox(kPlayFailedText, MsgButtons::Ok, MsgIcon::Information);
  }
}

void DSound::Stop() {
  if (!buffer_) return;
  WithMixer([](Mixer& m) { m.Stop(); });
}

void DSound::SetVolume(std::int32_t volume) {
  if (!buffer_) return;
  CheckVolume(volume);
  WithMixer([gain = GainOfVolume(volume)](Mixer& m) { m.SetGain(gain); });
}

void DSound::SetFrequency(std::int32_t frequencyHz) {
  if (!buffer_) return;
  if (frequencyHz < kMinFrequencyHz || frequencyHz > kMaxFrequencyHz) {
    throw SoundOutputError("frequency " + std::to_string(frequencyHz) + " Hz is outside 100..200000 Hz");
  }
  WithMixer([frequencyHz](Mixer& m) { m.SetFrequency(frequencyHz); });
}

void DSound::Shutdown() {
  buffer_.reset();
  WithMixer([](Mixer& m) {
    m.StopAll();
    m.SetSound(nullptr);
  });
  device_.Close();
  mixer_.Reset();
  handedOver_.clear();
}

void DSound::PlayMemorySound(std::span<const std::uint8_t> wavImage) {
  try {
    if (!EnsureDevice()) return;
    auto wav = DecodeWav(wavImage);
    if (!wav || !PlayableRate(wav->sampleRate)) return;
    std::shared_ptr<const MixerSound> sound = MakeMixerSound(std::move(*wav));
    handedOver_.push_back(sound);
    WithMixer([&sound](Mixer& m) { m.PlayOnce(sound.get()); });
  } catch (const std::exception&) {
    // Like a sound the platform cannot play: nothing is heard, nothing is said.
  }
}

bool DSound::Playing() {
  AudioDeviceLock lock(device_);
  return mixer_.BufferPlaying();
}

void DSoundInitOrEnd(Context& ctx) {
  if (DSoundInit(ctx)) return;
  DSoundShutdown(ctx);
  ctx.EndProgram();
}

}  // namespace revalorn
