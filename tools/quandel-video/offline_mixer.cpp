#include "offline_mixer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <fstream>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

#include "sound/file_checks.h"

namespace quandel {

namespace {

// The game's fade: 6 ms, straight down.
constexpr int kFadeFrames = OfflineMixer::kRate * 6 / 1000;
// SDL_mixer sets FluidSynth's gain to 1.2 at full music volume.
constexpr float kMusicGain = 1.2f;

}  // namespace

std::vector<float> DecodeWave(const uint8_t* bytes, size_t size) {
  const auto layout = ReadWaveLayout(bytes, size, size);
  if (!layout) return {};
  const int block = layout->channels * layout->bitsPerSample / 8;
  const int inFrames = static_cast<int>(layout->dataSize / static_cast<size_t>(block));
  AVChannelLayout inLayout, outLayout = AV_CHANNEL_LAYOUT_STEREO;
  av_channel_layout_default(&inLayout, layout->channels);
  SwrContext* swr = nullptr;
  const AVSampleFormat inFormat = layout->bitsPerSample == 8 ? AV_SAMPLE_FMT_U8 : AV_SAMPLE_FMT_S16;
  if (swr_alloc_set_opts2(&swr, &outLayout, AV_SAMPLE_FMT_FLT, OfflineMixer::kRate, &inLayout, inFormat,
                          layout->sampleRate, 0, nullptr) < 0) {
    swr_free(&swr);
    return {};
  }
  // SDL_mixer copies a mono sound to both sides at full level (a plain remix would lower it 3 dB).
  const double both[2] = {1.0, 1.0};
  if ((layout->channels == 1 && swr_set_matrix(swr, both, 1) < 0) || swr_init(swr) < 0) {
    swr_free(&swr);
    return {};
  }
  const int room = swr_get_out_samples(swr, inFrames) + 64;
  std::vector<float> out(static_cast<size_t>(room) * 2);
  const uint8_t* in = bytes + layout->dataOffset;
  uint8_t* outPlane = reinterpret_cast<uint8_t*>(out.data());
  int made = swr_convert(swr, &outPlane, room, &in, inFrames);
  if (made >= 0) {
    uint8_t* rest = reinterpret_cast<uint8_t*>(out.data() + 2 * made);
    const int tail = swr_convert(swr, &rest, room - made, nullptr, 0);  // what the filter still holds
    made = tail < 0 ? -1 : made + tail;
  }
  swr_free(&swr);
  if (made < 0) return {};
  out.resize(static_cast<size_t>(made) * 2);
  return out;
}

// A loaded tune: SDL_mixer gives every tune a synthesiser of its own.
struct OfflineMixer::Tune {
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  ~Tune() {
    if (player) delete_fluid_player(player);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
  }
};

OfflineMixer::OfflineMixer(std::string soundFont) : soundFont_(std::move(soundFont)) {
  // FluidSynth reports on stderr; the game never shows such messages, and neither does the tool.
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
    fluid_set_log_function(level, nullptr, nullptr);
}

OfflineMixer::~OfflineMixer() = default;

int OfflineMixer::Keep(Samples samples) {
  if (samples->empty()) return 0;
  samples_[nextId_] = std::move(samples);
  return nextId_++;
}

int OfflineMixer::LoadSample(const std::string& path) {
  const auto layout = ReadWaveFileLayout(path);
  if (!layout) return 0;
  const std::vector<uint8_t> bytes = ReadFileStart(path, layout->dataOffset + layout->dataSize);
  return Keep(std::make_shared<const std::vector<float>>(DecodeWave(bytes.data(), bytes.size())));
}

int OfflineMixer::LoadSampleImage(const std::vector<uint8_t>& image) {
  return Keep(std::make_shared<const std::vector<float>>(DecodeWave(image.data(), image.size())));
}

void OfflineMixer::FreeSample(int sample) {
  auto it = samples_.find(sample);
  if (it == samples_.end()) return;
  // As with SDL_mixer, freeing a sample halts the voices that play it.
  for (Voice& v : voices_) {
    if (v.samples == it->second) v = Voice{};
  }
  samples_.erase(it);
}

void OfflineMixer::PlaySample(int sample, int voice) {
  auto it = samples_.find(sample);
  if (it == samples_.end() || voice < 0 || voice >= static_cast<int>(voices_.size())) return;
  voices_[static_cast<size_t>(voice)] = Voice{it->second, 0, -1};
}

void OfflineMixer::HaltVoice(int voice) {
  if (voice >= 0 && voice < static_cast<int>(voices_.size())) voices_[static_cast<size_t>(voice)] = Voice{};
}

void OfflineMixer::FadeOutVoice(int voice) {
  if (voice < 0 || voice >= static_cast<int>(voices_.size())) return;
  Voice& v = voices_[static_cast<size_t>(voice)];
  if (v.samples && v.fadeLeft < 0) v.fadeLeft = kFadeFrames;
}

void OfflineMixer::ReserveVoices(int count) {
  if (count > static_cast<int>(voices_.size())) voices_.resize(static_cast<size_t>(count));
}

int OfflineMixer::LoadTune(const std::string& path) {
  if (soundFont_.empty()) return 0;
  auto tune = std::make_unique<Tune>();
  tune->settings = new_fluid_settings();
  if (!tune->settings) return 0;
  fluid_settings_setnum(tune->settings, "synth.sample-rate", kRate);
  // The tune advances with the samples rendered, not with the clock.
  fluid_settings_setstr(tune->settings, "player.timing-source", "sample");
  tune->synth = new_fluid_synth(tune->settings);
  if (!tune->synth || fluid_synth_sfload(tune->synth, soundFont_.c_str(), 1) == FLUID_FAILED) return 0;
  fluid_synth_set_gain(tune->synth, kMusicGain);
  tune->player = new_fluid_player(tune->synth);
  if (!tune->player || fluid_player_add(tune->player, path.c_str()) != FLUID_OK) return 0;
  tunes_[nextId_] = std::move(tune);
  return nextId_++;
}

void OfflineMixer::FreeTune(int tune) {
  if (tune == playing_) HaltTune();
  tunes_.erase(tune);
}

void OfflineMixer::PlayTune(int tune) {
  auto it = tunes_.find(tune);
  if (it == tunes_.end()) return;
  HaltTune();
  fluid_player_set_loop(it->second->player, 1);  // once; no repeat
  fluid_player_play(it->second->player);
  playing_ = tune;
}

void OfflineMixer::HaltTune() {
  auto it = tunes_.find(playing_);
  if (it != tunes_.end()) fluid_player_stop(it->second->player);
  playing_ = 0;
}

void OfflineMixer::Render(float* out, int frames) {
  std::fill(out, out + 2 * frames, 0.0f);
  auto tune = tunes_.find(playing_);
  if (tune != tunes_.end()) {
    // SDL_mixer ends the music once the player is done, cutting what still rings.
    if (fluid_player_get_status(tune->second->player) == FLUID_PLAYER_PLAYING)
      fluid_synth_write_float(tune->second->synth, frames, out, 0, 2, out, 1, 2);
    else
      playing_ = 0;
  }
  for (Voice& v : voices_) {
    if (!v.samples) continue;
    const std::vector<float>& s = *v.samples;
    const size_t total = s.size() / 2;
    for (int i = 0; i < frames && v.next < total; ++i, ++v.next) {
      float gain = 1.0f;
      if (v.fadeLeft >= 0) {
        gain = static_cast<float>(v.fadeLeft) / kFadeFrames;
        if (v.fadeLeft > 0) --v.fadeLeft;
      }
      out[2 * i] += s[2 * v.next] * gain;
      out[2 * i + 1] += s[2 * v.next + 1] * gain;
    }
    if (v.next >= total || v.fadeLeft == 0) v = Voice{};
  }
  for (int i = 0; i < 2 * frames; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

}  // namespace quandel
