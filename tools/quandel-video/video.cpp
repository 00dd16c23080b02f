#include "video.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "app/app.h"
#include "app/headless_replay.h"
#include "frame_dump.h"
#include "offline_mixer.h"
#include "platform/surface.h"
#include "sound/mixer_sound.h"
#include "sound/sound_channels.h"
#include "video_encoder.h"

namespace quandel {

namespace {

constexpr int kWidth = 640, kHeight = 480;
// One frame of sound: 44100 / 60.
constexpr int kSoundPerFrame = VideoEncoder::kSoundRate / VideoEncoder::kFramesPerSecond;

// The game's sound played offline: each frame's cues, then that frame's samples.
class SoundTrack {
 public:
  // The channels are opened as the game opens them at start-up, on the settings asked for,
  // reading the sounds from the asset folder.
  SoundTrack(const std::string& soundFont, const std::string& folder, const Settings& settings)
      : mixer_(soundFont), sound_(mixer_, folder) {
    LoadBombWaves(waves_, settings, folder);
    OpenSoundChannels(sound_, settings);
  }
  void Render(const SoundCues& cues, float* out) {
    for (const SoundCue& cue : cues) PlaySoundCue(sound_, cue, waves_);
    mixer_.Render(out, kSoundPerFrame);
  }

 private:
  OfflineMixer mixer_;
  MixerSound sound_;
  BombWaves waves_;
};

// The file being written, removed again by any signal that ends the program. The handler only
// unlinks and dies of the same signal, so the exit status still tells which one it was.
char gPartPath[4096];

// Every signal whose default ends the program, besides KILL and STOP, which cannot be caught.
constexpr int kEndingSignals[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGILL,  SIGABRT, SIGBUS,    SIGFPE,  SIGSEGV, SIGPIPE,
                                  SIGALRM, SIGTERM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM, SIGPROF, SIGSYS,  SIGXFSZ};
constexpr int kSignalCount = sizeof kEndingSignals / sizeof kEndingSignals[0];

void RemovePartAndDie(int sig) {
  if (gPartPath[0]) unlink(gPartPath);
  signal(sig, SIG_DFL);
  raise(sig);  // delivered when the handler returns, with the default action
}

class PartFile {
 public:
  // A fresh file next to `target`, so that the final rename stays within one file system. The
  // signals wait while the file and its handlers are set up, so none can slip in between.
  explicit PartFile(const std::string& target) {
    const std::filesystem::path t(target);
    std::string name = ".";
    name += t.filename().string();
    name += ".XXXXXX";
    std::string pattern = (t.parent_path() / name).string();
    if (pattern.size() >= sizeof gPartPath) return;
    sigset_t ending, before;
    sigemptyset(&ending);
    for (int sig : kEndingSignals) sigaddset(&ending, sig);
    sigprocmask(SIG_BLOCK, &ending, &before);
    const int fd = mkstemp(pattern.data());
    const int made = errno;
    if (fd >= 0) {
      const mode_t mask = umask(0);
      umask(mask);
      fchmod(fd, 0666 & ~mask);  // as an ordinary new file would be
      close(fd);
      path_ = pattern;
      std::memcpy(gPartPath, path_.c_str(), path_.size() + 1);
      struct sigaction sa {};
      sa.sa_handler = RemovePartAndDie;
      sa.sa_mask = ending;
      for (int i = 0; i < kSignalCount; ++i) {
        sigaction(kEndingSignals[i], &sa, &old_[i]);
        // A signal the caller chose to ignore (nohup, a background job's Ctrl-C) stays ignored.
        if (old_[i].sa_handler == SIG_IGN) sigaction(kEndingSignals[i], &old_[i], nullptr);
      }
    }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    errno = made;
  }
  ~PartFile() {
    if (path_.empty()) return;
    // Removed before the handlers go, so that no signal finds the part left over.
    if (!kept_) unlink(path_.c_str());
    gPartPath[0] = '\0';
    for (int i = 0; i < kSignalCount; ++i) sigaction(kEndingSignals[i], &old_[i], nullptr);
  }
  const std::string& path() const { return path_; }
  bool MoveTo(const std::string& target) {
    kept_ = std::rename(path_.c_str(), target.c_str()) == 0;
    if (kept_) gPartPath[0] = '\0';
    return kept_;
  }

