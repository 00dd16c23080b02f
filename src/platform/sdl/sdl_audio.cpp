#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <map>

#include "platform/quiet_stderr.h"

namespace quandel {

namespace {

constexpr int kFrequency = 44100;
constexpr int kChunkFrames = 1024;
constexpr int kInitialVoices = 24;
constexpr int kFadeMs = 6;

class SdlMixer final : public SdlMixerPort {
 public:
  explicit SdlMixer(const std::string& font) {
    QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    sdlStarted_ = true;
    // FluidSynth reads the soundfont list when it is first used; without one, MIDI stays silent.
    if (!font.empty()) Mix_SetSoundFonts(font.c_str());
    if (Mix_OpenAudio(kFrequency, AUDIO_S16SYS, 2, kChunkFrames) != 0) return;
    open_ = true;
    music_ = !font.empty();
    int freq = kFrequency, outChannels = 2;
    Uint16 format = AUDIO_S16SYS;
    Mix_QuerySpec(&freq, &format, &outChannels);
    outChannels_ = std::max(outChannels, 1);
    fadeFrames_ = std::max(freq * kFadeMs / 1000, 1);
    voices_ = Mix_AllocateChannels(kInitialVoices);
  }

  ~SdlMixer() override {
    if (open_) {
      Mix_HaltChannel(-1);
      Mix_HaltMusic();
      for (auto& [id, chunk] : samples_) Mix_FreeChunk(chunk);
      for (auto& [id, music] : tunes_) Mix_FreeMusic(music);
      QuietStderr quiet;
      Mix_CloseAudio();
      Mix_Quit();
    }
    if (sdlStarted_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool deviceOpen() const override { return open_; }
  bool musicAvailable() const override { return music_; }

  int LoadSample(const std::string& path) override {
    if (!open_) return 0;
    return Keep(Mix_LoadWAV(path.c_str()));
  }

  int LoadSampleImage(const std::vector<uint8_t>& image) override {
    if (!open_ || image.empty() || image.size() > INT32_MAX) return 0;
    SDL_RWops* rw = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
    if (!rw) return 0;
    return Keep(Mix_LoadWAV_RW(rw, 1));  // the chunk holds its own converted copy
  }

  void FreeSample(int sample) override {
    auto it = samples_.find(sample);
    if (it == samples_.end()) return;
    Mix_FreeChunk(it->second);  // also halts any voice still playing it
    samples_.erase(it);
  }

  void PlaySample(int sample, int voice) override {
    auto it = samples_.find(sample);
    if (it == samples_.end() || voice < 0 || voice >= voices_) return;
    Mix_HaltChannel(voice);
    Mix_UnregisterAllEffects(voice);
    // The voice is idle now, so the mixer thread does not touch its fade state.
    Fade& fade = fades_[voice];
    fade.requested.store(false);
    fade.active = false;
    fade.left = fadeFrames_;
    fade.total = fadeFrames_;
    fade.channels = outChannels_;
    Mix_RegisterEffect(voice, &SdlMixer::FadeEffect, nullptr, &fade);
    Mix_PlayChannel(voice, it->second, 0);
  }

  void HaltVoice(int voice) override {
    if (open_ && voice >= 0 && voice < voices_) Mix_HaltChannel(voice);
  }

  void FadeOutVoice(int voice) override {
    auto it = fades_.find(voice);
    if (it != fades_.end()) it->second.requested.store(true);
  }

  void ReserveVoices(int count) override {
    if (open_ && count > voices_) voices_ = Mix_AllocateChannels(count);
  }

  int LoadTune(const std::string& path) override {
    if (!open_ || !music_) return 0;
    QuietStderr quiet;
    Mix_Music* m = Mix_LoadMUS(path.c_str());
    if (!m) return 0;
    tunes_[nextId_] = m;
    return nextId_++;
  }

  void FreeTune(int tune) override {
    auto it = tunes_.find(tune);
    if (it == tunes_.end()) return;
    Mix_FreeMusic(it->second);
    tunes_.erase(it);
  }

  void PlayTune(int tune) override {
    auto it = tunes_.find(tune);
    if (it != tunes_.end()) Mix_PlayMusic(it->second, 0);  // once; no repeat
  }

  void HaltTune() override {
    if (open_) Mix_HaltMusic();
  }

 private:
  // Per-voice volume ramp applied by the mixer thread: once requested, the next few milliseconds
  // fall linearly to zero and everything after stays silent.
  struct Fade {
    std::atomic<bool> requested{false};
    bool active = false;
    int left = 0;
    int total = 1;
    int channels = 2;
  };

  static void FadeEffect(int /*voice*/, void* stream, int len, void* udata) {
    Fade& f = *static_cast<Fade*>(udata);
    if (!f.active) {
      if (!f.requested.load()) return;
      f.active = true;
    }
    auto* s = static_cast<int16_t*>(stream);
    const int frames = len / static_cast<int>(sizeof(int16_t)) / f.channels;
    for (int i = 0; i < frames; ++i) {
      const int gain = f.left > 0 ? (f.left * 32768) / f.total : 0;
      for (int c = 0; c < f.channels; ++c) {
        int16_t& v = s[i * f.channels + c];
        v = static_cast<int16_t>((v * gain) >> 15);
      }
      if (f.left > 0) --f.left;
    }
  }

  int Keep(Mix_Chunk* chunk) {
    if (!chunk) return 0;
    samples_[nextId_] = chunk;
    return nextId_++;
  }

  bool sdlStarted_ = false;
  bool open_ = false;
  bool music_ = false;
  int outChannels_ = 2;
  int fadeFrames_ = 1;
  int voices_ = 0;
  int nextId_ = 1;
  std::map<int, Mix_Chunk*> samples_;
  std::map<int, Mix_Music*> tunes_;
  std::map<int, Fade> fades_;  // node-based, so the addresses handed to the mixer stay put
};

}  // namespace

std::unique_ptr<SdlMixerPort> SdlMixerPort::Open(const std::string& soundFont) {
  return std::make_unique<SdlMixer>(soundFont);
}

}  // namespace quandel
