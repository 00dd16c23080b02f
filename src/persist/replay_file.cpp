#include "persist/replay_file.h"

#include <algorithm>

#include "game/numeric.h"
#include "persist/digits.h"

namespace quandel {

namespace {

// Positions are kept to hundredths of a pixel.
int32_t Hundredths(float v) { return RoundI32(static_cast<double>(v) * 100); }

}  // namespace

std::string EncodeReplay(const ReplayTable& table, Rng& rng) {
  const int last = std::min<int>(table.replayLast, static_cast<int>(table.replay.size()) - 1);
  std::string text;
  text.reserve(kReplayHeaderBytes + kReplaySlotBytes * static_cast<size_t>(std::max(last + 1, 0)));
  text += EncodeDigits(table.replayLast, 4, rng);
  for (int i = 0; i <= last; ++i) {
    const ReplayRecord& r = table.replay[i];
    text += EncodeDigits(r.frame, 6, rng);
    text += EncodeDigits(Hundredths(r.x), 5, rng);
    text += EncodeDigits(Hundredths(r.y), 5, rng);
    text += EncodeDigits(r.flags, 2, rng);
  }
  return text;
}

void DecodeReplay(std::string_view bytes, ReplayTable& table) {
  if (table.replay.empty()) {
    table.replayLast = 0;
    return;
  }
  auto field = [&](size_t offset, size_t size) -> std::string_view {
    return offset + size <= bytes.size() ? bytes.substr(offset, size) : std::string_view{};
  };
  const int32_t last = DecodeDigits(field(0, kReplayHeaderBytes), 4);
  // A header announcing more slots than the table has must not reach past its end.
  table.replayLast = static_cast<int16_t>(std::clamp<int32_t>(last, 0, static_cast<int32_t>(table.replay.size()) - 1));
  for (int i = 0; i <= table.replayLast; ++i) {
    const size_t base = kReplayHeaderBytes + kReplaySlotBytes * static_cast<size_t>(i);
    ReplayRecord r;
    if (base + kReplaySlotBytes <= bytes.size()) {
      r.frame = DecodeDigits(field(base, 12), 6);
      r.x = static_cast<float>(DecodeDigits(field(base + 12, 10), 5) / 100.0);
      r.y = static_cast<float>(DecodeDigits(field(base + 22, 10), 5) / 100.0);
      r.flags = static_cast<uint8_t>(DecodeDigits(field(base + 32, 4), 2));
    }
    table.replay[i] = r;
  }
}

std::string ReplayFileFault(std::string_view bytes) {
  if (bytes.empty()) return "the file is empty";
  if (bytes.size() < kReplayHeaderBytes || (bytes.size() - kReplayHeaderBytes) % kReplaySlotBytes != 0)
    return "its length (" + std::to_string(bytes.size()) + " bytes) is not a whole number of records";
  const size_t records = (bytes.size() - kReplayHeaderBytes) / kReplaySlotBytes;
  if (records == 0) return "nothing is recorded in it";
  if (records > kReplaySlots) return "it holds more records than a play can make";
  const auto header = ReadDigits(bytes.substr(0, kReplayHeaderBytes), 4);
  if (!header) return "its header is not a saved number";
  // Frame, x, y, flags: their offsets in a record and their digit counts.
  constexpr std::pair<size_t, uint8_t> kFields[] = {{0, 6}, {12, 5}, {22, 5}, {32, 2}};
  for (size_t i = 0; i < records; ++i) {
    for (const auto& [offset, digits] : kFields) {
      if (!ReadDigits(bytes.substr(kReplayHeaderBytes + kReplaySlotBytes * i + offset, 2 * digits), digits))
        return "record " + std::to_string(i) + " holds bytes no recording has";
    }
  }
  if (static_cast<size_t>(*header) + 1 != records)
    return "its header announces " + std::to_string(*header + 1) + " records, it holds " + std::to_string(records);
  return "";
}

bool SaveReplay(ReplayTable& table, int16_t replayPos, Rng& rng, const DataDir& dir) {
  table.replayLast = static_cast<int16_t>(replayPos - 1);
  return dir.WriteAtomic(kReplayFileName, EncodeReplay(table, rng));
}

void LoadReplay(ReplayTable& table, const DataDir& dir) {
  if (!dir.Exists(kReplayFileName)) {
    table.replayLast = 0;
    return;
  }
  const size_t limit = kReplayHeaderBytes + kReplaySlotBytes * kReplaySlots;
  const auto bytes = dir.Read(kReplayFileName, limit).value_or(std::vector<uint8_t>{});
  DecodeReplay(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), table);
}

}  // namespace quandel
