// The small float helpers every update step shares, and the rounding rules of the game:
// a value stored into an integer is rounded half to even, then held in the variable's width.
#pragma once

#include <cmath>
#include <cstdint>

namespace quandel {

inline float MinOf(float a, float b) { return a <= b ? a : b; }
inline float MaxOf(float a, float b) { return a >= b ? a : b; }
inline float NonZero(float x) { return x != 0.0f ? x : 0.0001f; }
// A value worked out in double, stored into a float variable.
inline float ToFloat(double v) { return static_cast<float>(v); }

// Round half to even (the default floating-point rounding mode) and keep the low bits, as a
// store into a narrower integer would.
inline int64_t RoundHalfEven(double v) {
  if (!std::isfinite(v)) return 0;
  double r = std::nearbyint(v);
  if (r >= 9.2e18 || r <= -9.2e18) return 0;
  return static_cast<int64_t>(r);
}
inline int32_t RoundI32(double v) { return static_cast<int32_t>(static_cast<uint32_t>(RoundHalfEven(v))); }
inline int16_t RoundI16(double v) { return static_cast<int16_t>(static_cast<uint16_t>(RoundHalfEven(v))); }
inline uint8_t RoundU8(double v) { return static_cast<uint8_t>(RoundHalfEven(v)); }

// Remainder with the sign of the dividend, as the game's mod does.
inline int64_t Mod(int64_t a, int64_t b) { return b == 0 ? 0 : a % b; }

// Positions are records whose first two members are x and y.
template <class P, class Q>
float Distance(const P& p, const Q& q) {
  float dx = static_cast<float>(static_cast<double>(p.x) - q.x);
  float dy = static_cast<float>(static_cast<double>(p.y) - q.y);
  double sum = static_cast<double>(dx) * dx + static_cast<double>(dy) * dy;
  return static_cast<float>(std::sqrt(sum));
}

template <class P, class Q>
float Angle(const P& from, const Q& to) {
  float d = NonZero(static_cast<float>(static_cast<double>(to.x) - from.x));
  double theta = std::atan((static_cast<double>(to.y) - from.y) / d);
  if (to.x < from.x) theta += 3.14159265358979;
  return static_cast<float>(theta);
}

struct Point {
  float x = 0, y = 0;
};

}  // namespace quandel
