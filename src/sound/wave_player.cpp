#include "sound/wave_player.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "sound/file_checks.h"

namespace quandel {

namespace {

size_t HashBytes(std::span<const uint8_t> bytes) {
  return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

WaveImagePlayer::WaveImagePlayer(MixerPort& mixer, int firstVoice) : mixer_(mixer), firstVoice_(firstVoice) {
  mixer_.ReserveVoices(firstVoice_ + 2);
}

WaveImagePlayer::~WaveImagePlayer() { Clear(); }

void WaveImagePlayer::Play(std::span<const uint8_t> image) {
  const int sample = ReadWaveLayout(image.data(), image.size(), image.size()) ? Lookup(image) : 0;
  if (current_ >= 0) mixer_.FadeOutVoice(firstVoice_ + current_);
  if (sample == 0) {
    current_ = -1;
    return;
  }
  // Always the other voice, so the one fading out can finish its fade.
  const int voice = 1 - last_;
  mixer_.PlaySample(sample, firstVoice_ + voice);
  current_ = last_ = voice;
}

int WaveImagePlayer::Lookup(std::span<const uint8_t> image) {
  const size_t hash = HashBytes(image);
  for (Entry& e : cache_) {
    if (e.hash == hash && std::equal(e.bytes.begin(), e.bytes.end(), image.begin(), image.end())) {
      e.lastUse = ++uses_;
      return e.sample;
    }
  }
  if (cache_.size() >= kCacheLimit) Evict();
  Entry e;
  e.bytes.assign(image.begin(), image.end());
  e.hash = hash;
  e.sample = mixer_.LoadSampleImage(e.bytes);
  e.lastUse = ++uses_;
  cache_.push_back(std::move(e));
  return cache_.back().sample;
}

// The least recently used image goes. The two voices always hold the two most recently played
// images, so a sounding one is never dropped while the limit is above two.
void WaveImagePlayer::Evict() {
  auto victim = std::min_element(cache_.begin(), cache_.end(),
                                 [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
  if (victim->sample != 0) mixer_.FreeSample(victim->sample);
  cache_.erase(victim);
}

void WaveImagePlayer::Clear() {
  mixer_.HaltVoice(firstVoice_);
  mixer_.HaltVoice(firstVoice_ + 1);
  for (const Entry& e : cache_) {
    if (e.sample != 0) mixer_.FreeSample(e.sample);
  }
  cache_.clear();
  current_ = -1;
}

}  // namespace quandel
