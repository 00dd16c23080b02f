#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>

namespace quandel {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool Is(std::string_view word, std::string_view keyword) { return Lower(word) == keyword; }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t j = i;
    while (j < text.size() && text[j] != ' ' && text[j] != '\t') ++j;
    if (j > i) words.push_back(text.substr(i, j - i));
    i = j;
  }
  return words;
}

constexpr size_t kMaxMidiBytes = 8 << 20;

bool FileStartsWith(const std::string& path, const char (&magic)[5]) {
  std::ifstream in(path, std::ios::binary);
  char head[4] = {};
  return in.read(head, 4) && std::memcmp(head, magic, 4) == 0;
}

std::vector<uint8_t> ReadUpTo(const std::string& path, size_t limit) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  bytes.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  return bytes;
}

uint32_t BigEndian(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | p[i];
  return v;
}

// A variable-length quantity of at most four bytes; false when it runs past `end`.
bool ReadVarLen(const uint8_t*& p, const uint8_t* end, uint32_t& value) {
  value = 0;
  for (int i = 0; i < 4; ++i) {
    if (p >= end) return false;
    const uint8_t b = *p++;
    value = (value << 7) | (b & 0x7f);
    if (!(b & 0x80)) return true;
  }
  return false;
}

bool IsCompleteTrack(const uint8_t* p, const uint8_t* end) {
  uint8_t running = 0;
  while (p < end) {
    uint32_t delta, length;
    if (!ReadVarLen(p, end, delta) || p >= end) return false;
    uint8_t status = *p;
    if (status & 0x80) {
      ++p;
    } else if (running != 0) {
      status = running;
    } else {
      return false;
    }
    if (status == 0xff) {
      if (p >= end) return false;
      const uint8_t type = *p++;
      if (!ReadVarLen(p, end, length) || length > static_cast<uint32_t>(end - p)) return false;
      if (type == 0x2f) return true;  // end of track
      p += length;
      running = 0;
    } else if (status == 0xf0 || status == 0xf7) {
      if (!ReadVarLen(p, end, length) || length > static_cast<uint32_t>(end - p)) return false;
      p += length;
      running = 0;
    } else if (status > 0xf0) {
      return false;  // real-time and common messages have no place in a file
    } else {
      const int data = (status & 0xf0) == 0xc0 || (status & 0xf0) == 0xd0 ? 1 : 2;
      if (end - p < data) return false;
      for (int i = 0; i < data; ++i) {
        if (*p++ & 0x80) return false;
      }
      running = status;
    }
  }
  return false;  // no end marker
}

