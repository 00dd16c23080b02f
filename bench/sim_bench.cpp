// Speed of the simulation: one frame at full load, and a whole recorded play replayed headlessly.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>

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
    b.state = i % 2 ? BoxState::kFalling : BoxState::kBurning;
    b.kind = static_cast<BoxKind>(i % 3);
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
    while (run.Step()) {}
    frames = run.outcome().frameNo;
  }
  st.counters["frames"] = frames;
}
BENCHMARK(BM_WholePlayReplayed)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quandel

namespace quandel {
namespace {

// The theatre on the sample play, started as the title's REPLAY starts it.
std::unique_ptr<ReplayTheatre> SampleTheatre(benchmark::State& st) {
  ReplayTable table;
  std::string error;
  if (!LoadReplayFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat", table, &error)) {
    st.SkipWithError(error.c_str());
    return nullptr;
  }
  PlayState start;
  start.replayMode = 1;
  SoundCues cues;
  StartPlay(start, table, cues);
  return std::make_unique<ReplayTheatre>(start, table, ScoreTable{});
}

// The slowest single call seen, in milliseconds of this thread's processor time: on a shared
// machine the wall clock's worst case is some other program's time slice.
class Worst {
 public:
  template <typename F>
  void Time(F&& f) {
    const double t0 = Now();
    f();
    worst_ = std::max(worst_, Now() - t0);
  }
  double ms() const { return worst_; }

 private:
  static double Now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }

  double worst_ = 0;
};

// From the start to the last frame: the longest way forward.
void BM_SeekToTheLastFrame(benchmark::State& st) {
  auto theatre = SampleTheatre(st);
  if (!theatre) return;
  for (auto _ : st) {
    theatre->SeekTo(0);
    theatre->SeekTo(theatre->length());
    benchmark::DoNotOptimize(theatre->play().score);
  }
  st.counters["frames"] = theatre->length();
}
BENCHMARK(BM_SeekToTheLastFrame)->Unit(benchmark::kMillisecond);

// Seeks all over the play, every other one backwards, each to a frame just before a whole second
// (the farthest from the second's start).
void BM_SeekAnywhere(benchmark::State& st) {
  auto theatre = SampleTheatre(st);
  if (!theatre) return;
  const int length = theatre->length();
  Worst worst;
  int i = 0;
  for (auto _ : st) {
    const int target = (i % 2 ? length - 1 - (i * 613) % length : (i * 389) % length) / 60 * 60 + 59;
    worst.Time([&] { theatre->SeekTo(target); });
    benchmark::DoNotOptimize(theatre->play().score);
    ++i;
  }
  st.counters["worst_cpu_ms"] = worst.ms();
}
BENCHMARK(BM_SeekAnywhere)->Unit(benchmark::kMillisecond);

// Holding Left at normal speed from the end back to the start, one shown frame an iteration; the
// key frames kept for the first run and their size per second of play are reported too.
void BM_RewindAtNormalSpeed(benchmark::State& st) {
  auto theatre = SampleTheatre(st);
  if (!theatre) return;
  NoSaving silent;
  SoundCues sounds;
  Worst worst;
  for (auto _ : st) {
    if (theatre->position() == 0) {
      st.PauseTiming();
      theatre->Release(Key::kLeft);
      theatre->SeekTo(theatre->length());
      theatre->Control(Key::kLeft);
      while (!theatre->rewinding()) theatre->Advance({}, silent, sounds);
      st.ResumeTiming();
    }
    worst.Time([&] { theatre->Advance({}, silent, sounds); });
  }
  st.counters["worst_cpu_ms"] = worst.ms();
  st.counters["key_frame_KB"] = static_cast<double>(theatre->keyFrameBytes()) / 1024;
  st.counters["KB_per_second"] =
      static_cast<double>(theatre->keyFrameBytes()) / 1024 * ReplayTheatre::kFramesPerSecond / theatre->length();
}
BENCHMARK(BM_RewindAtNormalSpeed)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quandel
