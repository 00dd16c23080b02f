// Cost of composing one drawn frame of a play at full load, in each draw mode: 100 boxes, most of
// them burning, a special box's large fire, blast and magnet running, every chain bar and result.
// The frame slot is 16.7 ms; the aim is at most 1 ms per frame in draw mode 0.
#include <benchmark/benchmark.h>

#include "platform/headless/headless_platform.h"
#include "render/play_frame.h"

namespace quandel {
namespace {

void SizeSurfaces(Surfaces& v, int drawMode) {
  v.backBuffer.Resize(640, 480);
  v.previousPicture.Resize(640, 480);
  v.screen.Resize(640, 480);
  v.hudSheet.Resize(380, 397);
  v.boxSheet.Resize(drawMode % 2 == 0 ? 384 : 0, drawMode % 2 == 0 ? 256 : 0);
  v.fireSheet.Resize(drawMode < 2 ? 1350 : 0, drawMode < 2 ? 540 : 0);
  v.largeFire.Resize(drawMode < 2 ? 240 : 0, drawMode < 2 ? 480 : 0);
}

void FullLoad(PlayState& s) {
  s.frameNo = 1000;
  s.stage = 7;
  s.fieldWidth = 300;
  s.scrollPos = 12345.6f;
  s.timeLeft = 500;
  s.timeShown = 520;
  s.score = s.scoreShown = 123456;
  s.bombGauge = 1700;
  s.magnetGauge = 2600;
  s.stageBanner = 30;
  s.cursorX = 230;
  s.cursorY = 300;
  s.blastTimer = 20;
  s.blastX = 220;
  s.blastY = 200;
  s.blastRadius = 50;
  s.magnetTimer = 25;
  s.magnetX = 250;
  s.magnetY = 350;
  s.magnetReach = 90;
  Rng r;
  for (int i = 0; i < kBoxCount; ++i) {
    Box& b = s.boxes[i];
    b.x = 90 + 280 * r.Next();
    b.y = 20 + 440 * r.Next();
    b.kind = static_cast<BoxKind>(i % 2);
    b.state = i < 70 ? BoxState::kBurning : BoxState::kFalling;
    b.burnTime = static_cast<int16_t>(1 + i % 59);
    b.burnRadius = static_cast<int16_t>(b.burnTime / 2 + 10);
    b.spinA = static_cast<int16_t>(7 * i % 700);
    b.spinB = static_cast<int16_t>(11 * i % 700);
    s.stars[i] = Star{640 * r.Next(), 480 * r.Next(), 0, 0};
  }
  Box& special = s.boxes[0];
  special.kind = BoxKind::kSpecial;
  special.burnTime = 35;
  special.burnRadius = 99;
  for (int k = 0; k < kChainSlots; ++k) {
    s.chainFuse[k] = static_cast<int16_t>(10 + 10 * k);
    s.chainCount[k] = static_cast<int16_t>(40 + 20 * k);
    s.chainShown[k] = static_cast<int16_t>(100 + k);
    s.chainShownTimer[k] = static_cast<int16_t>(3 + 20 * k);
  }
}

void BM_ComposePlayFrame(benchmark::State& st) {
  const auto mode = static_cast<uint8_t>(st.range(0));
  Surfaces v;
  SizeSurfaces(v, mode);
  PlayState s;
  FullLoad(s);
  const FpsClock clock;
  for (auto _ : st) {
    ComposePlayFrame(v, s, PlayView{mode, 0, clock});
    benchmark::DoNotOptimize(v.screen.pixels());
  }
}
BENCHMARK(BM_ComposePlayFrame)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quandel
