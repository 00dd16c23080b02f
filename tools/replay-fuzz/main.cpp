// Makes random replay files and plays each one headlessly, the way the title screen's replay entry
// would. Plausible files are what a player could have recorded: clicks, right clicks, wheel notches
// and scroll moves inside the window at rising frames after the opening, saved by the game's own
// writer. Hostile files are random bytes, truncated or damaged recordings and well-formed files
// holding values no recording has. Meant to run under the sanitizers, which turn any memory or
// arithmetic fault into a crash; the tool itself checks that every plausible file reads back as
// written and that playing a file twice gives the same play.
//
//   replay-fuzz [--plays N] [--hostile N] [--seed S] [--dir DIR]
//
// Each file is written into DIR (default: a temporary folder) and removed once it has passed, so
// after a crash the file that caused it is still there.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/headless_replay.h"
#include "game/game_state.h"
#include "persist/data_dir.h"
#include "persist/digits.h"
#include "persist/replay_file.h"

namespace fs = std::filesystem;
using namespace quandel;

namespace {

constexpr int32_t kFirstEventFrame = 61;
constexpr int kWindowW = 640, kWindowH = 480;

struct Options {
  int plays = 100;
  int hostile = 50;
  uint64_t seed = 1;
  std::string dir;
};

class Fuzzer {
 public:
  explicit Fuzzer(const Options& o) : opt_(o), rnd_(o.seed) {}
  int Run();

 private:
  int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rnd_); }
  bool Chance(double p) { return std::bernoulli_distribution(p)(rnd_); }

  std::vector<ReplayRecord> PlausibleEvents();
  std::string PlausibleFile(const std::vector<ReplayRecord>& events, const std::string& name);
  std::string HostileBytes(int kind);
  std::string WriteRaw(const std::string& name, const std::string& bytes);
  // Plays the file twice and compares the plays frame by frame; false (with a message) on any fault.
  bool PlayTwice(const std::string& path, ReplayOutcome* outcome);
  bool Fail(const std::string& path, const std::string& what) {
    std::fprintf(stderr, "replay-fuzz: %s: %s\n", path.c_str(), what.c_str());
    return false;
  }

  Options opt_;
  std::mt19937_64 rnd_;
  std::string lastPlausible_;  // bytes of the last plausible file, for truncation and damage
};

// Events as a player's recording holds them: one kind per record, frames never falling. Most
// aim at the box column or hold the cursor high, so chains, extends and later stages happen too.
std::vector<ReplayRecord> Fuzzer::PlausibleEvents() {
  int count;
  switch (Between(0, 9)) {
    case 0: count = 0; break;
    case 1: count = Between(2000, 9998); break;  // a busy play, up to a full table
    default: count = Between(1, 600);
  }
  // Spread over the first minute or so of play; several events can share a frame.
  const int32_t span = Between(300, 5000);
  std::vector<int32_t> frames(static_cast<size_t>(count));
  for (int32_t& f : frames) f = kFirstEventFrame + Between(0, span);
  std::sort(frames.begin(), frames.end());

  std::vector<ReplayRecord> events;
  float x = 230, y = 400;
  for (int32_t frame : frames) {
    ReplayRecord r;
    r.frame = frame;
    const int pick = Between(0, 99);
    r.flags = pick < 30   ? kEventLeftClick
              : pick < 45 ? kEventRightClick
              : pick < 55 ? kEventWheelTowards
              : pick < 65 ? kEventWheelAway
                          : kEventScrollMove;
    // Wheel notches keep the cursor where it was; the rest go anywhere in the window, kept to
    // the hundredths the file stores.
    if (r.flags != kEventWheelTowards && r.flags != kEventWheelAway) {
      x = static_cast<float>((Chance(0.6) ? Between(13000, 33000) : Between(0, kWindowW * 100 - 1)) / 100.0);
      y = static_cast<float>((Chance(0.3) ? Between(0, 11999) : Between(0, kWindowH * 100 - 1)) / 100.0);
    }
    r.x = x;
    r.y = y;
    events.push_back(r);
  }
  return events;
}

