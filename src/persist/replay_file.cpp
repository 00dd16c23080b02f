#include "persist/replay_file.h"

#include <algorithm>
#include <string_view>

#include "app/numeric.h"
#include "persist/digits.h"

namespace quandel {

namespace {
constexpr size_t kHeaderBytes = 8;
constexpr size_t kSlotBytes = 36;
}  // namespace

bool SaveReplay(GameState& state, const DataDir& dir) {
  state.replayLast = static_cast<int16_t>(state.replayPos - 1);
  const int last = std::min<int>(state.replayLast, static_cast<int>(state.replay.size()) - 1);
  std::string text = EncodeDigits(state.replayLast, 4, state.rng);
  for (int i = 0; i <= last; ++i) {
    const ReplayRecord& r = state.replay[i];
    text += EncodeDigits(r.frame, 6, state.rng);
    text += EncodeDigits(RoundI32(static_cast<double>(r.x) * 100), 5, state.rng);
    text += EncodeDigits(RoundI32(static_cast<double>(r.y) * 100), 5, state.rng);
    text += EncodeDigits(r.flags, 2, state.rng);
  }
  return dir.WriteAtomic(kReplayFileName, std::vector<uint8_t>(text.begin(), text.end()));
}

void LoadReplay(GameState& state, const DataDir& dir) {
  if (!dir.Exists(kReplayFileName)) {
    state.replayLast = 0;
    return;
  }
  const auto bytes = dir.Read(kReplayFileName, kHeaderBytes + kSlotBytes * kReplaySlots).value_or(std::vector<uint8_t>{});
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  auto field = [&](size_t offset, size_t size) -> std::string_view {
    return offset + size <= text.size() ? text.substr(offset, size) : std::string_view{};
  };
  const int32_t last = DecodeDigits(field(0, kHeaderBytes), 4);
  state.replayLast = static_cast<int16_t>(std::clamp<int32_t>(last, 0, static_cast<int32_t>(state.replay.size()) - 1));
  for (int i = 0; i <= state.replayLast; ++i) {
    const size_t base = kHeaderBytes + kSlotBytes * static_cast<size_t>(i);
    ReplayRecord r;
    if (base + kSlotBytes <= text.size()) {
      r.frame = DecodeDigits(field(base, 12), 6);
      r.x = static_cast<float>(DecodeDigits(field(base + 12, 10), 5) / 100.0);
      r.y = static_cast<float>(DecodeDigits(field(base + 22, 10), 5) / 100.0);
      r.flags = static_cast<uint8_t>(DecodeDigits(field(base + 32, 4), 2));
    }
    state.replay[i] = r;
  }
}

}  // namespace quandel
