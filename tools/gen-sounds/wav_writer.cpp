#include "wav_writer.h"

#include <stdexcept>

namespace quandel::soundgen {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate) {
  constexpr uint16_t kChannels = 1, kBits = 16, kBlockAlign = kChannels * kBits / 8;
  const uint64_t dataBytes = samples.size() * uint64_t{kBlockAlign};
  if (sampleRate <= 0 || dataBytes > 0xFFFFFFFFu - 36) throw std::invalid_argument("wave too large or bad rate");

  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutTag(out, "RIFF");
  Put32(out, static_cast<uint32_t>(36 + dataBytes));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // integer PCM
  Put16(out, kChannels);
  Put32(out, static_cast<uint32_t>(sampleRate));
  Put32(out, static_cast<uint32_t>(sampleRate) * kBlockAlign);
  Put16(out, kBlockAlign);
  Put16(out, kBits);
  PutTag(out, "data");
  Put32(out, static_cast<uint32_t>(dataBytes));
  for (int16_t s : samples) Put16(out, static_cast<uint16_t>(s));
  return out;
}

}  // namespace quandel::soundgen
