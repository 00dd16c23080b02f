#include "app/headless_replay.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "game/trace.h"
#include "persist/data_dir.h"
#include "persist/replay_file.h"
#include "sound/sound_channels.h"

namespace quandel {

bool LoadReplayFile(const std::string& path, ReplayTable& table, std::string* error) {
  const std::filesystem::path file(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    if (error) *error = path + ": no such replay file";
    return false;
  }
  const DataDir dir(file.parent_path().empty() ? "." : file.parent_path().string());
  // One byte past the longest replay, so an overlong file is seen as such.
  const auto bytes = dir.Read(file.filename().string(), kReplayHeaderBytes + kReplaySlotBytes * kReplaySlots + 1);
  if (!bytes) {
    if (error) *error = path + ": " + std::strerror(errno);
    return false;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  if (const std::string fault = ReplayFileFault(text); !fault.empty()) {
    if (error) *error = path + ": not a replay: " + fault;
    return false;
  }
  table.replay.assign(kReplaySlots, ReplayRecord{});
  DecodeReplay(text, table);
  return true;
}

ReplayRun::ReplayRun(ReplayTable table) : table_(std::move(table)) {
  play_.replayMode = 1;
  StartPlay(play_, table_, sounds_);
}

bool ReplayRun::Step() {
  report_ = StepPlayFrame(play_, table_, scores_, {}, recorder_);
  sounds_.insert(sounds_.end(), report_.sounds.begin(), report_.sounds.end());
  return !report_.over;
}

SoundCues ReplayRun::TakeCues() {
  SoundCues taken;
  taken.swap(sounds_);
  return taken;
}

std::vector<std::string> ReplayRun::TakeSounds() {
  std::vector<std::string> texts;
  for (const SoundCue& cue : TakeCues()) texts.push_back(SoundCueText(cue));
  return texts;
}

bool PrintReplay(const std::string& file, bool trace, FILE* out, std::string* error) {
  ReplayTable table;
  if (!LoadReplayFile(file, table, error)) return false;
  ReplayRun run(std::move(table));
  while (run.Step()) {
    if (!trace || !run.simulated()) continue;
    const std::string line = TraceLine(run.play(), run.TakeSounds());
    std::fwrite(line.data(), 1, line.size(), out);
    std::fputc('\n', out);
  }
  const ReplayOutcome outcome = run.outcome();
  if (!trace) std::fprintf(out, "score=%d stage=%d frames=%d\n", outcome.score, outcome.stage, outcome.frameNo);
  return true;
}

}  // namespace quandel