// Saves the events through the game's writer and checks they read back as written.
std::string Fuzzer::PlausibleFile(const std::vector<ReplayRecord>& events, const std::string& name) {
  const DataDir dir(opt_.dir);
  ReplayTable s;
  Rng rng;
  rng.set_state(static_cast<uint32_t>(rnd_()));
  s.replay[0] = ReplayRecord{0, 230, 400, 0};
  for (size_t i = 0; i < events.size(); ++i) s.replay[i + 1] = events[i];
  const std::string path = dir.PathOf(name);
  if (!SaveReplay(s, static_cast<int16_t>(events.size() + 1), rng, dir)) {
    Fail(path, "the replay could not be saved");
    return {};
  }
  ReplayTable back;
  back.replay.assign(kReplaySlots, ReplayRecord{});
  LoadReplay(back, dir);
  bool same = back.replayLast == static_cast<int>(events.size());
  for (int i = 0; same && i <= back.replayLast; ++i) {
    const ReplayRecord& a = s.replay[i];
    const ReplayRecord& b = back.replay[i];
    same = a.frame == b.frame && a.x == b.x && a.y == b.y && a.flags == b.flags;
  }
  if (!same) {
    Fail(path, "the saved replay does not read back as written");
    return {};
  }
  const auto bytes = dir.Read(kReplayFileName, 16 << 20);
  lastPlausible_.assign(bytes->begin(), bytes->end());
  if (const std::string fault = ReplayFileFault(lastPlausible_); !fault.empty()) {
    Fail(path, "the saved replay is refused: " + fault);
    return {};
  }
  fs::rename(dir.PathOf(kReplayFileName), path);
  return path;
}

std::string Fuzzer::HostileBytes(int kind) {
  std::string b;
  Rng scramble;
  scramble.set_state(static_cast<uint32_t>(rnd_()));
  switch (kind) {
    case 0: {  // any bytes
      b.resize(static_cast<size_t>(Between(0, 4000)));
      for (char& c : b) c = static_cast<char>(Between(0, 255));
      break;
    }
    case 1: {  // only characters the digit code uses, so some fields decode
      b.resize(static_cast<size_t>(Between(0, 4000)));
      for (char& c : b) c = static_cast<char>(Between(40, 89));
      break;
    }
    case 2:  // a recording cut short anywhere, even inside the header
      b = lastPlausible_.substr(0, static_cast<size_t>(Between(0, static_cast<int>(lastPlausible_.size()))));
      break;
    case 3: {  // a recording with some bytes changed
      b = lastPlausible_;
      for (int n = Between(1, 8); n > 0 && !b.empty(); --n)
        b[static_cast<size_t>(Between(0, static_cast<int>(b.size()) - 1))] = static_cast<char>(Between(0, 255));
      break;
    }
    default: {  // well formed, with values no recording has
      const int announced = Chance(0.3) ? 9999 : Between(0, 9999);
      const int written = Chance(0.5) ? announced : Between(0, announced);
      b = EncodeDigits(Chance(0.1) ? -Between(1, 999) : announced, 4, scramble);
      int32_t frame = Between(-100, 200);
      for (int i = 0; i <= written; ++i) {
        frame = Chance(0.1) ? Between(-99999, 999999) : frame + Between(-3, 3);
        b += EncodeDigits(frame, 6, scramble);
        b += EncodeDigits(Chance(0.2) ? Between(-9999, 99999) : Between(0, 63999), 5, scramble);
        b += EncodeDigits(Chance(0.2) ? Between(-9999, 99999) : Between(0, 47999), 5, scramble);
        b += EncodeDigits(Between(0, 99), 2, scramble);
      }
    }
  }
  return b;
}

std::string Fuzzer::WriteRaw(const std::string& name, const std::string& bytes) {
  const std::string path = (fs::path(opt_.dir) / name).string();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return out.flush() ? path : std::string{};
}

// A digest of the simulated state after every frame: boxes, chains, gauges and score.
class PlayDigest {
 public:
  void Add(const PlayState& s) {
    Mix(s.frameNo);
    Mix(s.score);
    Mix(s.timeLeft);
    Mix(s.stage);
    for (const Box& b : s.boxes) {
      if (b.state == BoxState::kGone) continue;
      Mix(b.x);
      Mix(b.y);
      Mix(b.vx);
      Mix(b.vy);
      Mix(b.state);
      Mix(b.kind);
      Mix(b.chainSlot);
      Mix(b.burnTime);
      Mix(b.burnRadius);
    }
    for (int16_t c : s.chainCount) Mix(c);
    for (int16_t c : s.chainFuse) Mix(c);
    frames_.push_back(hash_);
  }
  const std::vector<uint64_t>& frames() const { return frames_; }

 private:
  template <typename T>
  void Mix(T v) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));
    for (unsigned char c : bytes) hash_ = (hash_ ^ c) * 0x100000001B3ull;
  }
  uint64_t hash_ = 0xCBF29CE484222325ull;
  std::vector<uint64_t> frames_;
};

