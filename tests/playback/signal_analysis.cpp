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
    const double angle = -2.0 * std::numbers::pi / static_cast<double>(len);
    for (std::size_t i = 0; i < n; i += len) {
      for (std::size_t k = 0; k < len / 2; ++k) {
        const std::complex<double> w = std::polar(1.0, angle * static_cast<double>(k));
        const std::complex<double> u = a[i + k];
        const std::complex<double> v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

}  // namespace

std::size_t Spectrum::BinOf(double hz) const {
  return std::min(power.size() - 1, static_cast<std::size_t>(std::lround(std::max(0.0, hz) / BinHz())));
}

Spectrum PowerSpectrum(std::span<const float> x, double rate) {
  std::size_t n = 1;
  while (n * 2 <= x.size() && n < (std::size_t{1} << 17)) n *= 2;
  Spectrum s;
  s.rate = rate;
  s.size = n;
  constexpr double beta = 20.0;
  const double norm = std::cyl_bessel_i(0.0, beta);
  std::vector<std::complex<double>> a(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double t = 2.0 * static_cast<double>(i) / static_cast<double>(n - 1) - 1.0;
    const double w = std::cyl_bessel_i(0.0, beta * std::sqrt(std::max(0.0, 1.0 - t * t))) / norm;
    s.windowPower += w * w;
    a[i] = x[i] * w;
  }
  Fft(a);
  s.power.resize(n / 2 + 1);
  for (std::size_t k = 0; k <= n / 2; ++k) s.power[k] = std::norm(a[k]);
  return s;
}

double PeakPower(const Spectrum& s, double hz, std::size_t halfWidth) {
  const std::size_t c = s.BinOf(hz);
  const std::size_t lo = c > halfWidth ? c - halfWidth : 0;
  const std::size_t hi = std::min(s.power.size() - 1, c + halfWidth);
  return *std::max_element(s.power.begin() + static_cast<std::ptrdiff_t>(lo), s.power.begin() + static_cast<std::ptrdiff_t>(hi) + 1);
}

double MaxPowerOutside(const Spectrum& s, double lowHz, double highHz, std::size_t halfWidth) {
  const std::size_t lo = s.BinOf(lowHz);
  const std::size_t hi = s.BinOf(highHz);
  double m = 0;
  for (std::size_t k = 0; k < s.power.size(); ++k) {
    if (k + halfWidth >= lo && k <= hi + halfWidth) continue;
    m = std::max(m, s.power[k]);
  }
  return m;
}

double PowerOutside(const Spectrum& s, double lowHz, double highHz) {
  double sum = 0;
  for (std::size_t k = 0; k < s.power.size(); ++k) {
    const double hz = static_cast<double>(k) * s.BinHz();
    if (hz < lowHz || hz > highHz) sum += s.power[k];
  }
  return sum;
}

double TotalPower(const Spectrum& s) {
  double sum = 0;
  for (double p : s.power) sum += p;
  return sum;
}

double ToneAmplitude(const Spectrum& s, double hz) {
  const std::size_t c = s.BinOf(hz);
  double sum = 0;
  for (std::size_t k = c > 10 ? c - 10 : 0; k <= std::min(s.power.size() - 1, c + 10); ++k) sum += s.power[k];
  // A sine of amplitude A puts A²/4 × Σw² into each of its two sides (Parseval).
  return std::sqrt(4.0 * sum / (static_cast<double>(s.size) * s.windowPower));
}

double PeakFrequency(const Spectrum& s) {
  const auto peak = std::max_element(s.power.begin() + 1, s.power.end() - 1);
  const auto k = static_cast<std::size_t>(peak - s.power.begin());
  const double a = std::log(s.power[k - 1]), b = std::log(s.power[k]), c = std::log(s.power[k + 1]);
  const double offset = 0.5 * (a - c) / (a - 2 * b + c);
  return (static_cast<double>(k) + offset) * s.BinHz();
}

double Db(double powerRatio) { return 10.0 * std::log10(powerRatio); }

double SineFitResidue(std::span<const float> x, double hz, double rate) {
  // Normal equations for x ≈ a sin + b cos + c.
  double m[3][4] = {};
  const double w = 2.0 * std::numbers::pi * hz / rate;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double f[3] = {std::sin(w * static_cast<double>(i)), std::cos(w * static_cast<double>(i)), 1.0};
    for (int r = 0; r < 3; ++r) {
      for (int c = 0; c < 3; ++c) m[r][c] += f[r] * f[c];
      m[r][3] += f[r] * x[i];
    }
  }
  for (int p = 0; p < 3; ++p) {
    for (int r = 0; r < 3; ++r) {
      if (r == p) continue;
      const double factor = m[r][p] / m[p][p];
      for (int c = 0; c < 4; ++c) m[r][c] -= factor * m[p][c];
    }
  }
  const double a = m[0][3] / m[0][0], b = m[1][3] / m[1][1], c = m[2][3] / m[2][2];
  double worst = 0;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double fit = a * std::sin(w * static_cast<double>(i)) + b * std::cos(w * static_cast<double>(i)) + c;
    worst = std::max(worst, std::fabs(x[i] - fit));
  }
  return worst;
}

double GoertzelAmplitude(std::span<const float> x, double hz, double rate) {
  const double coeff = 2.0 * std::cos(2.0 * std::numbers::pi * hz / rate);
  double s1 = 0, s2 = 0;
  for (float v : x) {
    const double s0 = v + coeff * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  const double power = s1 * s1 + s2 * s2 - coeff * s1 * s2;
  return 2.0 * std::sqrt(std::max(0.0, power)) / static_cast<double>(x.size());
}

}  // namespace revalorn::testing
