#include "synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quandel::soundgen {

int SamplesFor(double seconds) { return static_cast<int>(std::lround(seconds * kSampleRate)); }

uint32_t Noise::NextU32() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Noise::Uniform() { return (NextU32() >> 8) * (1.0 / 16777216.0); }

double Noise::Bipolar() { return Uniform() * 2.0 - 1.0; }

void Biquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

namespace {

// Keeps a requested corner inside the range where the cookbook formulas stay stable.
double ClampCorner(double hz) { return std::clamp(hz, 10.0, kSampleRate * 0.45); }

}  // namespace

void Biquad::SetLowpass(double hz, double q) {
  const double w = 2 * kPi * ClampCorner(hz) / kSampleRate;
  const double c = std::cos(w), alpha = std::sin(w) / (2 * q);
  Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetHighpass(double hz, double q) {
  const double w = 2 * kPi * ClampCorner(hz) / kSampleRate;
  const double c = std::cos(w), alpha = std::sin(w) / (2 * q);
  Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetBandpass(double hz, double q) {
  const double w = 2 * kPi * ClampCorner(hz) / kSampleRate;
  const double c = std::cos(w), alpha = std::sin(w) / (2 * q);
  Set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

double Biquad::Process(double x) {
  const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return y;
}

double BandLimitedSquare(double phase, double hz) {
  double sum = 0;
  for (int k = 1; k * hz < kSampleRate * 0.45; k += 2) sum += std::sin(k * phase) / k;
  return sum * (4 / kPi);
}

double BandLimitedSaw(double phase, double hz) {
  double sum = 0;
  for (int k = 1; k * hz < kSampleRate * 0.45; ++k) sum += std::sin(k * phase) / k;
  return sum * (2 / kPi);
}

double Ramp(double t, double length) {
  if (t <= 0) return 0;
  if (t >= length) return 1;
  return 0.5 - 0.5 * std::cos(kPi * t / length);
}

void MixInto(std::vector<double>& mix, const std::vector<double>& part, int at, double gain) {
  if (mix.size() < at + part.size()) mix.resize(at + part.size(), 0.0);
  for (size_t i = 0; i < part.size(); ++i) mix[at + i] += gain * part[i];
}

namespace {

// Loudest windowed mean square of a signal given in full-scale units.
double LoudestMeanSquare(const std::vector<double>& x) {
  const size_t window = std::min(x.size(), static_cast<size_t>(SamplesFor(kLoudnessWindowSeconds)));
  double sum = 0, best = 0;
  for (size_t i = 0; i < x.size(); ++i) {
    sum += x[i] * x[i];
    if (i >= window) sum -= x[i - window] * x[i - window];
    best = std::max(best, sum);
  }
  return best / static_cast<double>(window);
}

}  // namespace

double LoudnessDb(const std::vector<int16_t>& samples) {
  std::vector<double> x(samples.begin(), samples.end());
  for (double& v : x) v /= 32768.0;
  const double ms = LoudestMeanSquare(x);
  return ms > 0 ? 10 * std::log10(ms) : -1000.0;
}

std::vector<int16_t> Finish(std::vector<double> signal, double loudnessDb, double peakCeiling, double fadeInSeconds,
                            double fadeOutSeconds) {
  if (signal.empty() || !(peakCeiling > 0 && peakCeiling < 1)) throw std::invalid_argument("bad sound or ceiling");
  // A gentle high-pass takes out any offset, which would otherwise thump when the sound starts and stops.
  Biquad dc;
  dc.SetHighpass(18, 0.707);
  for (double& s : signal) s = dc.Process(s);

  const double n = static_cast<double>(signal.size());
  const double fadeIn = fadeInSeconds * kSampleRate, fadeOut = fadeOutSeconds * kSampleRate;
  for (size_t i = 0; i < signal.size(); ++i) {
    signal[i] *= Ramp(static_cast<double>(i), fadeIn) * Ramp(n - 1 - static_cast<double>(i), fadeOut);
  }

  const double meanSquare = LoudestMeanSquare(signal);
  if (meanSquare == 0) throw std::invalid_argument("silent sound");
  const double scale = std::sqrt(std::pow(10.0, loudnessDb / 10) / meanSquare);
  double largest = 0;
  for (double s : signal) largest = std::max(largest, std::fabs(s) * scale);
  if (largest > peakCeiling) throw std::range_error("sound would peak above its ceiling");
  std::vector<int16_t> out(signal.size());
  for (size_t i = 0; i < signal.size(); ++i) out[i] = static_cast<int16_t>(std::nearbyint(signal[i] * scale * 32768.0));
  return out;
}

}  // namespace quandel::soundgen
