#include "tools/startup_sound/startup_sound.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

#include "tools/gamefiles/wav_fixture.h"

namespace revalorn::tools {

namespace {

constexpr double kPi = std::numbers::pi;

// A deterministic source of numbers in [0, 1): the engine's small irregularities.
// (std::uniform_real_distribution may differ between standard libraries; the raw
// mt19937 sequence does not.)
class Roughness {
 public:
  explicit Roughness(unsigned seed) : rng_(seed) {}
  double Next() { return static_cast<double>(rng_()) / 4294967296.0; }
  double Between(double lo, double hi) { return lo + (hi - lo) * Next(); }

 private:
  std::mt19937 rng_;
};

// A two-pole band-pass filter (constant 0 dB peak gain): the resonances of the
// exhaust and the intake that give the firing pulses their colour.
class Resonator {
 public:
  Resonator(double centreHz, double q, double sampleRate) {
    const double w = 2.0 * kPi * centreHz / sampleRate;
    const double alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    b0_ = alpha / a0;
    b2_ = -alpha / a0;
    a1_ = -2.0 * std::cos(w) / a0;
    a2_ = (1.0 - alpha) / a0;
  }
  double Step(double x) {
    const double y = b0_ * x + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
  }

 private:
  double b0_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// What the driver does, second by second: the engine speed asked for (rpm) and how
// hard the engine pulls (0 .. 1). Before `kCatch` the starter turns the engine.
constexpr double kCatch = 0.50;
struct Demand {
  double rpm;
  double load;
};
Demand DemandAt(double t) {
  if (t < kCatch) return {260.0, 0.0};
  if (t < 0.62) return {5200.0, 1.0};   // it catches and flares
  if (t < 1.02) return {2600.0, 0.15};  // settles
  if (t < 1.16) return {8600.0, 1.0};   // first blip
  if (t < 1.36) return {2800.0, 0.1};
  if (t < 1.50) return {9800.0, 1.0};   // second blip, higher
  return {2400.0, 0.1};                  // idle
}

}  // namespace

std::vector<double> StartupSoundSamples() {
  const double rate = kStartupSoundRate;
  const int frames = static_cast<int>(std::lround(kStartupSoundSeconds * rate));
  std::vector<double> out(static_cast<std::size_t>(frames));

  Roughness rough(1967);
  std::array<Resonator, 3> exhaust = {Resonator(190.0, 2.5, rate), Resonator(610.0, 3.5, rate),
                                      Resonator(1650.0, 4.0, rate)};
  Resonator starterGears(900.0, 12.0, rate);
  Resonator rasp(2600.0, 1.2, rate);

  double rpm = 0.0;
  double firingPhase = 0.0;   // 0..1 within one firing interval of the V8
  double crankPhase = 0.0;    // 0..1 within one compression stroke while cranking
  double starterPhase = 0.0;  // the starter motor's gear whine
  double strength = 1.0;      // of the current firing
  double load = 0.0;          // smoothed engine load
  double lastPulse = 0.0;

  for (int n = 0; n < frames; ++n) {
    const double t = n / rate;
    const Demand d = DemandAt(t);
    // The engine speed follows the demand: it rises quickly and falls more slowly.
    const double tau = d.rpm > rpm ? 0.045 : 0.16;
    rpm += (d.rpm - rpm) * (1.0 - std::exp(-1.0 / (tau * rate)));
    load += (d.load - load) * (1.0 - std::exp(-1.0 / (0.02 * rate)));

    double sample = 0.0;
    if (t < kCatch + 0.03) {
      // Cranking: the starter's whine, and a thump at every compression (four per
      // turn of a V8), uneven as the pistons come up one after another.
      const double crankRpm = 260.0 + 70.0 * std::sin(2.0 * kPi * 2.1 * t);
      starterPhase += crankRpm / 60.0 * 11.0 / rate;
      crankPhase += crankRpm / 60.0 * 4.0 / rate;
      if (crankPhase >= 1.0) {
        crankPhase -= 1.0;
        strength = rough.Between(0.7, 1.1);
      }
      const double thump = std::exp(-7.0 * crankPhase) * std::sin(2.0 * kPi * crankPhase) * strength;
      const double whine = std::sin(2.0 * kPi * starterPhase) + 0.4 * std::sin(6.0 * kPi * starterPhase);
      const double gears = starterGears.Step(rough.Between(-1.0, 1.0));
      const double handOver = t < kCatch ? 1.0 : 1.0 - (t - kCatch) / 0.03;
      sample += handOver * (0.22 * thump + 0.06 * whine + 0.2 * gears);
    }
    if (t >= kCatch) {
      // Running: a V8 fires four times per turn. Each firing is a pulse with a few
      // harmonics; the pulses ring the exhaust resonances; a little noise rides on
      // them, more of it under load. The first firings are ragged.
      firingPhase += rpm / 60.0 * 4.0 / rate;
      if (firingPhase >= 1.0) {
        firingPhase -= std::floor(firingPhase);
        const double ragged = t < kCatch + 0.12 ? 0.5 : 0.12;
        strength = rough.Between(1.0 - ragged, 1.0 + ragged * 0.5);
      }
      const double p = firingPhase;
      const double pulse = std::exp(-5.0 * p) * strength;
      const double body = std::sin(2.0 * kPi * p) + 0.5 * std::sin(4.0 * kPi * p) + 0.3 * std::sin(6.0 * kPi * p + 0.4);
      const double excitation = pulse - lastPulse;  // the sharp front of each firing
      lastPulse = pulse;
      double ring = 0.0;
      for (auto& r : exhaust) ring += r.Step(excitation * 6.0);
      const double noise = rasp.Step(rough.Between(-1.0, 1.0)) * pulse;
      const double loudness = 0.45 + 0.55 * load;
      const double catchIn = std::min(1.0, (t - kCatch) / 0.02);
      sample += catchIn * loudness * (0.45 * pulse * body + 0.35 * ring + (0.15 + 0.35 * load) * noise);
    }
    out[static_cast<std::size_t>(n)] = sample;
  }

  // The firing pulses are all positive: block the steady offset they build up (a
  // first-order high-pass at about 16 Hz), so that the sound swings around silence.
  double previousIn = 0.0, previousOut = 0.0;
  for (double& s : out) {
    const double y = s - previousIn + 0.9955 * previousOut;
    previousIn = s;
    previousOut = y;
    s = y;
  }
  // Squeeze the loud firings a little (as a tape recording of an engine would) so
  // that the quieter idle stands well above the 8-bit floor.
  double peak = 0.0;
  for (double s : out) peak = std::max(peak, std::abs(s));
  if (peak > 0.0) {
    constexpr double kDrive = 2.2;
    for (double& s : out) s = 0.92 * std::tanh(kDrive * s / peak) / std::tanh(kDrive);
  }
  // Short fades at both ends, so that the sound starts and stops without a click.
  const auto fadeIn = static_cast<std::size_t>(0.01 * rate);
  const auto fadeOut = static_cast<std::size_t>(0.12 * rate);
  for (std::size_t i = 0; i < fadeIn && i < out.size(); ++i) out[i] *= static_cast<double>(i) / fadeIn;
  for (std::size_t i = 0; i < fadeOut && i < out.size(); ++i) {
    out[out.size() - 1 - i] *= static_cast<double>(i) / fadeOut;
  }
  return out;
}

std::vector<std::uint8_t> StartupSoundWav() {
  fixtures::WavSpec spec;
  spec.sampleRate = kStartupSoundRate;
  spec.channels = 1;
  spec.bitsPerSample = 8;
  return fixtures::MakeWav(spec, StartupSoundSamples());
}

}  // namespace revalorn::tools
