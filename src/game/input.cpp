#include "game/input.h"

#include "game/numeric.h"

namespace quandel {

namespace {

bool Recording(const PlayState& s) { return !s.recordingOff && s.replayMode == 0; }

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

// The number an event is compared with replayMode by (see EventSource).
int16_t SourceNumber(EventSource from) { return from.replayed ? 1 : from.modifiers; }
bool Acts(const PlayState& s, EventSource from) { return SourceNumber(from) == s.replayMode; }
// Only a live event without modifiers clears the quit hover or presses the quit button.
bool LiveUnmodified(EventSource from) { return SourceNumber(from) == 0; }

}  // namespace

bool OnQuitButton(float x, float y) {
  const ScreenRect& q = kQuitButton;
  return In(x, static_cast<float>(q.x), static_cast<float>(q.x + q.w)) && y >= q.y && y < q.y + q.h;
}

void PointerMoved(PlayState& s, ReplayTable& replay, int16_t /*button*/, EventSource from, float x, float y) {
  // A replayed move can set the quit hover but never clears it.
  if (LiveUnmodified(from)) s.quitHovered = false;
  if (OnQuitButton(x, y)) s.quitHovered = true;
  if (!Acts(s, from)) return;
  const float previous = s.scrollSpeed;
  const float cap = s.frameNo > 60 ? 9.0f : 0.0f;
  s.scrollSpeed =
      MinOf(static_cast<float>(static_cast<double>(MaxOf(static_cast<float>(96.0 - y), 0.0f)) / 480 * 5 * 10), cap);
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

void Clicked(PlayState& s, ReplayTable& replay, SoundCues& sounds, int16_t button, EventSource from, float x, float y) {
  if (s.quitHovered && LiveUnmodified(from)) s.endTimer = kEndTimerPlayOver;
  if (!Acts(s, from)) return;
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

static void Wheel(PlayState& s, ReplayTable& replay, EventSource from, bool towardsUser) {
  if (s.frameNo <= 60 || !Acts(s, from)) return;
  if (Recording(s)) Record(s, replay, towardsUser ? kEventWheelTowards : kEventWheelAway, s.cursorX, s.cursorY);
  if (towardsUser) {
    s.scrollSpeed = 6;
    s.boostFrames = 12;
  } else {
    s.scrollSpeed = 0;
    s.boostFrames = 0;
  }
}

void WheelTowards(PlayState& s, ReplayTable& replay, EventSource from) { Wheel(s, replay, from, true); }
void WheelAway(PlayState& s, ReplayTable& replay, EventSource from) { Wheel(s, replay, from, false); }

}  // namespace quandel
