#include "game/spawn.h"

#include <cmath>

#include "game/game_state.h"
#include "game/numeric.h"

namespace quandel {

namespace {

struct Pattern {
  int32_t spacing;  // a formation each time the meter enters a new interval of this length
  int32_t special;  // the special box's interval, 0 for none
  int32_t wrap;     // the meter is kept inside [wrap, 2 wrap)
};

Pattern PatternFor(int16_t stage) {
  switch (Mod(stage, 10)) {
    case 0:
    case 5: return {1200, 0, 4800};
    case 1: return {240, 2400, 4800};
    case 2:
    case 7: return {350, 6300, 3500};
    case 3: return {800, 6400, 8000};
    case 4:
    case 9: return {200, 6000, 6000};
    case 6: return {240, 2400, 4800};
    case 8: return {800, 4000, 8000};
    default: return {1200, 0, 4800};  // negative stages never happen
  }
}

class Spawner {
 public:
  explicit Spawner(PlayState& s) : s_(s), w_(s.fieldWidth) {}

  // Takes the lowest free slot and fills in what every new box gets; `fields` sets the pattern's
  // own fields (drawing its random numbers), then the spin phases are drawn. No free slot: the
  // box is skipped and draws nothing.
  template <class Fields>
  void Add(Fields&& fields) {
    for (Box& b : s_.boxes) {
      if (b.state != BoxState::kGone) continue;
      b.state = BoxState::kFalling;
      b.vx = 0;
      b.vy = 1;
      fields(b);
      b.spinA = static_cast<int16_t>(std::floor(static_cast<double>(s_.rng.Next()) * 700));
      b.spinB = static_cast<int16_t>(std::floor(static_cast<double>(s_.rng.Next()) * 700));
      return;
    }
  }

  // floor(r * W) + 230 - W / 2: a random place across the column.
  float RandomColumnX() {
    return static_cast<float>(std::floor(static_cast<double>(s_.rng.Next()) * w_) + 230 - w_ / 2.0);
  }

  void Special(float x, float y, float vx = 0) {
    Add([&](Box& b) {
      b.kind = BoxKind::kSpecial;
      b.x = x;
      b.y = y;
      b.vx = vx;
    });
  }
  void SpecialAtRandom(float y) {
    Add([&](Box& b) {
      b.kind = BoxKind::kSpecial;
      b.x = RandomColumnX();
      b.y = y;
    });
  }

  void Formation(int16_t stage, int32_t m) {
    switch (Mod(stage, 10)) {
      case 0:
      case 5: Row(m); break;
      case 1: ConvergingPair(m); break;
      case 2:
      case 7: Block(m); break;
      case 3: BlockWithCentre(m); break;
      case 4:
      case 9: LooseBoxes(); break;
      case 6: SweepingPair(m); break;
      case 8: Stacks(); break;
    }
  }

  void SpecialBox(int16_t stage, int32_t m) {
    switch (Mod(stage, 10)) {
      case 1: Special(230, -100); break;
      case 2:
      case 7:
      case 3:
      case 8: SpecialAtRandom(-50); break;
      case 4:
      case 9:
        Add([&](Box& b) {
          b.kind = BoxKind::kSpecial;
          b.x = RandomColumnX();
          b.y = -100;
          b.vx = static_cast<float>(std::floor(static_cast<double>(s_.rng.Next())) - 0.5);  // always -0.5
        });
        break;
      case 6: {
        const int sign = Mod(m / 2400, 2) != 0 ? 1 : -1;
        Special(static_cast<float>(230 - 0.4 * w_ * sign), -50);
        break;
      }
      default: break;
    }
  }

 private:
  void Row(int32_t m) {
    for (int k = 0; k < 10; ++k) {
      Add([&](Box& b) {
        b.kind = static_cast<BoxKind>(Mod(m / 2400, 2));
        b.x = static_cast<float>(230 - w_ / 2.0 + (static_cast<double>(w_) * k) / 10 + w_ / 20.0);
        b.y = -50;
      });
    }
  }