size_t HashBytes(const std::vector<uint8_t>& bytes) {
  return std::hash<std::string_view>{}(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

SoundCommand ParseSoundCommand(std::string_view text) {
  const std::vector<std::string_view> w = Words(text);
  SoundCommand cmd;
  if (w.empty()) return cmd;
  if (Is(w[0], "open")) {
    if (w.size() != 4 || !Is(w[2], "alias")) return cmd;
    cmd.verb = SoundCommand::Verb::kOpen;
    cmd.alias = w[3];
    if (!Is(w[1], "null")) cmd.target = w[1];
    return cmd;
  }
  if (Is(w[0], "play")) {
    if (w.size() < 2) return cmd;
    // Only a start from the very beginning is in the game's vocabulary.
    for (size_t i = 2; i < w.size(); ++i) {
      if (Is(w[i], "notify")) continue;
      if (Is(w[i], "from") && i + 1 < w.size() && w[i + 1] == "0") {
        ++i;
        continue;
      }
      return cmd;
    }
    cmd.verb = SoundCommand::Verb::kPlay;
    cmd.alias = w[1];
    return cmd;
  }
  if (w.size() != 2) return cmd;
  if (Is(w[0], "stop")) cmd.verb = SoundCommand::Verb::kStop;
  else if (Is(w[0], "close")) cmd.verb = SoundCommand::Verb::kClose;
  else return cmd;
  cmd.alias = w[1];
  return cmd;
}

bool LooksLikeWave(const uint8_t* data, size_t size) {
  return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0;
}

bool IsCompleteMidi(const std::vector<uint8_t>& bytes) {
  const uint8_t* b = bytes.data();
  const size_t size = bytes.size();
  if (size < 14 || std::memcmp(b, "MThd", 4) != 0) return false;
  const uint32_t headerLength = BigEndian(b + 4, 4);
  const uint32_t format = BigEndian(b + 8, 2), tracks = BigEndian(b + 10, 2), division = BigEndian(b + 12, 2);
  if (headerLength < 6 || headerLength > size - 8 || format > 2 || tracks == 0 || division == 0) return false;
  size_t pos = 8 + headerLength;
  uint32_t found = 0;
  while (found < tracks) {
    if (size - pos < 8) return false;
    const uint32_t length = BigEndian(b + pos + 4, 4);
    if (length > size - pos - 8) return false;
    if (std::memcmp(b + pos, "MTrk", 4) == 0) {
      if (!IsCompleteTrack(b + pos + 8, b + pos + 8 + length)) return false;
      ++found;
    }
    pos += 8 + length;
  }
  return true;
}

// ---- Named channels ----

SoundChannelSet::SoundChannelSet(MixerPort& mixer, int firstVoice) : mixer_(mixer), firstVoice_(firstVoice) {}

SoundChannelSet::~SoundChannelSet() { CloseAll(); }

bool SoundChannelSet::IsOpen(std::string_view alias) const { return channels_.count(Lower(alias)) != 0; }

void SoundChannelSet::Execute(const SoundCommand& command) {
  if (command.verb == SoundCommand::Verb::kNone) return;
  const std::string key = Lower(command.alias);
  if (command.verb == SoundCommand::Verb::kOpen) {
    Open(key, command.target);
    return;
  }
  auto it = channels_.find(key);
  if (it == channels_.end()) return;
  switch (command.verb) {
    case SoundCommand::Verb::kPlay: Play(key, it->second); break;
    case SoundCommand::Verb::kStop: Stop(key, it->second); break;
    case SoundCommand::Verb::kClose: Close(key); break;
    default: break;
  }
}

void SoundChannelSet::CloseAll() {
  while (!channels_.empty()) Close(channels_.begin()->first);
}

int SoundChannelSet::LoadTune(const std::string& path) {
  return IsCompleteMidi(ReadUpTo(path, kMaxMidiBytes)) ? mixer_.LoadTune(path) : 0;
}

int SoundChannelSet::TakeVoice() {
  for (size_t i = 0; i < voiceBusy_.size(); ++i) {
    if (!voiceBusy_[i]) {
      voiceBusy_[i] = true;
      return firstVoice_ + static_cast<int>(i);
    }
  }
  voiceBusy_.push_back(true);
  mixer_.ReserveVoices(firstVoice_ + static_cast<int>(voiceBusy_.size()));
  return firstVoice_ + static_cast<int>(voiceBusy_.size()) - 1;
}

void SoundChannelSet::Open(const std::string& key, const std::string& target) {
  // As with the system's own channels, a name in use must be closed before it is opened again.
  if (channels_.count(key) != 0 || channels_.size() >= kMaxChannels) return;
  Channel ch;
  if (!target.empty()) {
    // Only plain files: a pipe or a device could block the game for good.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(target, ec)) return;
    ch.path = target;
    if (FileStartsWith(target, "MThd")) {
      ch.kind = Kind::kTune;
      ch.id = LoadTune(target);
    } else {
      ch.kind = Kind::kSample;
      ch.id = mixer_.LoadSample(target);
    }
    if (ch.id == 0) return;  // a failed open leaves the name free, and the channel silent
    if (ch.kind == Kind::kSample) ch.voice = TakeVoice();
  }
  channels_.emplace(key, std::move(ch));
}

// A tune that has played cannot be rewound by the synthesiser, so it is loaded afresh; doing it at
// stop time keeps the cost away from the moment the music starts.
void SoundChannelSet::Refresh(Channel& ch) {
  if (ch.kind != Kind::kTune || !ch.played) return;
  mixer_.FreeTune(ch.id);
  ch.id = LoadTune(ch.path);
  ch.played = false;
  if (ch.id == 0) ch.kind = Kind::kSilent;
}

void SoundChannelSet::Play(const std::string& key, Channel& ch) {
  if (ch.kind == Kind::kSample) {
    mixer_.PlaySample(ch.id, ch.voice);
  } else if (ch.kind == Kind::kTune) {
    Refresh(ch);
    if (ch.kind != Kind::kTune) return;
    mixer_.PlayTune(ch.id);
    ch.played = true;
    tuneOwner_ = key;
  }
}

void SoundChannelSet::Stop(const std::string& key, Channel& ch) {
  if (ch.kind == Kind::kSample) {
    mixer_.HaltVoice(ch.voice);
  } else if (ch.kind == Kind::kTune) {
    if (tuneOwner_ == key) {
      mixer_.HaltTune();
      tuneOwner_.clear();
    }
    Refresh(ch);
  }
}

void SoundChannelSet::Close(const std::string& key) {
  auto it = channels_.find(key);
  if (it == channels_.end()) return;
  Channel& ch = it->second;
  if (ch.kind == Kind::kSample) {
    mixer_.HaltVoice(ch.voice);
    mixer_.FreeSample(ch.id);
    voiceBusy_[static_cast<size_t>(ch.voice - firstVoice_)] = false;
  } else if (ch.kind == Kind::kTune) {
    if (tuneOwner_ == key) {
      mixer_.HaltTune();
      tuneOwner_.clear();
    }
    mixer_.FreeTune(ch.id);
  }
  channels_.erase(it);
}

// ---- Wave images ----

WaveImagePlayer::WaveImagePlayer(MixerPort& mixer, int firstVoice) : mixer_(mixer), firstVoice_(firstVoice) {
  mixer_.ReserveVoices(firstVoice_ + 2);
}

WaveImagePlayer::~WaveImagePlayer() { Clear(); }

void WaveImagePlayer::Play(const std::vector<uint8_t>& image) {
  const int sample = LooksLikeWave(image.data(), image.size()) ? Lookup(image) : 0;
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

int WaveImagePlayer::Lookup(const std::vector<uint8_t>& image) {
  const size_t hash = HashBytes(image);
  for (Entry& e : cache_) {
    if (e.hash == hash && e.bytes == image) {
      e.lastUse = ++uses_;
      return e.sample;
    }
  }
  if (cache_.size() >= kCacheLimit) Evict();
  Entry e;
  e.bytes = image;
  e.hash = hash;
  e.sample = mixer_.LoadSampleImage(image);
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

// ---- Soundfonts ----

std::vector<std::string> DefaultSoundFontPaths() {
  return {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf3/default-GM.sf3",
          "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf2/FluidR3_GM.sf2",
          "/usr/share/soundfonts/default.sf2",    "/usr/share/soundfonts/FluidR3_GM.sf2"};
}

std::string FindSoundFont(const std::vector<std::string>& candidates) {
  for (const std::string& path : candidates) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) continue;
    std::ifstream in(path, std::ios::binary);
    char head[12] = {};
    if (!in.read(head, 12)) continue;
    if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "sfbk", 4) != 0) continue;
    const std::filesystem::path real = std::filesystem::canonical(path, ec);
    return ec ? path : real.string();
  }
  return {};
}

