// Input: the contents of replay.dat, loaded into a full table and into the small one used
// while replays are off.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "check.h"
#include "persist/replay_file.h"

using namespace quandel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ReplayTable full, back;
  static ReplayTable small = [] {
    ReplayTable s;
    s.replay.resize(kReplaySlotsOff);
    return s;
  }();
  static Rng rng;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
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

  // What was read saves and reads back the same (long tables are skipped to keep runs fast).
  if (full.replayLast > 500) return 0;
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
