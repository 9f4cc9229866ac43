#include "playback/mixer.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace revalorn {

namespace {

// A loop shorter than this is stored repeated, so that the converter is handed long
// runs of frames instead of asking for more every few output frames.
constexpr std::size_t kMinStoredFrames = 4096;

// libsamplerate accepts ratios (output rate / input rate) from 1/256 to 256. Below
// outputRate / 200 Hz a voice reads its sound through a fixed upsampler by slowFactor_,
// which brings the ratio back into range down to 100 Hz; it returns to the direct path
// above outputRate / 150 Hz (the gap keeps a voice from switching back and forth).
constexpr double kSlowEnterRatio = 200.0;
constexpr double kSlowLeaveRatio = 150.0;
constexpr double kMinRatio = 1.0 / 255.0;
constexpr double kMaxRatio = 255.0;

// Frames the upsampling pre-stage hands the pitch converter at a time.
constexpr long kPreFrames = 256;

int ConverterType(ResamplerQuality q) {
  switch (q) {
    case ResamplerQuality::Best:
      return SRC_SINC_BEST_QUALITY;
    case ResamplerQuality::Medium:
      return SRC_SINC_MEDIUM_QUALITY;
    case ResamplerQuality::Fastest:
      break;
  }
  return SRC_SINC_FASTEST;
}

}  // namespace

std::shared_ptr<const MixerSound> MakeMixerSound(DecodedWav wav) {
  auto sound = std::make_shared<MixerSound>();
  sound->channels = wav.channels;
  sound->sampleRate = static_cast<double>(wav.sampleRate);
  sound->frames = wav.frames;
  if (wav.frames >= kMinStoredFrames) {
    sound->samples = std::move(wav.samples);
  } else {
    const std::size_t repeats = (kMinStoredFrames + wav.frames - 1) / wav.frames;
    sound->samples.reserve(wav.samples.size() * repeats);
    for (std::size_t i = 0; i < repeats; ++i) {
      sound->samples.insert(sound->samples.end(), wav.samples.begin(), wav.samples.end());
    }
  }
  return sound;
}

Mixer::Mixer(ResamplerQuality quality) {
  const int type = ConverterType(quality);
  int error = 0;
  for (Voice& v : voices_) {
    v.mixer = this;
    v.preOut.resize(static_cast<std::size_t>(kPreFrames) * 2);
    for (std::size_t c = 0; c < 2 && error == 0; ++c) {
      const int channels = static_cast<int>(c) + 1;
      v.src[c] = src_callback_new(&Mixer::ReadPitchInput, type, channels, &error, &v);
      if (error == 0) v.pre[c] = src_callback_new(&Mixer::ReadSource, type, channels, &error, &v);
    }
  }
  if (error != 0) {
    DeleteConverters();
    throw std::runtime_error(std::string("resampler: ") + src_strerror(error));
  }
  voices_[0].role = Role::Buffer;
  scratch_.resize(kChunk * 2);
  Prepare(AudioFormat{});
}

Mixer::~Mixer() { DeleteConverters(); }

void Mixer::DeleteConverters() {
  for (Voice& v : voices_) {
    for (auto*& s : v.src) s = src_delete(s);
    for (auto*& s : v.pre) s = src_delete(s);
  }
}

void Mixer::Prepare(const AudioFormat& format) {
  outputRate_ = std::max(1, format.sampleRate);
  outputChannels_ = std::max(1, format.channels);
  rampFrames_ = std::clamp(static_cast<int>(std::lround(outputRate_ * 0.0025)), 64, 256);
  slowFactor_ = 2;
  while (outputRate_ > slowFactor_ * 25600) slowFactor_ *= 2;
}

// --- Control -------------------------------------------------------------------------

int Mixer::FreeVoice() {
  int quietest = -1;
  for (int i = 0; i < kVoices; ++i) {
    const Voice& v = voices_[static_cast<std::size_t>(i)];
    if (v.role == Role::Free) return i;
    if (v.role == Role::Tail && (quietest < 0 || v.gain < voices_[static_cast<std::size_t>(quietest)].gain)) quietest = i;
  }
  // Every spare voice is still fading out something: cut the quietest short. There are
  // only two other roles, so a tail always exists here.
  Release(voices_[static_cast<std::size_t>(quietest)]);
  return quietest;
}

void Mixer::Release(Voice& v) {
  v.role = Role::Free;
  v.sound = nullptr;
  v.playing = false;
  v.fadingOut = false;
  v.rampLeft = 0;
  v.gain = 0;
}

