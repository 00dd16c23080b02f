// The game's sound on SDL_mixer: named channels driven by the game's command strings (effects as
// samples on their own mixer voices, the music as a MIDI tune through FluidSynth), and a
// one-at-a-time player for wave files held in memory. Without a device, a soundfont or a sound
// file the game simply stays silent where it must; nothing here throws or prints.
//
// The command handling and the wave player are plain code over a small mixer interface, so they
// can be exercised without an audio device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sound_backend.h"

namespace quandel {

// One command of the game's vocabulary, taken apart.
struct SoundCommand {
  enum class Verb { kNone, kOpen, kPlay, kStop, kClose };
  Verb verb = Verb::kNone;
  std::string alias;   // the channel name as written; names match without regard to case
  std::string target;  // open only: the file, or empty for the null target
};

// "open FILE alias NAME", "open null alias NAME", "play NAME [notify] [from 0]", "stop NAME",
// "close NAME" (keywords in any case, words separated by blanks). Anything else is kNone.
// Every form of play starts from the beginning.
SoundCommand ParseSoundCommand(std::string_view text);

// True when the bytes start like a RIFF WAVE file.
bool LooksLikeWave(const uint8_t* data, size_t size);
// True for a complete standard MIDI file: a header and all its tracks, every event whole and every
// track closed by its end marker. The synthesiser complains on stderr about anything less.
bool IsCompleteMidi(const std::vector<uint8_t>& bytes);

// What the channels need from a mixer. Samples and tunes are numbered from 1; 0 is a failed load.
// Voices are the mixer's channels, numbered from 0.
class MixerPort {
 public:
  virtual ~MixerPort() = default;
  virtual int LoadSample(const std::string& path) = 0;
  virtual int LoadSampleImage(const std::vector<uint8_t>& image) = 0;
  virtual void FreeSample(int sample) = 0;
  // From the beginning, cutting whatever the voice plays.
  virtual void PlaySample(int sample, int voice) = 0;
  virtual void HaltVoice(int voice) = 0;
  // A few milliseconds down to silence, so that a cut does not click.
  virtual void FadeOutVoice(int voice) = 0;
  virtual void ReserveVoices(int count) = 0;
  virtual int LoadTune(const std::string& path) = 0;
  virtual void FreeTune(int tune) = 0;
  // Once, cutting the tune that plays (the mixer plays one tune at a time).
  virtual void PlayTune(int tune) = 0;
  virtual void HaltTune() = 0;
};

// The named channels. Each sample channel keeps a voice of its own, from `firstVoice` on; a tune
// channel shares the mixer's single music output.
class SoundChannelSet {
 public:
  static constexpr size_t kMaxChannels = 64;

  SoundChannelSet(MixerPort& mixer, int firstVoice);
  ~SoundChannelSet();
  SoundChannelSet(const SoundChannelSet&) = delete;
  SoundChannelSet& operator=(const SoundChannelSet&) = delete;

  // Commands to channels that are not open, an open on a name in use, and files that cannot be
  // loaded change nothing (a failed open leaves the name closed).
  void Execute(const SoundCommand& command);
  void CloseAll();

  bool IsOpen(std::string_view alias) const;
  size_t openCount() const { return channels_.size(); }

 private:
  enum class Kind { kSilent, kSample, kTune };
  struct Channel {
    Kind kind = Kind::kSilent;
    int id = 0;
    int voice = -1;
    std::string path;
    bool played = false;  // a played tune cannot be rewound; it is loaded afresh
  };

  void Open(const std::string& key, const std::string& target);
  void Play(const std::string& key, Channel& channel);
  void Stop(const std::string& key, Channel& channel);
  void Close(const std::string& key);
  void Refresh(Channel& channel);
  int TakeVoice();
  int LoadTune(const std::string& path);

  MixerPort& mixer_;
  int firstVoice_;
  std::map<std::string, Channel> channels_;  // by lower-case name
  std::vector<bool> voiceBusy_;
  std::string tuneOwner_;  // the channel whose tune the mixer is playing, if any
};

// Wave files held in memory, one at a time: a new image cuts the one that sounds (with a short
// fade, on the second of two voices); an image that is not a wave file only stops it. Decoded
// images are kept by content, since decoding and converting one takes about a millisecond.
class WaveImagePlayer {
 public:
  static constexpr size_t kCacheLimit = 24;

  WaveImagePlayer(MixerPort& mixer, int firstVoice);
  ~WaveImagePlayer();
  WaveImagePlayer(const WaveImagePlayer&) = delete;
  WaveImagePlayer& operator=(const WaveImagePlayer&) = delete;

  void Play(const std::vector<uint8_t>& image);
  void Clear();
  size_t cachedCount() const { return cache_.size(); }

 private:
  struct Entry {
    std::vector<uint8_t> bytes;
    size_t hash = 0;
    int sample = 0;  // 0: the image could not be decoded
    uint64_t lastUse = 0;
  };
  int Lookup(const std::vector<uint8_t>& image);
  void Evict();

  MixerPort& mixer_;
  int firstVoice_;
  std::vector<Entry> cache_;
  int current_ = -1;  // the voice (0 or 1) that sounds, or -1
  int last_ = 1;      // the voice used last
  uint64_t uses_ = 0;
};

// Soundfonts looked for, in order, when the MIDI music needs one (Debian's defaults first).
std::vector<std::string> DefaultSoundFontPaths();
// The first candidate that is a readable soundfont file (RIFF "sfbk"), or "" when none is.
std::string FindSoundFont(const std::vector<std::string>& candidates);

struct AudioOptions {
  std::vector<std::string> soundFonts = DefaultSoundFontPaths();
};

class SdlMixerAudio final : public SoundBackend {
 public:
  // Starts SDL's audio and opens the device at 44100 Hz, 16-bit stereo. When that fails the object
  // stays silent for its whole life.
  explicit SdlMixerAudio(const AudioOptions& options = {});
  ~SdlMixerAudio() override;
  SdlMixerAudio(const SdlMixerAudio&) = delete;
  SdlMixerAudio& operator=(const SdlMixerAudio&) = delete;

  bool deviceOpen() const;
  // A soundfont was found, so MIDI files can be heard.
  bool musicAvailable() const;

  void SendSoundCommand(const std::string& command) override;
  void PlayWave(const std::vector<uint8_t>& image, int number) override;

 private:
  class SdlMixer;
  std::unique_ptr<SdlMixer> mixer_;
  std::unique_ptr<SoundChannelSet> channels_;
  std::unique_ptr<WaveImagePlayer> waves_;
};

}  // namespace quandel
