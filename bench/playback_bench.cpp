// The cost of the sound output's mixer: one voice playing an engine loop recorded at
// 22050 Hz, rendered at 48000 Hz while its playback frequency changes every millisecond
// (Auto Play at full speed sweeps 1.0× to 2.6× and back). The baseline, measured in the
// same run, is a plain linear interpolator doing the same work without band-limiting.
// Read time_per_frame (seconds, with SI prefix: 110n = 110 ns): 1% of one core per voice at 48 kHz is about 208 ns per frame.
#include <benchmark/benchmark.h>

#include "core/headless_context.h"

#include <cmath>
#include <vector>

#include "playback/dsound.h"
#include "playback/mixer.h"
#include "playback/offline_audio_device.h"
#include "playback/wav_decoder.h"
#include "tools/gamefiles/wav_fixture.h"

namespace {

using namespace revalorn;

constexpr int kOutRate = 48000;
constexpr int kFramesPerMs = kOutRate / 1000;
constexpr int kMsPerIteration = 1000;

std::vector<std::uint8_t> EngineWav() {
  return fixtures::MakeWav({22050, 1, 16}, fixtures::EngineLoop(55.0, 22050, 110));
}

// Playback frequency at millisecond ms: a triangle between 1.0× and 2.6× of 22050 Hz,
// one rise and fall per second.
double SweepHz(int ms) {
  const double phase = (ms % 1000) / 500.0;  // 0..2
  const double x = phase < 1.0 ? phase : 2.0 - phase;
  return 22050.0 * (1.0 + 1.6 * x);
}

void SetCounters(benchmark::State& state) {
  const double frames = static_cast<double>(state.iterations()) * kMsPerIteration * kFramesPerMs;
  state.SetItemsProcessed(static_cast<std::int64_t>(frames));
  state.counters["time_per_frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_MixerSweep(benchmark::State& state) {
  const auto quality = static_cast<ResamplerQuality>(state.range(0));
  Mixer mixer(quality);
  mixer.Prepare({kOutRate, 2, 512});
  const auto sound = MakeMixerSound(*DecodeWav(EngineWav()));
  mixer.SetSound(sound.get());
  mixer.Play(true);
  std::vector<float> out(kFramesPerMs * 2);
  for (auto _ : state) {
    for (int ms = 0; ms < kMsPerIteration; ++ms) {
      mixer.SetFrequency(SweepHz(ms));
      mixer.Render(out.data(), kFramesPerMs);
    }
    benchmark::DoNotOptimize(out.data());
  }
  SetCounters(state);
}
BENCHMARK(BM_MixerSweep)->Arg(static_cast<int>(ResamplerQuality::Fastest))->ArgName("fastest");
BENCHMARK(BM_MixerSweep)->Arg(static_cast<int>(ResamplerQuality::Medium))->ArgName("medium");

// The whole sound output as the play modes drive it: DSoundSetFrequency every
// millisecond on the offline device (the device lock and the hand-over included).
void BM_DSoundSweep(benchmark::State& state) {
  HeadlessPrompts prompts;
  const std::string path = "bench_engine_loop.wav";
  {
    const auto bytes = EngineWav();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  OfflineAudioDevice device({kOutRate, 2, 512});
  DSound sound(prompts, device);
  sound.Init();
  sound.Load(path);
  sound.Play(true, 0);
  for (auto _ : state) {
    for (int ms = 0; ms < kMsPerIteration; ++ms) {
      sound.SetFrequency(static_cast<std::int32_t>(SweepHz(ms)));
      device.RenderMs(1);
    }
    device.ClearOutput();
  }
  std::remove(path.c_str());
  SetCounters(state);
}
BENCHMARK(BM_DSoundSweep);

// Baseline: linear interpolation between neighbouring frames, the pitch change of an
// output without band-limiting.
void BM_LinearInterpolatorSweep(benchmark::State& state) {
  const auto wav = *DecodeWav(EngineWav());
  const std::vector<float>& in = wav.samples;
  const double length = static_cast<double>(in.size());
  std::vector<float> out(kFramesPerMs * 2);
  double pos = 0;
  for (auto _ : state) {
    for (int ms = 0; ms < kMsPerIteration; ++ms) {
      const double step = SweepHz(ms) / kOutRate;
      for (int i = 0; i < kFramesPerMs; ++i) {
        const auto i0 = static_cast<std::size_t>(pos);
        const std::size_t i1 = i0 + 1 < in.size() ? i0 + 1 : 0;
        const auto t = static_cast<float>(pos - static_cast<double>(i0));
        const float v = in[i0] + t * (in[i1] - in[i0]);
        out[static_cast<std::size_t>(2 * i)] = v;
        out[static_cast<std::size_t>(2 * i + 1)] = v;
        pos += step;
        if (pos >= length) pos -= length;
      }
    }
    benchmark::DoNotOptimize(out.data());
  }
  SetCounters(state);
}
BENCHMARK(BM_LinearInterpolatorSweep);

}  // namespace
