// Input: a recording, 13 bytes per record (frame, x, y as raw 32-bit values, then the flags). The
// game's writer saves it, and the strict reader of named replay files must accept what it wrote.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "check.h"
#include "persist/replay_file.h"

using namespace quandel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr size_t kRecordBytes = 13;
  static ReplayTable table;
  static Rng rng;
  // Every play records its start, so a recording has one record at least.
  const size_t records = std::clamp<size_t>(size / kRecordBytes, 1, kReplaySlots);
  for (size_t i = 0; i < records; ++i) {
    ReplayRecord r;
    if ((i + 1) * kRecordBytes <= size) {
      const uint8_t* at = data + i * kRecordBytes;
      std::memcpy(&r.frame, at, 4);
      std::memcpy(&r.x, at + 4, 4);
      std::memcpy(&r.y, at + 8, 4);
      r.flags = at[12];
    }
    table.replay[i] = r;
  }
  table.replayLast = static_cast<int16_t>(records - 1);
  const std::string file = EncodeReplay(table, rng);
  const std::string fault = ReplayFileFault(file);
  if (!fault.empty()) std::fprintf(stderr, "%zu records refused: %s\n", records, fault.c_str());
  FUZZ_CHECK(fault.empty());
  return 0;
}