bool Fuzzer::PlayTwice(const std::string& path, ReplayOutcome* outcome) {
  PlayDigest digests[2];
  std::optional<ReplayOutcome> results[2];
  for (int run = 0; run < 2; ++run) {
    ReplayTable table;
    // Read as the title reads replay.dat, leniently: damaged files must play too.
    const fs::path file(path);
    const auto bytes = DataDir(file.parent_path().string()).Read(file.filename().string());
    if (!bytes) return Fail(path, "not readable");
    DecodeReplay(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), table);
    ReplayRun play(std::move(table));
    while (play.Step()) {
      if (play.simulated()) digests[run].Add(play.play());
    }
    results[run] = play.outcome();
  }
  const auto& a = digests[0].frames();
  const auto& b = digests[1].frames();
  if (a.size() != b.size() || a != b) {
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    return Fail(path, "two plays of the same file part at pass " + std::to_string(at));
  }
  if (results[0]->score != results[1]->score || results[0]->frameNo != results[1]->frameNo)
    return Fail(path, "two plays of the same file end differently");
  if (a.empty()) return Fail(path, "the play never ran a frame");
  *outcome = *results[0];
  return true;
}

int Fuzzer::Run() {
  const auto start = std::chrono::steady_clock::now();
  int32_t bestScore = 0, longest = 0;
  int64_t events = 0;
  for (int i = 0; i < opt_.plays; ++i) {
    const std::vector<ReplayRecord> evs = PlausibleEvents();
    char name[64];
    std::snprintf(name, sizeof name, "play-%llu-%04d.dat", static_cast<unsigned long long>(opt_.seed), i);
    const std::string path = PlausibleFile(evs, name);
    ReplayOutcome out;
    if (path.empty() || !PlayTwice(path, &out)) return 1;
    bestScore = std::max(bestScore, out.score);
    longest = std::max(longest, out.frameNo);
    events += static_cast<int64_t>(evs.size());
    fs::remove(path);
  }
  for (int i = 0; i < opt_.hostile; ++i) {
    if (lastPlausible_.empty())
      PlausibleFile(PlausibleEvents(), "seed.dat"), fs::remove(fs::path(opt_.dir) / "seed.dat");
    const int kind = i % 5;
    char name[64];
    std::snprintf(name, sizeof name, "hostile-%llu-%04d-%d.dat", static_cast<unsigned long long>(opt_.seed), i, kind);
    const std::string path = WriteRaw(name, HostileBytes(kind));
    ReplayOutcome out;
    if (path.empty() || !PlayTwice(path, &out)) return 1;
    fs::remove(path);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "replay-fuzz seed %llu: %d plausible replays (%lld events, best score %d, longest %d frames) and "
      "%d hostile files, each played twice, in %.1f s\n",
      static_cast<unsigned long long>(opt_.seed), opt_.plays, static_cast<long long>(events), bestScore, longest,
      opt_.hostile, seconds);
  return 0;
}

bool ParseArgs(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return false;
    const char* v = argv[++i];
    char* end = nullptr;
    if (a == "--dir") {
      o.dir = v;
      continue;
    }
    const unsigned long long n = std::strtoull(v, &end, 10);
    if (*v == '\0' || *end != '\0') return false;
    if (a == "--plays" && n <= 100000)
      o.plays = static_cast<int>(n);
    else if (a == "--hostile" && n <= 100000)
      o.hostile = static_cast<int>(n);
    else if (a == "--seed")
      o.seed = n;
    else
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseArgs(argc, argv, o)) {
    std::fprintf(stderr, "usage: replay-fuzz [--plays N] [--hostile N] [--seed S] [--dir DIR]\n");
    return 2;
  }
  std::optional<fs::path> scratch;
  if (o.dir.empty()) {
    std::string pattern = (fs::temp_directory_path() / "replay-fuzz.XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      std::perror("replay-fuzz: mkdtemp");
      return 1;
    }
    o.dir = pattern;
    scratch = pattern;
  }
  std::error_code ec;
  fs::create_directories(o.dir, ec);
  const int rc = Fuzzer(o).Run();
  // A failing file stays for inspection; a scratch folder that passed goes.
  if (rc == 0 && scratch) fs::remove_all(*scratch, ec);
  if (rc != 0) std::fprintf(stderr, "replay-fuzz: the failing file is kept in %s\n", o.dir.c_str());
  return rc;
}
