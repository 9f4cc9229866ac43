#include "playback/sdl/sdl_audio_device.h"

#include <SDL.h>

#include "playback/sdl/sdl_subsystem.h"

namespace revalorn {

namespace {
constexpr int kWantedRate = 48000;
constexpr int kPeriodFrames = 512;
// How long Close lets fade-outs finish before the output goes away.
constexpr int kCloseFadeMs = 20;
}  // namespace

SdlAudioDevice::~SdlAudioDevice() { Close(); }

bool SdlAudioDevice::Open(AudioRenderer& renderer, std::string& error) {
  Close();
  if (InitSdlSubsystem(SDL_INIT_AUDIO) != 0) {
    error = SDL_GetError();
    return false;
  }
  SDL_AudioSpec want{};
  want.freq = kWantedRate;
  want.format = AUDIO_F32SYS;
  want.channels = 2;
  want.samples = kPeriodFrames;
  want.callback = &SdlAudioDevice::Callback;
  want.userdata = this;
  SDL_AudioSpec have{};
  // Only the rate may differ from what is asked; SDL converts format and channels and
  // keeps the period at 512 frames.
  const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (id == 0) {
    error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  id_ = id;
  format_ = AudioFormat{have.freq, have.channels, have.samples};
  renderer_ = &renderer;
  periods_ = 0;
  renderer.Prepare(format_);
  SDL_PauseAudioDevice(id_, 0);
  return true;
}

void SdlAudioDevice::Callback(void* self, std::uint8_t* stream, int bytes) {
  auto* device = static_cast<SdlAudioDevice*>(self);
  const auto frameBytes = static_cast<std::size_t>(device->format_.channels) * sizeof(float);
  // SDL hands a buffer of AUDIO_F32SYS samples, suitably aligned for float.
  device->renderer_->Render(reinterpret_cast<float*>(stream), static_cast<std::size_t>(bytes) / frameBytes);
  ++device->periods_;
}

void SdlAudioDevice::Lock() {
  if (id_ != 0) SDL_LockAudioDevice(id_);
}

void SdlAudioDevice::Unlock() {
  if (id_ != 0) SDL_UnlockAudioDevice(id_);
}

bool SdlAudioDevice::Lost() { return id_ != 0 && SDL_GetAudioDeviceStatus(id_) == SDL_AUDIO_STOPPED; }

std::int64_t SdlAudioDevice::Periods() const {
  if (id_ == 0) return 0;
  SDL_LockAudioDevice(id_);
  const std::int64_t n = periods_;
  SDL_UnlockAudioDevice(id_);
  return n;
}

void SdlAudioDevice::Close() {
  if (id_ == 0) return;
  // Let what is fading out finish, so that closing does not cut a sound off with a click.
  for (int waited = 0; waited < kCloseFadeMs && !Lost(); waited += 2) {
    Lock();
    const bool silent = renderer_->Silent();
    Unlock();
    if (silent) break;
    SDL_Delay(2);
  }
  SDL_CloseAudioDevice(id_);
  id_ = 0;
  renderer_ = nullptr;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace revalorn
