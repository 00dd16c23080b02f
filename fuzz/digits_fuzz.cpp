// Input: one byte whose value mod 16 is the digit count, then the text to decode.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "check.h"
#include "persist/digits.h"

using namespace quandel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t n = data[0] % 16;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const int32_t value = DecodeDigits(text, n);
  FUZZ_CHECK(value >= 0);
  if (n <= 9) {
    int64_t bound = 1;
    for (int i = 0; i < n; ++i) bound *= 10;
    FUZZ_CHECK(value < bound);
  }

  // Whatever decodes comes back through a fresh encoding, whatever the noise.
  Rng rng;
  uint32_t seed = 0;
  std::memcpy(&seed, data + 1, std::min<size_t>(size - 1, sizeof seed));
  rng.set_state(seed);
  const uint32_t before = rng.state();
  const std::string again = EncodeDigits(value, n, rng);
  FUZZ_CHECK(again.size() == 2u * n);
  for (char c : again) FUZZ_CHECK(c >= 40 && c <= 89);
  FUZZ_CHECK(DecodeDigits(again, n) == value);
  Rng mirror;
  mirror.set_state(before);
  for (int i = 0; i < 2 * n; ++i) mirror.Next();
  FUZZ_CHECK(mirror.state() == rng.state());

  // Any 32-bit number encodes to valid characters, whatever its sign and length.
  int32_t raw = 0;
  std::memcpy(&raw, data + 1, std::min<size_t>(size - 1, sizeof raw));
  const std::string encoded = EncodeDigits(raw, n, rng);
  for (char c : encoded) FUZZ_CHECK(c >= 40 && c <= 89);
  FUZZ_CHECK(DecodeDigits(encoded, n) >= 0);
  return 0;
}