void Mixer::RampTo(Voice& v, float target) {
  if (v.gain == target) {
    v.rampLeft = 0;
    return;
  }
  v.rampLeft = rampFrames_;
  v.gainStep = (target - v.gain) / static_cast<float>(rampFrames_);
}

void Mixer::Start(Voice& v, const MixerSound* sound, bool looping, double frequency, float level) {
  v.sound = sound;
  v.looping = looping;
  v.frequency = frequency;
  v.level = level;
  v.playing = true;
  v.fadingOut = false;
  v.restart = true;
  v.slow = outputRate_ / frequency > kSlowEnterRatio;
  v.pos = 0;
  v.playhead = 0;
  v.gain = 0;
  RampTo(v, level);
}

void Mixer::FadeOut(Voice& v) {
  if (!v.playing) return;
  v.fadingOut = true;
  RampTo(v, 0.0f);
  if (v.rampLeft == 0) {  // silent already: nothing to fade
    v.playing = false;
    if (v.role != Role::Buffer) Release(v);
  }
}

void Mixer::SetSound(const MixerSound* sound) {
  Voice& old = voices_[static_cast<std::size_t>(buffer_)];
  if (old.playing) {
    old.role = Role::Tail;
    FadeOut(old);
    buffer_ = FreeVoice();
  } else {
    Release(old);
  }
  Voice& b = voices_[static_cast<std::size_t>(buffer_)];
  b.role = Role::Buffer;
  b.sound = sound;
  b.playing = false;
  b.looping = false;
  b.level = 1.0f;
  b.frequency = sound ? sound->sampleRate : 0.0;
}

void Mixer::Play(bool looping) {
  Voice* b = &voices_[static_cast<std::size_t>(buffer_)];
  if (!b->sound) return;
  if (b->playing && !b->fadingOut) {
    b->looping = looping;
    return;
  }
  if (b->playing) {  // still fading out after a stop: let that finish beside the new start
    const MixerSound* sound = b->sound;
    const double frequency = b->frequency;
    const float level = b->level;
    b->role = Role::Tail;
    buffer_ = FreeVoice();
    b = &voices_[static_cast<std::size_t>(buffer_)];
    b->role = Role::Buffer;
    b->sound = sound;
    b->frequency = frequency;
    b->level = level;
  }
  Start(*b, b->sound, looping, b->frequency, b->level);
}

void Mixer::Stop() { FadeOut(voices_[static_cast<std::size_t>(buffer_)]); }

void Mixer::SetGain(float gain) {
  Voice& b = voices_[static_cast<std::size_t>(buffer_)];
  b.level = gain;
  if (b.playing && !b.fadingOut) RampTo(b, gain);
}

void Mixer::SetFrequency(double hz) {
  if (hz > 0) voices_[static_cast<std::size_t>(buffer_)].frequency = hz;
}

bool Mixer::BufferPlaying() const {
  const Voice& b = voices_[static_cast<std::size_t>(buffer_)];
  return b.playing && !b.fadingOut;
}

void Mixer::PlayOnce(const MixerSound* sound) {
  if (once_ >= 0) {
    Voice& old = voices_[static_cast<std::size_t>(once_)];
    old.role = Role::Tail;
    FadeOut(old);
    if (!old.playing) Release(old);
    once_ = -1;
  }
  if (!sound) return;
  once_ = FreeVoice();
  Voice& v = voices_[static_cast<std::size_t>(once_)];
  v.role = Role::Once;
  Start(v, sound, false, sound->sampleRate, 1.0f);
}

void Mixer::StopAll() {
  for (Voice& v : voices_) FadeOut(v);
}

void Mixer::Reset() {
  for (int i = 0; i < kVoices; ++i) {
    Voice& v = voices_[static_cast<std::size_t>(i)];
    if (i == buffer_) {
      v.playing = false;
      v.fadingOut = false;
      v.rampLeft = 0;
      v.gain = 0;
    } else {
      Release(v);
    }
  }
  once_ = -1;
}

bool Mixer::Silent() const {
  return std::none_of(voices_.begin(), voices_.end(), [](const Voice& v) { return v.playing; });
}

bool Mixer::UsesSound(const MixerSound* sound) const {
  return std::any_of(voices_.begin(), voices_.end(), [sound](const Voice& v) { return v.sound == sound; });
}

// --- Rendering -----------------------------------------------------------------------