 private:
  std::string path_;
  bool kept_ = false;
  struct sigaction old_[kSignalCount] {};
};

class Progress {
 public:
  Progress(bool on, int total) : on_(on), total_(std::max(total, 1)) {}
  ~Progress() {
    if (shown_) std::fputc('\n', stderr);
  }
  void Update(int done) {
    if (!on_) return;
    const double elapsed = Seconds(start_);
    if (done < total_ && Seconds(last_) < 0.25) return;
    last_ = Clock::now();
    const double rate = done / std::max(elapsed, 1e-3);
    std::fprintf(stderr, "\rquandel-video: %3d%%  %5.0f frames/s  %4.0f s left ", 100 * done / total_, rate,
                 std::max(total_ - done, 0) / std::max(rate, 1e-3));
    shown_ = true;
  }

 private:
  using Clock = std::chrono::steady_clock;
  static double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }
  bool on_;
  int total_;
  bool shown_ = false;
  Clock::time_point start_ = Clock::now(), last_ = start_;
};

}  // namespace

bool WriteReplayVideo(const std::string& replayPath, const VideoOptions& o, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = why;
    return false;
  };
  const auto container = ContainerForName(o.outPath);
  if (!container) return fail(o.outPath + ": the name must end in .mp4 or .webm");
  if (o.scale < 1 || o.scale > 16) return fail("--scale must be 1 to 16");
  if (!(o.from >= 0 && o.from <= kLongestClipSeconds) || !(o.to <= kLongestClipSeconds))
    return fail("--from and --to must lie within " + std::to_string(static_cast<int>(kLongestClipSeconds)) +
                " seconds");
  if (o.to >= 0 && !(o.to > o.from)) return fail("--to must lie after --from");
  if (o.effectsLevel < 0 || o.effectsLevel > 2) return fail("unknown effects level");
  std::error_code ec;
  if (std::filesystem::is_directory(o.outPath, ec)) return fail(o.outPath + ": is a folder");

  // A first, undrawn run tells the play's length (it takes a fraction of a second).
  std::string why;
  ReplayTable table;
  if (!LoadReplayFile(replayPath, table, &why)) return fail(why);
  int total = 0;
  for (ReplayRun plain(std::move(table)); plain.Step();) total += plain.simulated() ? 1 : 0;
  const int first = static_cast<int>(std::lround(o.from * VideoEncoder::kFramesPerSecond));
  const int last =
      o.to < 0 ? total : std::min(total, static_cast<int>(std::lround(o.to * VideoEncoder::kFramesPerSecond)));
  if (first >= last) return fail("the clip lies after the end of the play");

  PartFile part(o.outPath);
  if (part.path().empty()) return fail(o.outPath + ": cannot write there (" + std::strerror(errno) + ")");
  auto encoder = VideoEncoder::Open(part.path(), *container, kWidth, kHeight, o.scale, &why);
  if (!encoder) return fail(why);

  Settings settings;
  settings.musicOff = o.musicOff ? 1 : 0;
  settings.effectsLevel = static_cast<uint8_t>(o.effectsLevel);
  SoundTrack track(o.soundFont, o.assetDir, settings);
  std::vector<float> sound(2 * kSoundPerFrame);
  Progress progress(o.progress, last);
  int index = 0;
  FrameDumpOptions draw;
  draw.assetDir = o.assetDir;
  draw.drawMode = o.drawMode;
  const auto outcome = WatchReplayFrames(
      replayPath, draw,
      [&](const Surface& picture, int32_t, const SoundCues& cues) {
        track.Render(cues, sound.data());  // before the clip too: the sound that rings into it
        if (index >= first) {
          if (!encoder->AddPicture(picture.pixels()) || !encoder->AddSound(sound.data(), kSoundPerFrame)) return false;
        }
        progress.Update(++index);
        return index < last;
      },
      &why);
  if (!outcome) return fail(why);
  if (!encoder->Finish()) return fail(encoder->error());
  if (index <= first) return fail("the clip lies after the end of the play");
  encoder.reset();
  if (!part.MoveTo(o.outPath)) return fail(o.outPath + ": cannot write there (" + std::strerror(errno) + ")");
  return true;
}

}  // namespace quandel
