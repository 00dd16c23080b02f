#include "sound/sound_channels.h"

#include "platform/platform.h"

namespace quandel {

namespace {

const char* const kNamedChannels[] = {"BGM", "Tick", "Extend", "Magnet", "Bomb", "Short"};

void CloseNamedChannels(Platform& platform) {
  for (const char* name : kNamedChannels) platform.SendSoundCommand(std::string("close ") + name);
}

}  // namespace

std::string BombWaveFile(int n) { return "snd/bomb_" + std::to_string(n) + ".wav"; }

void CloseBombChannels(Platform& platform) {
  for (int n = 1; n <= 12; ++n) platform.SendSoundCommand("close Bomb" + std::to_string(n));
}

void CloseSoundChannels(Platform& platform) {
  CloseBombChannels(platform);
  CloseNamedChannels(platform);
}

void OpenSoundChannels(Platform& p, const Settings& s) {
  CloseBombChannels(p);
  for (int n = 1; n <= 12; ++n) {
    const std::string target = s.effectsLevel == 0 ? BombWaveFile(n) : "null";
    p.SendSoundCommand("open " + target + " alias Bomb" + std::to_string(n));
  }
  CloseNamedChannels(p);
  p.SendSoundCommand(s.musicOff != 0 ? "open null alias BGM" : "open snd/bgm.mid alias BGM");
  if (s.effectsLevel >= 2) {
    for (const char* name : {"Tick", "Extend", "Bomb", "Magnet", "Short"}) p.SendSoundCommand(std::string("open null alias ") + name);
  } else {
    p.SendSoundCommand("open snd/tick.wav alias Tick");
    p.SendSoundCommand("open snd/extend.wav alias Extend");
    p.SendSoundCommand("open snd/bomb_m.wav alias Bomb");
    p.SendSoundCommand("open snd/magnet.wav alias Magnet");
    p.SendSoundCommand("open snd/short.wav alias Short");
  }
}

std::string SoundCueText(const SoundCue& cue) {
  using Kind = SoundCue::Kind;
  switch (cue.kind) {
    case Kind::kMusic: return "play BGM notify from 0";
    case Kind::kTick: return "play Tick notify from 0";
    case Kind::kExtend: return "play Extend notify from 0";
    case Kind::kBomb: return "play Bomb notify from 0";
    case Kind::kMagnet: return "play Magnet notify from 0";
    case Kind::kShort: return "play Short notify from 0";
    case Kind::kBombChannel: return "play Bomb" + std::to_string(cue.number) + " notify from 0";
    case Kind::kBombWave: return "wave " + std::to_string(cue.number);
  }
  return {};
}

void PlaySoundCue(Platform& platform, const SoundCue& cue, const BombWaves& waves) {
  if (cue.kind == SoundCue::Kind::kBombWave) {
    if (cue.number >= 1 && cue.number <= waves.size()) platform.PlayWave(waves[cue.number - 1], cue.number);
    return;
  }
  platform.SendSoundCommand(SoundCueText(cue));
}

}  // namespace quandel
