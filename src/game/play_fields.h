// Every field of the simulated play, each named once, in the order the trace prints them, with
// what becomes of it there. The trace (game/trace.cpp) and the tests that compare plays both walk
// these lists, and the build counts the members of PlayState, Box and Star against them, so a field
// added to the state without a line here does not compile.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/game_state.h"

namespace quandel {

enum class FieldUse : uint8_t {
  kTraced,
  kFollowsMoves,  // traced; follows live moves, which a recording keeps only in part
  kBlastAim,      // traced; follows the cursor while no blast runs (blastTimer == 0)
  kMagnetAim,     // traced; follows the cursor while no magnet runs (magnetTimer == 0)
  kNotTraced,     // the same all play long, or how the play runs rather than what happens in it
};

// visit(name, field, use) for every field of a play; State is PlayState or const PlayState.
template <class State, class Visit>
constexpr void ForEachPlayField(State& s, Visit&& visit) {
  using enum FieldUse;
  visit("frameNo", s.frameNo, kTraced);
  visit("endTimer", s.endTimer, kTraced);
  visit("timeLeft", s.timeLeft, kTraced);
  visit("timeShown", s.timeShown, kTraced);
  visit("score", s.score, kTraced);
  visit("scoreShown", s.scoreShown, kTraced);
  visit("stage", s.stage, kTraced);
  visit("extendMeter", s.extendMeter, kTraced);
  visit("spawnMeter", s.spawnMeter, kTraced);
  visit("extendFlash", s.extendFlash, kTraced);
  visit("stageBanner", s.stageBanner, kTraced);
  visit("fieldWidth", s.fieldWidth, kTraced);
  visit("scrollPos", s.scrollPos, kTraced);
  visit("scrollSpeed", s.scrollSpeed, kTraced);
  visit("boostFrames", s.boostFrames, kTraced);
  visit("bombGauge", s.bombGauge, kTraced);
  visit("magnetGauge", s.magnetGauge, kTraced);
  visit("blastX", s.blastX, kBlastAim);
  visit("blastY", s.blastY, kBlastAim);
  visit("blastTimer", s.blastTimer, kTraced);
  visit("blastRadius", s.blastRadius, kTraced);
  visit("blastSlot", s.blastSlot, kTraced);
  visit("magnetX", s.magnetX, kMagnetAim);
  visit("magnetY", s.magnetY, kMagnetAim);
  visit("magnetTimer", s.magnetTimer, kTraced);
  visit("magnetReach", s.magnetReach, kTraced);
  visit("cursorX", s.cursorX, kFollowsMoves);
  visit("cursorY", s.cursorY, kFollowsMoves);
  visit("cursorStepX", s.cursorStepX, kFollowsMoves);
  visit("cursorStepY", s.cursorStepY, kFollowsMoves);
  visit("replayPos", s.replayPos, kFollowsMoves);
  visit("igniteCount", s.igniteCount, kTraced);
  visit("soundPhase", s.soundPhase, kTraced);
  // Only the special boxes' colour changes during a play; the other three are fixed.
  visit("specialColour", s.colours[2], kTraced);
  visit("rng", s.rng, kTraced);
  visit("chainCount", s.chainCount, kTraced);
  visit("chainFuse", s.chainFuse, kTraced);
  visit("chainShown", s.chainShown, kTraced);
  visit("chainShownTimer", s.chainShownTimer, kTraced);
  visit("boxes", s.boxes, kTraced);
  visit("stars", s.stars, kTraced);
  visit("replayMode", s.replayMode, kNotTraced);
  visit("recordingOff", s.recordingOff, kNotTraced);
  visit("quitHovered", s.quitHovered, kNotTraced);
}

template <class B, class Visit>
constexpr void ForEachBoxField(B& b, Visit&& visit) {
  using enum FieldUse;
  visit("state", b.state, kTraced);
  visit("kind", b.kind, kTraced);
  visit("chainSlot", b.chainSlot, kTraced);
  visit("x", b.x, kTraced);
  visit("y", b.y, kTraced);
  visit("vx", b.vx, kTraced);
  visit("vy", b.vy, kTraced);
  visit("burnVx", b.burnVx, kTraced);
  visit("burnVy", b.burnVy, kTraced);
  visit("burnTime", b.burnTime, kTraced);
  visit("burnRadius", b.burnRadius, kTraced);
  visit("spinA", b.spinA, kTraced);
  visit("spinB", b.spinB, kTraced);
}

// A star's speed is set at the start and never changes.
template <class S, class Visit>
constexpr void ForEachStarField(S& star, Visit&& visit) {
  using enum FieldUse;
  visit("x", star.x, kTraced);
  visit("y", star.y, kTraced);
  visit("vx", star.vx, kNotTraced);
  visit("vy", star.vy, kNotTraced);
}

namespace field_count {

// Converts to anything, so T{AnyField{}, ...} compiles for as many as T has members.
struct AnyField {
  template <class T>
  constexpr operator T() const;  // never defined: only asked whether it converts
};

template <class T, class... Fields>
constexpr size_t Members() {
  if constexpr (requires { T{Fields{}..., AnyField{}}; }) {
    return Members<T, Fields..., AnyField>();
  } else {
    return sizeof...(Fields);
  }
}

template <class T, class ForEach>
constexpr size_t Listed(ForEach forEach) {
  T value{};
  size_t n = 0;
  forEach(value, [&n](const char*, const auto&, FieldUse) { ++n; });
  return n;
}

}  // namespace field_count

static_assert(field_count::Members<PlayState>() ==
                  field_count::Listed<PlayState>([](auto& s, auto&& v) { ForEachPlayField(s, v); }),
              "every member of PlayState needs its line in ForEachPlayField");
static_assert(field_count::Members<Box>() == field_count::Listed<Box>([](auto& b, auto&& v) { ForEachBoxField(b, v); }),
              "every member of Box needs its line in ForEachBoxField");
static_assert(field_count::Members<Star>() ==
                  field_count::Listed<Star>([](auto& s, auto&& v) { ForEachStarField(s, v); }),
              "every member of Star needs its line in ForEachStarField");

}  // namespace quandel