  void ConvergingPair(int32_t m) {
    const int32_t o = w_ - Mod(m, 2400) / 20;
    for (int n = 0; n < 2; ++n) {
      Add([&](Box& b) {
        b.kind = static_cast<BoxKind>(Mod(m / 2400 + n, 2));
        b.x = static_cast<float>(230 - 0.45 * o * (2 * n - 1));
        b.y = -50;
      });
    }
  }

  void Block(int32_t m) {
    const double c = std::floor(w_ * 0.8 * s_.rng.Next()) + 230 - 0.4 * w_;
    for (int n = 0; n < 4; ++n) {
      Add([&](Box& b) {
        b.kind = static_cast<BoxKind>(Mod(m / 350, 2));
        b.x = static_cast<float>(n % 2 ? c + 10 : c - 10);
        b.y = n < 2 ? -160.0f : -140.0f;
      });
    }
  }

  void BlockWithCentre(int32_t m) {
    const double c = std::floor(w_ * 0.6 * s_.rng.Next()) + 230 - 0.3 * w_;
    for (int n = 0; n < 4; ++n) {
      Add([&](Box& b) {
        b.kind = static_cast<BoxKind>(Mod(m / 800, 2));
        b.x = static_cast<float>(n % 2 ? c + 30 : c - 30);
        b.y = n < 2 ? -280.0f : -220.0f;
      });
    }
    Add([&](Box& b) {
      b.kind = static_cast<BoxKind>(Mod(m / 800 + 1, 2));
      b.x = static_cast<float>(c);
      b.y = -250;
    });
  }

  void LooseBoxes() {
    for (int n = 0; n < 2; ++n) {
      Add([&](Box& b) {
        b.kind = static_cast<BoxKind>(n);
        b.x = RandomColumnX();
        b.y = -100;
        b.vx = static_cast<float>(2.0 * s_.rng.Next() - 1);
      });
    }
  }

  void SweepingPair(int32_t m) {
    const int32_t t = Mod(m / 240, 10);
    const bool odd = Mod(m / 2400, 2) != 0;
    for (int n = 0; n < 2; ++n) {
      Add([&](Box& b) {
        if (!odd) {
          b.kind = static_cast<BoxKind>(Mod(m / 2400 + n, 2));
          b.x = static_cast<float>(230 + static_cast<double>(t) * w_ / 20 - n * w_ / 2.0);
        } else {
          b.kind = static_cast<BoxKind>(Mod(m / 2400 + n + 1, 2));
          b.x = static_cast<float>(230 - static_cast<double>(t) * w_ / 20 + n * w_ / 2.0);
        }
        b.y = -50;
      });
    }
  }

  void Stacks() {
    int64_t z = static_cast<int64_t>(std::floor(static_cast<double>(s_.rng.Next()) * w_));
    double a = 230 - w_ / 2.0 + static_cast<double>(z);
    for (int k = 0; k < 8; ++k) {
      if (k == 4) {
        // The second stack stands half a width away, wrapped inside the column.
        z = Mod(RoundHalfEven(w_ * 0.5 + static_cast<double>(z)), w_);
        a = 230 - w_ / 2.0 + static_cast<double>(z);
      }
      Add([&](Box& b) {
        b.kind = static_cast<BoxKind>(k / 4);
        b.x = static_cast<float>(a);
        b.y = static_cast<float>(-150 - 20 * (k % 4));
      });
    }
  }

  PlayState& s_;
  int32_t w_;
};

}  // namespace

void SpawnBoxes(PlayState& state, int16_t previousMeter) {
  const Pattern p = PatternFor(state.stage);
  const int32_t m = state.spawnMeter;
  const int32_t prev = previousMeter;
  const bool rowOfTen = Mod(state.stage, 10) == 0 || Mod(state.stage, 10) == 5;
  bool formation = prev == 0 || m / p.spacing != prev / p.spacing;
  if (rowOfTen && state.frameNo < -1) formation = false;
  if (formation) {
    Spawner spawner(state);
    spawner.Formation(state.stage, m);
    if (p.special != 0 && m / p.special != prev / p.special) spawner.SpecialBox(state.stage, m);
  }
  state.spawnMeter = static_cast<int16_t>(Mod(m, p.wrap) + p.wrap);
}

}  // namespace quandel
