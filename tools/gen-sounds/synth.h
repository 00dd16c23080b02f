#pragma once

// Small building blocks for the sound generator: a seeded noise source, filters, band-limited oscillators and the
// final conversion to clean 16-bit samples. Everything works in doubles at one fixed sample rate.

#include <cstdint>
#include <vector>

namespace quandel::soundgen {

inline constexpr int kSampleRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;

int SamplesFor(double seconds);

// xorshift32: the same sequence on every machine and every run, unlike rand().
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
  uint32_t NextU32();
  double Uniform();  // [0, 1)
  double Bipolar();  // [-1, 1)

 private:
  uint32_t state_;
};

// Second-order section with the usual audio-cookbook coefficients; the cutoff may be changed per sample.
class Biquad {
 public:
  void SetLowpass(double hz, double q);
  void SetHighpass(double hz, double q);
  void SetBandpass(double hz, double q);
  double Process(double x);

 private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Oscillator shapes built from sines up to just below Nyquist, so high notes do not alias into hiss.
double BandLimitedSquare(double phase, double hz);
double BandLimitedSaw(double phase, double hz);

// Raised-cosine ramp: 0 at t <= 0, 1 at t >= length.
double Ramp(double t, double length);

// Sum `part` into `mix` from sample `at` on, growing `mix` as needed.
void MixInto(std::vector<double>& mix, const std::vector<double>& part, int at, double gain);

// Length of the window over which loudness is measured: about what the ear integrates for a short effect.
inline constexpr double kLoudnessWindowSeconds = 0.1;

// Largest RMS over any window of kLoudnessWindowSeconds, in dB relative to full scale.
double LoudnessDb(const std::vector<int16_t>& samples);

// Removes DC, fades both ends to exactly zero, scales the result to the given loudness (see LoudnessDb) and rounds
// to 16 bits. Throws if that would take any sample above `peakCeiling` (a fraction of full scale): a sound that
// cannot reach its level cleanly is a design error, not something to clip.
std::vector<int16_t> Finish(std::vector<double> signal, double loudnessDb, double peakCeiling, double fadeInSeconds,
                            double fadeOutSeconds);

}  // namespace quandel::soundgen
