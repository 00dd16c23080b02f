#include "app/headless_replay.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/app.h"
#include "game/play_game.h"
#include "persist/replay_file.h"
#include "platform/headless/headless_platform.h"

namespace quandel {

namespace {

// A scratch folder that removes itself.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quandel-replay.XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

std::optional<ReplayOutcome> RunReplayFile(const std::string& path, const HeadlessReplayOptions& options, std::string* error) {
  const std::filesystem::path file(path);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) {
    if (error) *error = path + ": no such replay file";
    return std::nullopt;
  }
  const auto bytes = DataDir(file.parent_path().empty() ? "." : file.parent_path().string()).Read(file.filename().string(), 16 << 20);
  if (!bytes) {
    if (error) *error = path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  ScratchDir scratch;
  if (scratch.path().empty()) {
    if (error) *error = "cannot create a scratch folder";
    return std::nullopt;
  }
  DataDir dir(scratch.path());
  if (!dir.WriteAtomic(kReplayFileName, *bytes)) {
    if (error) *error = "cannot write to the scratch folder";
    return std::nullopt;
  }

  HeadlessPlatform platform;
  App app(platform, dir);
  GameState& s = app.state;
  s.replaySave = 0;
  s.replay.assign(kReplaySlots, ReplayRecord{});
  LoadReplay(s, dir);
  s.replayMode = 1;
  s.inPlay = 1;
  if (options.setup) options.setup(app);
  if (options.onPass) app.onPlaySimulated = [&](App& a) { options.onPass(a, platform); };
  PlayGame(app);
  return ReplayOutcome{s.score, s.stage, s.frameNo};
}

}  // namespace quandel
