#pragma once
// Measurements on rendered sound for the sound-output tests: a spectrum through a steep
// window, tone levels and frequencies, and the residue of a fitted sine. No FFT library
// is among the project's packages, and a power-of-two FFT is a few lines, so the tests
// carry their own.

#include <cstddef>
#include <span>
#include <vector>

namespace revalorn::testing {

struct Spectrum {
  double rate = 0;           // sample rate of the signal
  std::size_t size = 0;      // FFT length
  double windowPower = 0;    // sum of squared window values
  std::vector<double> power; // |X(k)|² for k = 0 .. size/2
  double BinHz() const { return rate / static_cast<double>(size); }
  std::size_t BinOf(double hz) const;
};

// The power spectrum of the first power-of-two samples of x (at most 2^17) under a
// Kaiser window with beta 20: side lobes near -190 dB, main lobe about ±7 bins.
Spectrum PowerSpectrum(std::span<const float> x, double rate);

// Power of the strongest bin within ±halfWidth bins of hz.
double PeakPower(const Spectrum& s, double hz, std::size_t halfWidth = 12);
// The strongest bin outside the given frequency band and outside ±halfWidth bins of it.
double MaxPowerOutside(const Spectrum& s, double lowHz, double highHz, std::size_t halfWidth = 12);
// Sum of the power of all bins outside [lowHz, highHz], and of all bins.
double PowerOutside(const Spectrum& s, double lowHz, double highHz);
double TotalPower(const Spectrum& s);
// Amplitude of a sine near hz, from the power of its main lobe.
double ToneAmplitude(const Spectrum& s, double hz);
// Frequency of the strongest bin, refined between bins (Gaussian interpolation).
double PeakFrequency(const Spectrum& s);

double Db(double powerRatio);

// Largest deviation of x from the sine of frequency hz (at the given rate) that fits x
// best, by least squares (amplitude, phase and offset free).
double SineFitResidue(std::span<const float> x, double hz, double rate);

// Level of frequency hz in x (Goertzel), as the amplitude of a sine.
double GoertzelAmplitude(std::span<const float> x, double hz, double rate);

}  // namespace revalorn::testing
