// What really comes out: SDL's disk driver writes the mix to a file (s16le stereo, 44100 Hz, as
// fast as the machine allows); the channels are opened by the game's own code on the generated
// sounds.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "app/app.h"
#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_audio.h"
#include "sound/mixer_sound.h"
#include "sound/sound_channels.h"
#include "sound/soundfont.h"
#include "support/test_support.h"

namespace quandel {
namespace {

using Samples = std::vector<int16_t>;
constexpr size_t kRate = 44100;
constexpr int kHeard = 1000;

// The game's sound as the game puts it together.
struct SdlSound {
  explicit SdlSound(const std::vector<std::string>& fonts = DefaultSoundFontPaths())
      : port(SdlMixerPort::Open(FindSoundFont(fonts))), sound(*port) {}
  bool deviceOpen() const { return port->deviceOpen(); }
  bool musicAvailable() const { return port->musicAvailable(); }
  void SendSoundCommand(const std::string& command) { sound.SendSoundCommand(command); }
  void PlayWave(const std::vector<uint8_t>& image, int number) { sound.PlayWave(image, number); }
  std::unique_ptr<SdlMixerPort> port;
  MixerSound sound;
};

// The mixer on the disk driver, working in `dir` (sound files are named relative to it).
class DiskOutput {
 public:
  explicit DiskOutput(const std::string& dir, const std::vector<std::string>& fonts = DefaultSoundFontPaths()) {
    std::filesystem::current_path(dir);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    audio = std::make_unique<SdlSound>(fonts);
    unsetenv("SDL_AUDIODRIVER");
  }
  ~DiskOutput() { std::filesystem::current_path(saved_); }
  // Frames in the file. Writes are buffered, so a sound started after this begins at or after it.
  size_t Mark() const {
    struct stat st {};
    return ::stat(file_.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) / 4 : 0;
  }
  void Render(double seconds) {
    const size_t until = Mark() + static_cast<size_t>(seconds * kRate);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Mark() < until && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  }
  // Closes the device; one value per frame, from the left channel.
  Samples Finish() {
    audio.reset();
    const std::string bytes = testing::ReadFile(file_);
    Samples s(bytes.size() / 4);
    for (size_t i = 0; i < s.size(); ++i) std::memcpy(&s[i], bytes.data() + 4 * i, 2);
    return s;
  }
  std::unique_ptr<SdlSound> audio;

