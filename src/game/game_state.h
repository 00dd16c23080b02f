// The game's state in plain fields and fixed tables: the simulated play, the settings, and the
// stored tables. Widths are part of the game's behaviour (they bound ranges and rounding).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/numeric.h"
#include "game/rng.h"

namespace quandel {

// The values are what the trace prints.
enum class BoxState : uint8_t { kFalling = 0, kBurning = 1, kGone = 2 };
// The two ordinary kinds pass fire only to their own kind; a special box to and from every kind.
enum class BoxKind : uint8_t { kBlue = 0, kOrange = 1, kSpecial = 2 };

struct Box {
  float x = 0, y = 0;  // first, so a box is a position for Distance and Angle
  uint8_t chainSlot = 0;
  BoxKind kind = BoxKind::kBlue;
  BoxState state = BoxState::kFalling;
  int16_t spinA = 0, spinB = 0;
  float vx = 0, vy = 0;
  float burnVx = 0, burnVy = 0;
  int16_t burnTime = 0;
  int16_t burnRadius = 0;
};

struct Star {
  float x = 0, y = 0, vx = 0, vy = 0;
};

struct ReplayRecord {
  int32_t frame = 0;
  float x = 0, y = 0;
  uint8_t flags = 0;
};

enum ReplayFlags : uint8_t {
  kEventLeftClick = 1,
  kEventRightClick = 2,
  kEventWheelTowards = 4,
  kEventWheelAway = 8,
  kEventScrollMove = 16,
};

inline constexpr int kBoxCount = 100;
inline constexpr int kStarCount = 100;
inline constexpr int kChainSlots = 5;
inline constexpr int kReplaySlots = 10000;
inline constexpr int kReplaySlotsOff = 10;
inline constexpr int16_t kReplayLastSlot = 9999;

// The end timer counts frames from the moment the time is up. Once the last chains have closed
// the result is recorded and the timer jumps to kEndTimerResultRecorded; the play is over when it
// reaches kEndTimerPlayOver, 240 frames later (the quit button sets it there at once).
inline constexpr int32_t kEndTimerResultRecorded = 10000;
inline constexpr int32_t kEndTimerPlayOver = kEndTimerResultRecorded + 240;

inline constexpr int32_t Rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// The settings: the two of config.txt and the four the title screen sets (kept in scr.hsc).
struct Settings {
  bool recordingOff = false;  // plays are not recorded (config.txt: ReplaySave = 1)
  uint8_t drawMode = 0;       // 0..3: sprites or simple shapes, fire sprites or rings
  uint8_t frameSkip = 2;
  uint8_t autoFrameSkip = 0;
  uint8_t musicOff = 0;
  uint8_t effectsLevel = 0;  // 0 all, 1 no bomb waves, 2 none
};

// The three best scores with the stage each reached, best first.
struct ScoreTable {
  std::array<int32_t, 3> highScores{1000, 500, 200};
  std::array<int32_t, 3> highScoreStages{2, 1, 0};
};

// The recorded input of a play: slots 0..replayLast hold a loaded recording.
struct ReplayTable {
  std::vector<ReplayRecord> replay = std::vector<ReplayRecord>(kReplaySlots);
  int16_t replayLast = 0;

  // Slot i, or a zero record past the table's end.
  ReplayRecord replayAt(int i) const {
    return (i >= 0 && i < static_cast<int>(replay.size())) ? replay[i] : ReplayRecord{};
  }
};

inline constexpr std::array<int32_t, 4> kDefaultColours{Rgb(80, 110, 170), Rgb(170, 110, 80), Rgb(80, 80, 80),
                                                        Rgb(140, 140, 140)};

// One simulated play: everything a frame reads and writes. game/play_fields.h lists every field
// with what the trace prints of it.
struct PlayState {
  std::array<Box, kBoxCount> boxes{};
  std::array<Star, kStarCount> stars{};
  std::array<int16_t, kChainSlots> chainCount{};
  std::array<int16_t, kChainSlots> chainFuse{};
  std::array<int16_t, kChainSlots> chainShown{};
  std::array<int16_t, kChainSlots> chainShownTimer{};
  std::array<int32_t, 4> colours = kDefaultColours;

  int32_t frameNo = 0;
  int32_t endTimer = 0;
  int32_t timeLeft = 0;
  int32_t timeShown = 0;
  int32_t score = 0;
  int32_t scoreShown = 0;
  int16_t stage = 0;
  float extendMeter = 0;
  int16_t spawnMeter = 0;
  uint8_t extendFlash = 0;
  int16_t stageBanner = 0;
  int16_t fieldWidth = 200;
  float scrollPos = 0;
  float scrollSpeed = 0;
  uint8_t boostFrames = 0;
  int16_t bombGauge = 0;
  int16_t magnetGauge = 0;
  float blastX = 0, blastY = 0;
  int16_t blastTimer = 0;
  int16_t blastRadius = 0;
  uint8_t blastSlot = 0;
  float magnetX = 0, magnetY = 0;
  int16_t magnetTimer = 0;
  int16_t magnetReach = 0;
  float cursorX = 0, cursorY = 0;
  float cursorStepX = 0, cursorStepY = 0;
  int16_t replayPos = 0;
  uint8_t igniteCount = 0;
  uint8_t soundPhase = 0;

  // The one random generator of the program: saving draws from it too.
  Rng rng;

  // How the play runs: watching a replay (1) or live, whether it goes unrecorded, and whether
  // the cursor is on the quit button.
  uint8_t replayMode = 0;
  bool recordingOff = false;
  bool quitHovered = false;

  Point blastCentre() const { return {blastX, blastY}; }
  Point magnetCentre() const { return {magnetX, magnetY}; }
};

}  // namespace quandel
