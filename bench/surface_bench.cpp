// The drawing costs of one frame: a box sprite, the copy to the screen, the largest fire disc.
#include <benchmark/benchmark.h>

#include "platform/surface.h"

namespace quandel {
namespace {

void BM_MaskedBlit16(benchmark::State& state) {
  Surface back(640, 480), sheet(384, 256);
  sheet.FilledBox(0, 16, 15, 31, 0xFFFFFF);
  int x = 0;
  for (auto _ : state) {
    Blit(back, 100 + x, 200, 16, 16, sheet, 0, 16, RasterOp::kOr);
    Blit(back, 100 + x, 200, 16, 16, sheet, 0, 0, RasterOp::kAnd);
    x = (x + 1) & 63;
    benchmark::DoNotOptimize(back.pixels());
  }
}
BENCHMARK(BM_MaskedBlit16);

void BM_FullScreenCopy(benchmark::State& state) {
  Surface back(640, 480), main(640, 480);
  back.FilledBox(0, 0, 640, 480, 100 + 256 * 100 + 65536 * 100);
  for (auto _ : state) {
    Blit(main, 0, 0, 640, 480, back, 0, 0, RasterOp::kCopy);
    benchmark::DoNotOptimize(main.pixels());
  }
  state.SetBytesProcessed(state.iterations() * 640 * 480 * 4);
}
BENCHMARK(BM_FullScreenCopy);

void BM_FilledCircle45(benchmark::State& state) {
  Surface fire(1350, 540);
  fire.SetFillStyle(FillStyle::kSolid);
  fire.SetFillColour(80 + 256 * 110 + 65536 * 170);
  for (auto _ : state) {
    fire.Circle(45.3f, 45.7f, 45, 80 + 256 * 110 + 65536 * 170);
    benchmark::DoNotOptimize(fire.pixels());
  }
}
BENCHMARK(BM_FilledCircle45);

}  // namespace
}  // namespace quandel
