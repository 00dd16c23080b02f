// Speed of the simulation: one frame at full load, and a whole recorded play replayed headlessly.
#include <benchmark/benchmark.h>

#include "app/headless_replay.h"
#include "app/replay_theatre.h"
#include "game/game_state.h"
#include "game/spawn.h"
#include "game/update.h"

namespace quandel {
namespace {

PlayState FullField() {
  PlayState s;
  s.fieldWidth = 300;
  s.stage = 7;
  s.spawnMeter = 3600;
  s.timeLeft = 3000;
  s.blastTimer = 10;
  s.blastX = 230;
  s.blastY = 200;
  s.magnetTimer = 5;
  s.magnetX = 200;
  s.magnetY = 300;
  s.magnetReach = 100;
  Rng r;
  for (int i = 0; i < kBoxCount; ++i) {
    Box& b = s.boxes[i];
    b.state = i % 2 ? 0 : 1;  // half falling, half burning
    b.kind = static_cast<uint8_t>(i % 3);
    b.x = 80 + 300 * r.Next();
    b.y = 20 + 440 * r.Next();
    b.vy = 1;
    b.burnTime = static_cast<int16_t>(1 + i % 50);
    b.burnRadius = 20;
    s.stars[i] = Star{640 * r.Next(), 480 * r.Next(), 0, i < 50 ? 0.4f : 0.2f};
  }
  s.chainFuse = {5, 9, 0, 0, 0};
  return s;
}

void BM_SimulatedFrame(benchmark::State& st) {
  const PlayState start = FullField();
  PlayState s = start;
  for (auto _ : st) {
    s.boxes = start.boxes;
    s.stars = start.stars;
    s.spawnMeter = static_cast<int16_t>(s.spawnMeter + 40);
    SpawnBoxes(s, static_cast<int16_t>(s.spawnMeter - 40));
    UpdateObjects(s);
    benchmark::DoNotOptimize(s.score);
  }
}
BENCHMARK(BM_SimulatedFrame)->Unit(benchmark::kMicrosecond);

void BM_WholePlayReplayed(benchmark::State& st) {
  const std::string file = std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat";
  int32_t frames = 0;
  for (auto _ : st) {
    std::string error;
    ReplayTable table;
    if (!LoadReplayFile(file, table, &error)) {
      st.SkipWithError(error.c_str());
      break;
    }
    ReplayRun run(std::move(table));
    while (run.Step()) {
    }
    frames = run.outcome().frameNo;
  }
  st.counters["frames"] = frames;
}
BENCHMARK(BM_WholePlayReplayed)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quandel

namespace quandel {
namespace {

// Seeking in the replay theatre simulates again from the start: to the last frame of the sample
// play is the worst case.
void BM_SeekToTheLastFrame(benchmark::State& st) {
  ReplayTable table;
  std::string error;
  if (!LoadReplayFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", table, &error)) {
    st.SkipWithError(error.c_str());
    return;
  }
  PlayState start;
  start.replayMode = 1;
  SoundCues cues;
  StartPlay(start, table, cues);
  ReplayTheatre theatre(start, table, ScoreTable{});
  for (auto _ : st) {
    theatre.SeekTo(0);  // back to the start costs a copy; the way to the end is all simulation
    theatre.SeekTo(theatre.length());
    benchmark::DoNotOptimize(theatre.play().score);
  }
  st.counters["frames"] = theatre.length();
}
BENCHMARK(BM_SeekToTheLastFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quandel