// ---- SDL_mixer ----

namespace {

constexpr int kFrequency = 44100;
constexpr int kChunkFrames = 1024;
constexpr int kImageVoices = 2;   // voices 0 and 1 play the wave images
constexpr int kInitialVoices = 24;
constexpr int kFadeMs = 6;

// ALSA, the disk driver and FluidSynth talk on stderr when something is missing; the player is
// never shown such messages, so stderr goes to /dev/null while the library is asked.
class QuietStderr {
 public:
  QuietStderr() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~QuietStderr() {
    std::fflush(stderr);
    if (saved_ >= 0) {
      dup2(saved_, STDERR_FILENO);
      close(saved_);
    }
  }
  QuietStderr(const QuietStderr&) = delete;
  QuietStderr& operator=(const QuietStderr&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace

class SdlMixerAudio::SdlMixer final : public MixerPort {
 public:
  explicit SdlMixer(const AudioOptions& options) {
    QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
    sdlStarted_ = true;
    // FluidSynth reads the soundfont list when it is first used; without one, MIDI stays silent.
    const std::string font = FindSoundFont(options.soundFonts);
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

  bool open() const { return open_; }
  bool music() const { return music_; }

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

SdlMixerAudio::SdlMixerAudio(const AudioOptions& options)
    : mixer_(std::make_unique<SdlMixer>(options)),
      channels_(std::make_unique<SoundChannelSet>(*mixer_, kImageVoices)),
      waves_(std::make_unique<WaveImagePlayer>(*mixer_, 0)) {}

SdlMixerAudio::~SdlMixerAudio() {
  waves_.reset();
  channels_.reset();
  mixer_.reset();
}

bool SdlMixerAudio::deviceOpen() const { return mixer_->open(); }
bool SdlMixerAudio::musicAvailable() const { return mixer_->music(); }

void SdlMixerAudio::SendSoundCommand(const std::string& command) {
  if (!mixer_->open()) return;
  // The game never checks a sound command; nothing may escape into it.
  try {
    channels_->Execute(ParseSoundCommand(command));
  } catch (...) {
  }
}

void SdlMixerAudio::PlayWave(const std::vector<uint8_t>& image, int /*number*/) {
  if (!mixer_->open()) return;
  try {
    waves_->Play(image);
  } catch (...) {
  }
}

}  // namespace quandel
