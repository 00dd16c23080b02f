#include "sound/sound_channels.h"

#include <filesystem>

#include "platform/file_io.h"

namespace quandel {

namespace {

using Kind = SoundCue::Kind;

constexpr SoundChannel kChannels[] = {
    {"Bomb1", "snd/bomb_1.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 1},
    {"Bomb2", "snd/bomb_2.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 2},
    {"Bomb3", "snd/bomb_3.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 3},
    {"Bomb4", "snd/bomb_4.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 4},
    {"Bomb5", "snd/bomb_5.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 5},
    {"Bomb6", "snd/bomb_6.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 6},
    {"Bomb7", "snd/bomb_7.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 7},
    {"Bomb8", "snd/bomb_8.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 8},
    {"Bomb9", "snd/bomb_9.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 9},
    {"Bomb10", "snd/bomb_10.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 10},
    {"Bomb11", "snd/bomb_11.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 11},
    {"Bomb12", "snd/bomb_12.wav", Silencer::kEffectsHalf, Kind::kBombChannel, 12},
    {"BGM", "snd/bgm.mid", Silencer::kMusicOff, Kind::kMusic, 0},
    {"Tick", "snd/tick.wav", Silencer::kEffectsOff, Kind::kTick, 0},
    {"Extend", "snd/extend.wav", Silencer::kEffectsOff, Kind::kExtend, 0},
    {"Bomb", "snd/bomb_m.wav", Silencer::kEffectsOff, Kind::kBomb, 0},
    {"Magnet", "snd/magnet.wav", Silencer::kEffectsOff, Kind::kMagnet, 0},
    {"Short", "snd/short.wav", Silencer::kEffectsOff, Kind::kShort, 0},
};

// The channel a cue plays; chain waves play from memory and have none.
const SoundChannel* ChannelOf(const SoundCue& cue) {
  const uint8_t number = cue.kind == Kind::kBombChannel ? cue.number : 0;
  for (const SoundChannel& ch : kChannels) {
    if (ch.cue == cue.kind && ch.number == number) return &ch;
  }
  return nullptr;
}

}  // namespace

std::span<const SoundChannel> SoundChannels() { return kChannels; }

bool IsSilenced(const SoundChannel& ch, const Settings& s) {
  switch (ch.silencedBy) {
    case Silencer::kMusicOff: return s.musicOff != 0;
    case Silencer::kEffectsHalf: return s.effectsLevel != 0;
    case Silencer::kEffectsOff: return s.effectsLevel >= 2;
  }
  return true;
}

void LoadBombWaves(BombWaves& waves, const Settings& settings, const std::string& folder) {
  for (const SoundChannel& ch : kChannels) {
    if (ch.cue != Kind::kBombChannel) continue;
    std::vector<uint8_t>& wave = waves[ch.number - 1];
    if (IsSilenced(ch, settings)) {
      wave.assign(1, 0);
    } else if (auto bytes = ReadRegularFile(
                   folder.empty() ? ch.file : (std::filesystem::path(folder) / ch.file).string(), 16 << 20)) {
      wave = std::move(*bytes);
    }
  }
}

void CloseBombChannels(SoundOutput& out) {
  for (const SoundChannel& ch : kChannels) {
    if (ch.cue == Kind::kBombChannel) out.Send(ChannelCommand::Close(ch.alias));
  }
}

void CloseSoundChannels(SoundOutput& out) {
  for (const SoundChannel& ch : kChannels) out.Send(ChannelCommand::Close(ch.alias));
}

void OpenSoundChannels(SoundOutput& out, const Settings& settings) {
  CloseSoundChannels(out);
  for (const SoundChannel& ch : kChannels)
    out.Send(ChannelCommand::Open(ch.alias, IsSilenced(ch, settings) ? "" : ch.file));
}

void StopMusic(SoundOutput& out) { out.Send(ChannelCommand::Stop(ChannelOf({Kind::kMusic})->alias)); }

std::string SoundCueText(const SoundCue& cue) {
  if (cue.kind == Kind::kBombWave) return CommandText(WavePlay{cue.number, {}});
  const SoundChannel* ch = ChannelOf(cue);
  return ch ? CommandText(ChannelCommand::Play(ch->alias)) : std::string();
}

void PlaySoundCue(SoundOutput& out, const SoundCue& cue, const BombWaves& waves) {
  if (cue.kind == Kind::kBombWave) {
    if (cue.number >= 1 && cue.number <= waves.size()) out.Send(WavePlay{cue.number, waves[cue.number - 1]});
    return;
  }
  if (const SoundChannel* ch = ChannelOf(cue)) out.Send(ChannelCommand::Play(ch->alias));
}

}  // namespace quandel
