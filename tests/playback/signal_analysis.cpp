#include "tests/playback/signal_analysis.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace revalorn::testing {

namespace {

void Fft(std::vector<std::complex<double>>& a) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    for (std::size_t k = 0; k < len / 2; ++k) {
      const auto w = std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(len));
      for (std::size_t i = 0; i < n; i += len) {
        const std::complex<double> v = a[i + k + len / 2] * w;
        a[i + k + len / 2] = a[i + k] - v;
        a[i + k] += v;
      }
    }
  }
}

constexpr std::size_t kLobe = 12;

}  // namespace

std::size_t Spectrum::BinOf(double hz) const {
  return std::min(power.size() - 1, static_cast<std::size_t>(std::lround(std::max(0.0, hz) * size / rate)));
}

Spectrum PowerSpectrum(std::span<const float> x, double rate) {
  Spectrum s{rate, 1, 0, {}};
  while (s.size * 2 <= x.size()) s.size *= 2;
  const double norm = std::cyl_bessel_i(0.0, 20.0);
  std::vector<std::complex<double>> a(s.size);
  for (std::size_t i = 0; i < s.size; ++i) {
    const double t = 2.0 * static_cast<double>(i) / static_cast<double>(s.size - 1) - 1.0;
    const double w = std::cyl_bessel_i(0.0, 20.0 * std::sqrt(std::max(0.0, 1.0 - t * t))) / norm;
    s.windowPower += w * w;
    a[i] = x[i] * w;
  }
  Fft(a);
  for (std::size_t k = 0; k <= s.size / 2; ++k) s.power.push_back(std::norm(a[k]));
  return s;
}

double PeakPower(const Spectrum& s, double hz) {
  const std::size_t c = s.BinOf(hz);
  double m = 0;
  for (std::size_t k = c > kLobe ? c - kLobe : 0; k <= std::min(s.power.size() - 1, c + kLobe); ++k) m = std::max(m, s.power[k]);
  return m;
}

double MaxPowerOutside(const Spectrum& s, double lowHz, double highHz) {
  double m = 0;
  for (std::size_t k = 0; k < s.power.size(); ++k) {
    if (k + kLobe < s.BinOf(lowHz) || k > s.BinOf(highHz) + kLobe) m = std::max(m, s.power[k]);
  }
  return m;
}

double ShareOutside(const Spectrum& s, double lowHz, double highHz) {
  double outside = 0, all = 0;
  for (std::size_t k = 0; k < s.power.size(); ++k) {
    all += s.power[k];
    if (k < s.BinOf(lowHz) || k > s.BinOf(highHz)) outside += s.power[k];
  }
  return outside / all;
}

double ToneAmplitude(const Spectrum& s, double hz) {
  const std::size_t c = s.BinOf(hz);
  double sum = 0;
  for (std::size_t k = c > kLobe ? c - kLobe : 0; k <= std::min(s.power.size() - 1, c + kLobe); ++k) sum += s.power[k];
  // Parseval: a sine of amplitude A puts N × A²/4 × Σw² into each of its two sides.
  return std::sqrt(4.0 * sum / (static_cast<double>(s.size) * s.windowPower));
}

double PeakFrequency(const Spectrum& s) {
  const auto k = static_cast<std::size_t>(std::max_element(s.power.begin() + 1, s.power.end() - 1) - s.power.begin());
  const double a = std::log(s.power[k - 1]), b = std::log(s.power[k]), c = std::log(s.power[k + 1]);
  return (static_cast<double>(k) + 0.5 * (a - c) / (a - 2 * b + c)) * s.rate / static_cast<double>(s.size);
}

double Db(double powerRatio) { return 10.0 * std::log10(powerRatio); }

double GoertzelAmplitude(std::span<const float> x, double hz, double rate) {
  const double coeff = 2.0 * std::cos(2.0 * std::numbers::pi * hz / rate);
  double s1 = 0, s2 = 0;
  for (float v : x) {
    const double s0 = v + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return 2.0 * std::sqrt(std::max(0.0, s1 * s1 + s2 * s2 - coeff * s1 * s2)) / static_cast<double>(x.size());
}

}  // namespace revalorn::testing
