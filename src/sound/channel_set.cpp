#include "sound/channel_set.h"

#include <filesystem>

#include "sound/file_checks.h"

namespace quandel {

namespace {

constexpr size_t kMaxMidiBytes = 8 << 20;

}  // namespace

SoundChannelSet::SoundChannelSet(MixerPort& mixer, int firstVoice, std::string folder)
    : mixer_(mixer), firstVoice_(firstVoice), folder_(std::move(folder)) {}

SoundChannelSet::~SoundChannelSet() { CloseAll(); }

bool SoundChannelSet::IsOpen(const std::string& alias) const { return channels_.count(alias) != 0; }

void SoundChannelSet::Execute(const ChannelCommand& command) {
  const std::string& key = command.alias;
  if (command.verb == ChannelCommand::Verb::kOpen) {
    Open(key, command.file);
    return;
  }
  auto it = channels_.find(key);
  if (it == channels_.end()) return;
  switch (command.verb) {
    case ChannelCommand::Verb::kPlay: Play(key, it->second); break;
    case ChannelCommand::Verb::kStop: Stop(key, it->second); break;
    case ChannelCommand::Verb::kClose: Close(key); break;
    default: break;
  }
}

void SoundChannelSet::CloseAll() {
  while (!channels_.empty()) Close(channels_.begin()->first);
}

int SoundChannelSet::LoadTune(const std::string& path) {
  return IsCompleteMidi(ReadFileStart(path, kMaxMidiBytes)) ? mixer_.LoadTune(path) : 0;
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

void SoundChannelSet::Open(const std::string& key, const std::string& name) {
  // As with the system's own channels, a name in use must be closed before it is opened again.
  if (channels_.count(key) != 0 || channels_.size() >= kMaxChannels) return;
  Channel ch;
  if (!name.empty()) {
    const std::string target = folder_.empty() ? name : (std::filesystem::path(folder_) / name).string();
    // Only plain files: a pipe or a device could block the game for good.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(target, ec)) return;
    ch.path = target;
    if (FileStartsWith(target, "MThd")) {
      ch.kind = Kind::kTune;
      ch.id = LoadTune(target);
    } else {
      ch.kind = Kind::kSample;
      ch.id = ReadWaveFileLayout(target) ? mixer_.LoadSample(target) : 0;
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

}  // namespace quandel
