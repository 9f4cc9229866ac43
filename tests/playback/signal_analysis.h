#pragma once
// Measurements on rendered sound: a spectrum through a steep window, tone levels and
// frequencies. No FFT library is among the project's packages and a power-of-two FFT is
// a few lines, so the tests carry their own.

#include <cstddef>
#include <span>
#include <vector>

namespace revalorn::testing {

struct Spectrum {
  double rate = 0;            // sample rate of the signal
  std::size_t size = 0;       // FFT length
  double windowPower = 0;     // sum of squared window values
  std::vector<double> power;  // |X(k)|² for k = 0 .. size/2
  std::size_t BinOf(double hz) const;
};

// The power spectrum of the first power-of-two samples of x under a Kaiser window with
// beta 20 (side lobes near -190 dB, main lobe about ±7 bins).
Spectrum PowerSpectrum(std::span<const float> x, double rate);
// The strongest bin within ±12 bins of hz.
double PeakPower(const Spectrum& s, double hz);
// The strongest bin more than 12 bins away from the band lowHz..highHz.
double MaxPowerOutside(const Spectrum& s, double lowHz, double highHz);
// The share of all power that lies outside lowHz..highHz.
double ShareOutside(const Spectrum& s, double lowHz, double highHz);
// Amplitude of a sine near hz, from the power of its main lobe.
double ToneAmplitude(const Spectrum& s, double hz);
// Frequency of the strongest bin, refined between bins.
double PeakFrequency(const Spectrum& s);
double Db(double powerRatio);
// Level of frequency hz in x (Goertzel), as the amplitude of a sine.
double GoertzelAmplitude(std::span<const float> x, double hz, double rate);

}  // namespace revalorn::testing