 private:
  std::filesystem::path saved_ = std::filesystem::current_path();
  testing::TempDir tmp_;
  std::string file_ = tmp_.File("out.raw");
};

int Peak(const Samples& s, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < std::min(to, s.size()); ++i) peak = std::max(peak, std::abs(int{s[i]}));
  return peak;
}

// Where the sound heard alone in [from, to) appears again unchanged (from its frame `skip` on)
// within a second after `at`; npos if not. An overlap with anything else would add up.
size_t FindCopy(const Samples& s, size_t from, size_t to, size_t at, size_t skip = 0) {
  while (from < to && s[from] == 0) ++from;
  while (to > from && s[to - 1] == 0) --to;
  const Samples ref(s.begin() + static_cast<long>(from), s.begin() + static_cast<long>(to));
  for (size_t j = at; j < at + kRate && j + ref.size() <= s.size(); ++j) {
    size_t k = skip;
    while (k < ref.size() && s[j + k] == ref[k]) ++k;
    if (k == ref.size()) return j + ref.size();  // where the copy ends
  }
  return std::string::npos;
}

struct AudiblePlatform : HeadlessPlatform {
  explicit AudiblePlatform(SoundBackend& s) : sound(s) {}
  void SendSoundCommand(const std::string& command) override { sound.SendSoundCommand(command); }
  void PlayWave(const std::vector<uint8_t>& image, int number) override { sound.PlayWave(image, number); }
  SoundBackend& sound;
};

class AudioOutput : public ::testing::Test {
 protected:
  void Open(int effectsLevel, int musicOff) {
    app.settings.effectsLevel = static_cast<uint8_t>(effectsLevel);
    app.settings.musicOff = static_cast<uint8_t>(musicOff);
    ReopenSoundChannels(app);
  }
  // Returns where the sound of the command can begin, after letting `seconds` of sound follow.
  // "wave N" plays chain sound N the way a chain does, from its image in memory.
  size_t Send(const std::string& command, double seconds = 0) {
    const size_t at = out.Mark();
    if (command.starts_with("wave ")) {
      const int n = std::stoi(command.substr(5));
      platform.PlayWave(app.bombWaves[static_cast<size_t>(n - 1)], n);
    } else {
      platform.SendSoundCommand(command);
    }
    out.Render(seconds);
    return at;
  }
  DiskOutput out{QUANDEL_GAME_DIR};
  AudiblePlatform platform{out.audio->sound};
  App app{platform, DataDir(".")};
};

TEST_F(AudioOutput, EachSoundIsHeardAndPlayingAgainCutsTheOneStillPlaying) {
  ASSERT_TRUE(out.audio->musicAvailable());
  Open(0, 0);
  out.Render(0.3);
  const size_t bomb = Send("play Bomb notify from 0", 1.5), image5 = Send("wave 5", 1.5);
  const size_t bomb7 = Send("play Bomb7 notify from 0", 1.5), music = Send("play BGM notify from 0", 1.0);
  const size_t stop = Send("stop BGM", 0.3);
  Send("play Bomb7 notify from 0", 0.3);
  const size_t bomb7Cut = Send("play Bomb7 notify from 0", 1.5);
  const size_t image12 = Send("wave 12", 0.3), image5Cut = Send("wave 5", 1.5);
  const size_t musicAgain = Send("play BGM notify from 0", 0.5);
  Open(0, 0);
  const size_t reopened = out.Mark();
  out.Render(0.5);
  const Samples s = out.Finish();

  EXPECT_EQ(Peak(s, 0, bomb), 0);
  const size_t starts[] = {bomb, image5, bomb7, music, stop};
  for (int i = 0; i < 4; ++i) EXPECT_GT(Peak(s, starts[i], starts[i + 1]), kHeard) << i;
  for (int i = 1; i < 4; ++i) EXPECT_EQ(Peak(s, starts[i] - kRate / 4, starts[i]), 0) << i;  // each heard alone
  // The channel restarts alone; the long image fades out within 10 ms.
  const size_t restarted = FindCopy(s, bomb7, music, bomb7Cut), next = FindCopy(s, image5, bomb7, image5Cut, kRate / 100);
  ASSERT_NE(restarted, std::string::npos);
  ASSERT_NE(next, std::string::npos);
  EXPECT_EQ(Peak(s, restarted, image12), 0);
  EXPECT_EQ(Peak(s, next, musicAgain), 0);
  // Stopped music starts from the top again; reopening the channels silences it.
  EXPECT_NE(FindCopy(s, music, music + kRate / 4, musicAgain), std::string::npos);
  EXPECT_EQ(Peak(s, reopened + 4096, s.size()), 0);
}

TEST(AudioFailures, BrokenFilesNoSoundFontAndNoDriverStaySilentAndQuiet) {
  const std::string game = QUANDEL_GAME_DIR;
  const std::string wav = testing::ReadFile(game + "/snd/bomb_m.wav"), mid = testing::ReadFile(game + "/snd/bgm.mid");
  ASSERT_FALSE(wav.empty());
  testing::TempDir dir;
  std::string lying = wav;
  lying[41] = lying[42] = '\xff';  // the data chunk claims far more than there is
  const std::string files[] = {"", wav.substr(0, 44), lying, "MThd" + std::string(100, '\x7f'), mid.substr(0, 999), mid};
  for (size_t i = 0; i < std::size(files); ++i) testing::WriteFile(dir.File(std::to_string(i)), files[i]);
  std::filesystem::create_directory(dir.File("folder"));
  testing::WriteFile(dir.File("good.wav"), wav);

  ::testing::internal::CaptureStderr();
  DiskOutput out(dir.path(), {dir.File("0"), dir.File("folder")});  // no soundfont anywhere
  EXPECT_TRUE(out.audio->deviceOpen());
  EXPECT_FALSE(out.audio->musicAvailable());
  auto play = [&](const std::vector<std::string>& names, const std::vector<std::string>& images) {
    for (const std::string& name : names) {
      out.audio->SendSoundCommand("open " + name + " alias X" + name);
      out.audio->SendSoundCommand("play X" + name);
    }
    for (const std::string& image : images) out.audio->PlayWave(std::vector<uint8_t>(image.begin(), image.end()), 1);
    out.Render(1.0);
  };
  play({"5", "0", "1", "3", "4", "folder", "absent"}, {"", std::string(1, '\0'), wav.substr(0, 44)});
  const size_t lyingAt = out.Mark();
  play({"2"}, {lying});  // may play what it really holds
  out.audio->SendSoundCommand("open good.wav alias Good");
  const size_t good = out.Mark();
  out.audio->SendSoundCommand("play Good");
  out.Render(0.5);
  const Samples s = out.Finish();
  EXPECT_EQ(Peak(s, 0, lyingAt), 0);
  EXPECT_GT(Peak(s, good, s.size()), kHeard);

  // A driver that does not exist, then whatever this machine has (usually no device at all).
  for (const char* driver : {"nonexistent", ""}) {
    *driver ? setenv("SDL_AUDIODRIVER", driver, 1) : unsetenv("SDL_AUDIODRIVER");
    SdlSound audio;
    if (audio.deviceOpen() && !*driver) continue;  // a real device here: nothing more to see
    EXPECT_FALSE(audio.deviceOpen());
    audio.SendSoundCommand("open " + dir.File("good.wav") + " alias A");
    audio.SendSoundCommand("play A");
    audio.PlayWave(std::vector<uint8_t>(wav.begin(), wav.end()), 1);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace quandel
