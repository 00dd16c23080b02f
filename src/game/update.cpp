#include "game/update.h"

#include <cmath>

#include "game/game_state.h"
#include "game/numeric.h"

namespace quandel {

namespace {

void UpdateBlastAndMagnet(PlayState& s) {
  if (s.blastTimer != 0) {
    s.blastTimer = static_cast<int16_t>(Mod(s.blastTimer + 1, 45));
    const double left = 45 - s.blastTimer;
    s.blastRadius = RoundI16(60 - left * left / 33.8);
    s.blastY = ToFloat(s.blastY + (static_cast<double>(s.scrollSpeed) + 0.5));
  }
  if (s.magnetTimer != 0) {
    s.magnetTimer = static_cast<int16_t>(Mod(s.magnetTimer + 1, 60));
    s.magnetReach = RoundI16(100 - static_cast<double>(MaxOf(static_cast<float>(s.magnetTimer - 45), 0.0f)) * 6.6);
    s.magnetY = ToFloat(s.magnetY + (static_cast<double>(s.scrollSpeed) + 0.5));
  }
}

void UpdateChains(PlayState& s) {
  for (int slot = 0; slot < kChainSlots; ++slot) {
    if (s.chainFuse[slot] != 0) {
      s.chainFuse[slot] = static_cast<int16_t>(s.chainFuse[slot] + 1);
      if (s.chainFuse[slot] == 60) {
        s.chainShown[slot] = s.chainCount[slot];
        s.chainShownTimer[slot] = 1;
        const int64_t n = s.chainCount[slot];
        const int64_t rounded = RoundHalfEven(static_cast<double>(n + 1) * n * 0.25);
        const float bonus = MaxOf(static_cast<float>(rounded / 10 * 10 - 20), 0.0f);
        s.score = RoundI32(static_cast<double>(s.score) + bonus);
        s.chainFuse[slot] = 0;
        s.chainCount[slot] = 0;
      }
    }
    if (s.chainShownTimer[slot] != 0)
      s.chainShownTimer[slot] = static_cast<int16_t>(Mod(s.chainShownTimer[slot] + 1, 120));
  }
}

void MoveStar(PlayState& s, Star& star) {
  star.x = ToFloat(static_cast<double>(star.x) + star.vx);
  star.y = ToFloat(star.y + (static_cast<double>(star.vy) + s.scrollSpeed));
  if (star.y > 480) {
    star.x = ToFloat(std::floor(static_cast<double>(s.rng.Next()) * 640));
    star.y = -1;
  }
}

void UpdateBurning(PlayState& s, Box& b) {
  b.x = ToFloat(static_cast<double>(b.x) + b.burnVx);
  b.y = ToFloat(b.y + (static_cast<double>(b.burnVy) + s.scrollSpeed));
  b.burnTime = static_cast<int16_t>(b.burnTime + 1);
  const int t = b.burnTime;
  if (b.kind >= BoxKind::kSpecial) {
    const double d = 60 - t;
    b.burnRadius = RoundI16(120 - d * d / 30);
  } else {
    const double d = 30 - t / 2;
    b.burnRadius = RoundI16(45 - d * d / 20);
  }
  if (t == 60) b.state = BoxState::kGone;
}

void UpdateFalling(PlayState& s, int i) {
  Box& b = s.boxes[i];
  if (b.vy > 1) b.vy = MaxOf(ToFloat(b.vy - 0.01), 1.0f);
  if (b.vy < 1) b.vy = MinOf(ToFloat(b.vy + 0.01), 1.0f);
  b.x = ToFloat(static_cast<double>(b.x) + b.vx);
  b.y = ToFloat(b.y + (static_cast<double>(b.vy) + s.scrollSpeed));

  b.spinA = static_cast<int16_t>(Mod(RoundHalfEven(static_cast<double>(b.vx) * 20 + b.spinA + 700), 700));
  b.spinB = static_cast<int16_t>(Mod(RoundHalfEven(static_cast<double>(b.vy) * 20 + b.spinB + 700), 700));
  // When spinB wrapped round this frame, a cube turned on its side rolls over onto the other one.
  if (Mod(b.spinA / 100, 4) != 0) {
    const float t = ToFloat(b.spinB - static_cast<double>(b.vy) * 20);
    if (t < 0 || t > 700) b.spinA = static_cast<int16_t>(800 - (b.spinA / 100) * 100 + Mod(b.spinA, 100));
  }

  const double left = 230 - s.fieldWidth / 2.0;
  const double right = 230 + s.fieldWidth / 2.0;
  if (b.x < left) {
    b.x = ToFloat(left);
    b.vx = -b.vx;
  } else if (b.x > right) {
    b.x = ToFloat(right);
    b.vx = -b.vx;
  }

  if (s.blastTimer != 0 && Distance(s.blastCentre(), b) < s.blastRadius + 8)
    IgniteBox(s, i, s.blastSlot, IgniteForm::kBlast);

  if (s.magnetTimer != 0) {
    const float d = Distance(s.magnetCentre(), b);
    if (d < s.magnetReach + 8) {
      const double strength = (108 - static_cast<double>(d)) / 100 * 0.4 + 0.4;
      const float a = Angle(s.magnetCentre(), b);
      const double keep = 0.6 - (strength - 0.4) * 1.5;
      b.vx = ToFloat(-std::cos(static_cast<double>(a)) * strength + keep * b.vx);
      b.vy = ToFloat(-std::sin(static_cast<double>(a)) * strength + keep * b.vy);
    }
  }
}

bool Compatible(const Box& a, const Box& b) {
  return a.kind == BoxKind::kSpecial || b.kind == BoxKind::kSpecial || a.kind == b.kind;
}

void PairPass(PlayState& s, int i) {
  Box& bi = s.boxes[i];
  for (int j = 0; j < kBoxCount; ++j) {
    Box& bj = s.boxes[j];
    if (bj.state != BoxState::kFalling) continue;
    if (bi.state != BoxState::kFalling) {
      if (bi.state == BoxState::kBurning && bj.y > 0 && Compatible(bi, bj) && j != i &&
          Distance(bi, bj) < bi.burnRadius + 8)
        IgniteBox(s, j, bi.chainSlot, IgniteForm::kChain);
    } else if (j != i && Distance(bi, bj) < 16) {
      // Push the pair apart along the line between them; box j moves after box i.
      const float a = Angle(bi, bj);
      const double c = std::cos(static_cast<double>(a));
      const double sn = std::sin(static_cast<double>(a));
      bi.x = ToFloat((static_cast<double>(bj.x) + bi.x) / 2 - 8 * c);
      bi.y = ToFloat((static_cast<double>(bj.y) + bi.y) / 2 - 8 * sn);
      bj.x = ToFloat((static_cast<double>(bj.x) + bi.x) / 2 + 8 * c);
      bj.y = ToFloat((static_cast<double>(bj.y) + bi.y) / 2 + 8 * sn);
    }
  }
}

}  // namespace

void IgniteBox(PlayState& s, int j, uint8_t slot, IgniteForm form) {
  s.igniteCount = static_cast<uint8_t>(s.igniteCount + 1);
  Box& b = s.boxes[j];
  b.state = BoxState::kBurning;
  b.burnTime = 1;
  b.burnRadius = 1;
  b.burnVx = b.vx;
  b.burnVy = b.vy;
  b.chainSlot = slot;
  if (form == IgniteForm::kBlast || s.chainFuse[slot] != 0) {
    s.chainCount[slot] = static_cast<int16_t>(s.chainCount[slot] + 1);
    s.chainFuse[slot] = 1;
  }
  const int32_t n = s.chainCount[slot];
  s.score = RoundI32((n / 10 * 0.1 + 1) * 100 + s.score);
  s.bombGauge = RoundI16(MinOf(static_cast<float>(n * 8.0 + s.bombGauge), 3000.0f));
  s.magnetGauge = RoundI16(MinOf(static_cast<float>(n * 8.0 + s.magnetGauge), 3000.0f));
}

void UpdateObjects(PlayState& s) {
  UpdateBlastAndMagnet(s);
  UpdateChains(s);
  for (int i = 0; i < kBoxCount; ++i) {
    MoveStar(s, s.stars[i]);
    Box& b = s.boxes[i];
    if (b.state == BoxState::kBurning) {
      UpdateBurning(s, b);
    } else if (b.state == BoxState::kFalling) {
      UpdateFalling(s, i);
    }
    if (b.y > 500 && b.state == BoxState::kFalling) {
      b.state = BoxState::kGone;
      s.timeLeft = RoundI32(MaxOf(static_cast<float>(s.timeLeft - 60), 0.0f));
    }
    PairPass(s, i);
  }
}

}  // namespace quandel
