// The game's named sound channels over a mixer: effects as samples on voices of their own, the
// music as a MIDI tune on the mixer's single music output.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/mixer_port.h"
#include "sound/sound_output.h"

namespace quandel {

// Each sample channel keeps a voice of its own, from `firstVoice` on; a tune channel shares the
// mixer's single music output.
class SoundChannelSet {
 public:
  static constexpr size_t kMaxChannels = 64;

  // Relative file names are taken from `folder` (the working directory when it is empty).
  SoundChannelSet(MixerPort& mixer, int firstVoice, std::string folder = {});
  ~SoundChannelSet();
  SoundChannelSet(const SoundChannelSet&) = delete;
  SoundChannelSet& operator=(const SoundChannelSet&) = delete;

  // Commands to channels that are not open, an open on a name in use, and files that cannot be
  // loaded change nothing (a failed open leaves the name closed). Effects must be plain wave
  // files (see ReadWaveLayout); anything else is a missing sound.
  void Execute(const ChannelCommand& command);
  void CloseAll();

  bool IsOpen(const std::string& alias) const;
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

  void Open(const std::string& key, const std::string& name);
  void Play(const std::string& key, Channel& channel);
  void Stop(const std::string& key, Channel& channel);
  void Close(const std::string& key);
  void Refresh(Channel& channel);
  int TakeVoice();
  int LoadTune(const std::string& path);

  MixerPort& mixer_;
  int firstVoice_;
  std::string folder_;
  std::map<std::string, Channel> channels_;  // by name
  std::vector<bool> voiceBusy_;
  std::string tuneOwner_;  // the channel whose tune the mixer is playing, if any
};

}  // namespace quandel
