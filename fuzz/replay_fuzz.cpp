// Input: the contents of replay.dat, loaded into a full table and into the small one used
// while replays are off.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "check.h"
#include "persist/replay_file.h"

using namespace quandel;

// Slots kept past those the bytes reach: one the bytes miss entirely, and one more where a
// header announcing more than that is clamped.
constexpr size_t kEmptyTail = 2;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ReplayTable full, back;
  static ReplayTable small = [] {
    ReplayTable s;
    s.replay.resize(kReplaySlotsOff);
    return s;
  }();
  static Rng rng;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A header announcing more slots than the bytes hold (most of the corpus says 9999) fills the
  // rest with zeros, each exactly like the one before; filling 10,000 of them cost most of every
  // run. The big table ends a few empty slots past the bytes instead (never above the game's), so
  // zero-filling and the clamp are still met on every such input.
  const size_t reached =
      size < kReplayHeaderBytes ? 0 : (size - kReplayHeaderBytes + kReplaySlotBytes - 1) / kReplaySlotBytes;
  full.replay.resize(std::min<size_t>(kReplaySlots, reached + kEmptyTail));
  for (ReplayTable* s : {&full, &small}) {
    s->replay[s->replay.size() - 1].frame = -1;  // marks a slot the load must not touch
    DecodeReplay(bytes, *s);
    FUZZ_CHECK(s->replayLast >= 0 && s->replayLast < static_cast<int>(s->replay.size()));
    if (s->replayLast < static_cast<int>(s->replay.size()) - 1) FUZZ_CHECK(s->replay.back().frame == -1);
    for (int i = 0; i <= s->replayLast; ++i) {
      const ReplayRecord& r = s->replay[i];
      FUZZ_CHECK(r.frame >= 0 && r.frame <= 999999 && r.flags <= 99);
      FUZZ_CHECK(r.x >= 0 && r.x < 1000 && r.y >= 0 && r.y < 1000);
    }
  }

  // What was read saves and reads back the same.
  const std::string file = EncodeReplay(full, rng);
  FUZZ_CHECK(file.size() == kReplayHeaderBytes + kReplaySlotBytes * (full.replayLast + 1));
  DecodeReplay(file, back);
  FUZZ_CHECK(back.replayLast == full.replayLast);
  for (int i = 0; i <= full.replayLast; ++i) {
    FUZZ_CHECK(back.replay[i].frame == full.replay[i].frame && back.replay[i].flags == full.replay[i].flags);
    FUZZ_CHECK(back.replay[i].x == full.replay[i].x && back.replay[i].y == full.replay[i].y);
  }
  return 0;
}
