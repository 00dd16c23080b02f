#include "game/input.h"

#include "game/numeric.h"

namespace quandel {

namespace {

bool Recording(const PlayState& s) { return s.replaySave == 0 && s.replayMode == 0; }

void Record(PlayState& s, ReplayTable& table, uint8_t bit, float x, float y) {
  if (s.replayPos < 0 || s.replayPos >= static_cast<int>(table.replay.size())) return;
  ReplayRecord& slot = table.replay[s.replayPos];
  slot.frame = s.frameNo;
  slot.x = x;
  slot.y = y;
  // Past the last slot every event lands here again; the byte simply wraps (never saved).
  slot.flags = static_cast<uint8_t>(slot.flags + bit);
  s.replayPos = RoundI16(MinOf(static_cast<float>(s.replayPos + 1), 9999.0f));
}

bool In(float v, float lo, float hi) { return v >= lo && v <= hi; }

}  // namespace

bool OnQuitButton(float x, float y) { return In(x, 480, 560) && y >= 463 && y < 478; }

uint8_t TitleItemAt(float x, float y, bool replayAvailable) {
  if (In(x, 105, 355) && In(y, 300, 330)) return 1;
  if (replayAvailable && In(x, 135, 325) && In(y, 380, 405)) return 12;
  // In the settings rows a point in a gap between two entries is no item.
  if (x >= 360 && In(y, 255, 275)) {
    for (int item = 2; item <= 6; ++item) {
      const float left = 360.0f + 55.0f * (item - 2);
      if (In(x, left, left + 50)) return static_cast<uint8_t>(item);
    }
    return 0;
  }
  if (x >= 470 && In(y, 315, 335)) {
    for (int item = 7; item <= 8; ++item) {
      const float left = 470.0f + 110.0f * (item - 7);
      if (In(x, left, left + 50)) return static_cast<uint8_t>(item);
    }
    return 0;
  }
  if (x >= 470 && In(y, 375, 395)) {
    for (int item = 9; item <= 11; ++item) {
      const float left = 470.0f + 55.0f * (item - 9);
      if (In(x, left, left + 50)) return static_cast<uint8_t>(item);
    }
  }
  return 0;
}

void picMain_MouseMove(PlayState& s, ReplayTable& replay, int16_t /*button*/, int16_t marker, float x, float y) {
  // A replayed move can set the quit hover but never clears it.
  if (marker == 0) s.menuHover = 0;
  if (OnQuitButton(x, y)) s.menuHover = 1;
  if (marker != s.replayMode) return;
  const float previous = s.scrollSpeed;
  const float cap = s.frameNo > 60 ? 9.0f : 0.0f;
  s.scrollSpeed = MinOf(static_cast<float>(static_cast<double>(MaxOf(static_cast<float>(96.0 - y), 0.0f)) / 480 * 5 * 10), cap);
  if (Recording(s) && s.scrollSpeed != previous) Record(s, replay, kEventScrollMove, x, y);
  s.cursorX = x;
  s.cursorY = y;
  if (s.blastTimer == 0) {
    s.blastX = x;
    s.blastY = y;
  }
  if (s.magnetTimer == 0) {
    s.magnetX = x;
    s.magnetY = y;
  }
}

void picMain_MouseDown(PlayState& s, ReplayTable& replay, SoundCues& sounds, int16_t button, int16_t marker, float x, float y) {
  if (s.menuHover == 1 && marker == 0) s.endTimer = 10240;
  if (marker != s.replayMode) return;
  if (button == 1 && s.blastTimer == 0 && s.timeLeft > 0 && s.frameNo > 60) {
    if (Recording(s)) Record(s, replay, kEventLeftClick, x, y);
    if (s.bombGauge >= 1000) {
      s.bombGauge = static_cast<int16_t>(s.bombGauge - 1000);
      s.blastTimer = 1;
      s.blastX = x;
      s.blastY = y;
      s.blastRadius = 1;
      for (uint8_t slot = 0; slot < kChainSlots; ++slot) {
        if (s.chainFuse[slot] == 0) {
          s.blastSlot = slot;
          break;
        }
      }
      sounds.push_back({SoundCue::Kind::kBomb});
    } else {
      sounds.push_back({SoundCue::Kind::kShort});
    }
  } else if (button == 2 && s.timeLeft > 0 && s.frameNo > 60) {
    if (Recording(s)) Record(s, replay, kEventRightClick, x, y);
    if (s.magnetGauge >= 1000) {
      s.magnetGauge = static_cast<int16_t>(s.magnetGauge - 1000);
      s.magnetTimer = 1;
      s.magnetX = x;
      s.magnetY = y;
      s.magnetReach = 100;
      sounds.push_back({SoundCue::Kind::kMagnet});
    } else {
      sounds.push_back({SoundCue::Kind::kShort});
    }
  }
}

TitleChoice TitleClick(uint8_t item, Settings& settings) {
  switch (item) {
    case 1:
      return TitleChoice::kPlay;
    case 12:
      return TitleChoice::kReplay;
    case 2:
      settings.autoFrameSkip = 1;
      return TitleChoice::kFrameSkip;
    case 3: case 4: case 5: case 6:
      settings.frameSkip = static_cast<uint8_t>(6 - item);
      settings.autoFrameSkip = 0;
      return TitleChoice::kFrameSkip;
    case 7: case 8:
      settings.musicOff = static_cast<uint8_t>(8 - item);
      return TitleChoice::kSound;
    case 9: case 10: case 11:
      settings.effectsLevel = static_cast<uint8_t>(11 - item);
      return TitleChoice::kSound;
    default:
      return TitleChoice::kNone;
  }
}

static void Wheel(PlayState& s, ReplayTable& replay, uint8_t marker, bool towardsUser) {
  if (s.frameNo <= 60 || marker != s.replayMode) return;
  if (Recording(s)) Record(s, replay, towardsUser ? kEventWheelTowards : kEventWheelAway, s.cursorX, s.cursorY);
  if (towardsUser) {
    s.scrollSpeed = 6;
    s.boostFrames = 12;
  } else {
    s.scrollSpeed = 0;
    s.boostFrames = 0;
  }
}

void WheelMinus(PlayState& s, ReplayTable& replay, uint8_t marker) { Wheel(s, replay, marker, true); }
void WheelPlus(PlayState& s, ReplayTable& replay, uint8_t marker) { Wheel(s, replay, marker, false); }

}  // namespace quandel
