#include "game/rng.h"

#include <cstring>

namespace quandel {

namespace {

// std::bit_cast, which the WebAssembly build's standard library lacks.
template <class To, class From>
To BitsOf(const From& from) {
  static_assert(sizeof(To) == sizeof(From));
  To to;
  std::memcpy(&to, &from, sizeof to);
  return to;
}

}  // namespace

float Rng::Next() {
  state_ = (state_ * 0xFD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<float>(state_) / 16777216.0f;
}

float Rng::Next(float argument) {
  if (argument < 0) {
    const uint32_t b = BitsOf<uint32_t>(argument);
    state_ = (b + (b >> 24)) & 0xFFFFFFu;
  }
  return Next();
}

void Rng::Seed(double value) {
  const uint64_t bits = BitsOf<uint64_t>(value);
  const uint32_t h = static_cast<uint32_t>(bits >> 32);
  state_ = (((h & 0xFFFFu) << 8) ^ ((h >> 8) & 0xFFFF00u)) | (state_ & 0xFF0000FFu);
}

}  // namespace quandel
