#include "sound/sound_channels.h"

#include <string>

#include "app/app.h"

namespace quandel {

namespace {

const char* const kNamedChannels[] = {"BGM", "Tick", "Extend", "Magnet", "Bomb", "Short"};

void CloseNamedChannels(Platform& platform) {
  for (const char* name : kNamedChannels) platform.SendSoundCommand(std::string("close ") + name);
}

}  // namespace

void CloseBombChannels(Platform& platform) {
  for (int n = 1; n <= 12; ++n) platform.SendSoundCommand("close Bomb" + std::to_string(n));
}

void CloseSoundChannels(Platform& platform) {
  CloseBombChannels(platform);
  CloseNamedChannels(platform);
}

void OpenSoundChannels(App& app) {
  Platform& p = app.platform;
  GameState& s = app.state;
  CloseBombChannels(p);
  if (s.effectsLevel == 0) {
    for (int n = 1; n <= 12; ++n) {
      const std::string name = "snd/bomb_" + std::to_string(n) + ".wav";
      // A missing file leaves the image as it was (never filled: it plays nothing).
      if (auto bytes = app.dir.Read(name, 16 << 20)) s.bombWaves[n - 1] = std::move(*bytes);
    }
    for (int n = 1; n <= 12; ++n) p.SendSoundCommand("open snd/bomb_" + std::to_string(n) + ".wav alias Bomb" + std::to_string(n));
  } else {
    for (int n = 1; n <= 12; ++n) s.bombWaves[n - 1].assign(1, 0);
    for (int n = 1; n <= 12; ++n) p.SendSoundCommand("open null alias Bomb" + std::to_string(n));
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

}  // namespace quandel