long Mixer::ReadSource(void* voice, float** data) {
  Voice& v = *static_cast<Voice*>(voice);
  const MixerSound& s = *v.sound;
  const std::size_t stored = s.StoredFrames();
  // A sound played once ends with the pass it is in (the stored copy holds whole passes).
  const std::size_t end = v.looping || v.pos > s.frames ? stored : s.frames;
  if (v.pos >= end) {
    if (!v.looping) return 0;
    v.pos = 0;
  }
  // libsamplerate takes a non-const pointer but only reads the input.
  *data = const_cast<float*>(s.samples.data() + v.pos * static_cast<std::size_t>(s.channels));
  const auto n = static_cast<long>(end - v.pos);
  v.pos += static_cast<std::size_t>(n);
  return n;
}

long Mixer::ReadPitchInput(void* voice, float** data) {
  Voice& v = *static_cast<Voice*>(voice);
  if (!v.slow) return ReadSource(voice, data);
  SRC_STATE* pre = v.pre[static_cast<std::size_t>(v.sound->channels - 1)];
  const long n = src_callback_read(pre, v.mixer->slowFactor_, kPreFrames, v.preOut.data());
  if (n <= 0) return 0;
  *data = v.preOut.data();
  return n;
}

void Mixer::SwitchPath(int index) {
  Voice& old = voices_[static_cast<std::size_t>(index)];
  const int next = FreeVoice();
  Voice& v = voices_[static_cast<std::size_t>(next)];
  v.role = old.role;
  Start(v, old.sound, old.looping, old.frequency, old.level);
  v.slow = !old.slow;
  // Go on from the frame being heard; the new converter starts without history, which
  // at these low frequencies is a soft onset under the crossfade, not a click.
  const auto limit = static_cast<double>(old.looping ? old.sound->StoredFrames() : old.sound->frames);
  v.pos = static_cast<std::size_t>(std::clamp(std::floor(old.playhead), 0.0, limit));
  v.playhead = static_cast<double>(v.pos);
  if (v.role == Role::Buffer) buffer_ = next;
  if (v.role == Role::Once) once_ = next;
  old.role = Role::Tail;
  FadeOut(old);
}

void Mixer::RenderVoice(int index, float* out, std::size_t frames) {
  Voice& v = voices_[static_cast<std::size_t>(index)];
  const auto c = static_cast<std::size_t>(v.sound->channels - 1);
  if (v.restart) {
    src_reset(v.src[c]);
    src_reset(v.pre[c]);
    v.restart = false;
  }
  const double ratio = outputRate_ / v.frequency;
  if (v.role != Role::Tail && !v.fadingOut &&
      ((!v.slow && ratio > kSlowEnterRatio) || (v.slow && ratio < kSlowLeaveRatio))) {
    SwitchPath(index);  // v fades out from here on, as a tail
  }
  const double r = std::clamp(v.slow ? ratio / slowFactor_ : ratio, kMinRatio, kMaxRatio);

  const std::size_t sourceChannels = c + 1;
  std::size_t got = 0;
  while (got < frames) {
    const long n = src_callback_read(v.src[c], r, static_cast<long>(frames - got), scratch_.data() + got * sourceChannels);
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  const bool ended = got < frames;  // a sound played once has run out (or the converter failed)

  v.playhead += static_cast<double>(got) / ratio;
  if (v.looping) {
    v.playhead = std::fmod(v.playhead, static_cast<double>(v.sound->StoredFrames()));
  }

  const auto outChannels = static_cast<std::size_t>(outputChannels_);
  const float* in = scratch_.data();
  for (std::size_t i = 0; i < got; ++i, in += sourceChannels, out += outChannels) {
    if (v.rampLeft > 0) {
      v.gain = --v.rampLeft == 0 ? (v.fadingOut ? 0.0f : v.level) : v.gain + v.gainStep;
    }
    const float left = in[0] * v.gain;
    const float right = in[c] * v.gain;
    if (outChannels == 1) {
      out[0] += 0.5f * (left + right);
    } else {
      out[0] += left;
      out[1] += right;
    }
  }

  if (ended || (v.fadingOut && v.rampLeft == 0)) {
    v.playing = false;
    v.fadingOut = false;
    if (v.role == Role::Once) once_ = -1;
    if (v.role != Role::Buffer) Release(v);
  }
}

void Mixer::Render(float* out, std::size_t frames) {
  const auto channels = static_cast<std::size_t>(outputChannels_);
  std::fill(out, out + frames * channels, 0.0f);
  for (std::size_t done = 0; done < frames;) {
    const std::size_t n = std::min(kChunk, frames - done);
    for (int i = 0; i < kVoices; ++i) {
      if (voices_[static_cast<std::size_t>(i)].playing) RenderVoice(i, out + done * channels, n);
    }
    done += n;
  }
  for (std::size_t i = 0; i < frames * channels; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace revalorn
