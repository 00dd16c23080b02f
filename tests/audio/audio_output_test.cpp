// What really comes out: SDL's disk driver writes the mix to a file (s16le stereo, 44100 Hz).
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
  // Where the command's sound can begin, `seconds` of sound later; "wave N" plays chain sound N from memory.
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

// The channel rules are pinned over a fake mixer; here only that real output carries them.
TEST_F(AudioOutput, BombChainAndMusicAreHeardAndSilencedChannelsAreNot) {
  ASSERT_TRUE(out.audio->port->musicAvailable());
  Open(0, 0);
  out.Render(0.3);
  const size_t bomb = Send("play Bomb notify from 0", 1.5), chain = Send("wave 5", 1.5);
  const size_t music = Send("play BGM notify from 0", 1.0), stop = Send("stop BGM", 0.3);
  Open(2, 1);  // effects and music off: every named channel leads nowhere
  const size_t quiet = out.Mark();
  for (const char* name : {"Bomb", "Tick", "Magnet", "Bomb7", "BGM"}) Send(std::string("play ") + name + " notify from 0");
  out.Render(0.5);
  const Samples s = out.Finish();

  EXPECT_EQ(Peak(s, 0, bomb), 0);
  const size_t starts[] = {bomb, chain, music, stop};
  for (int i = 0; i < 3; ++i) EXPECT_GT(Peak(s, starts[i], starts[i + 1]), kHeard) << i;
  for (int i = 1; i < 3; ++i) EXPECT_EQ(Peak(s, starts[i] - kRate / 4, starts[i]), 0) << i;  // each heard alone
  EXPECT_EQ(Peak(s, quiet + 4096, s.size()), 0);
}

// No soundfont and no driver: the game goes on without sound and says nothing about it.
TEST(AudioFailures, NoSoundFontAndNoDriverStaySilentAndQuiet) {
  testing::TempDir dir;
  const std::string wav = testing::ReadFile(std::string(QUANDEL_GAME_DIR) + "/snd/bomb_m.wav");
  ::testing::internal::CaptureStderr();
  {
    DiskOutput out(dir.path(), {dir.File("absent.sf2")});
    EXPECT_TRUE(out.audio->port->deviceOpen() && !out.audio->port->musicAvailable());
  }
  setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  {
    SdlSound audio;
    EXPECT_FALSE(audio.port->deviceOpen());
    for (const char* command : {"open snd/bomb_m.wav alias A", "play A"}) audio.sound.SendSoundCommand(command);
    audio.sound.PlayWave(std::vector<uint8_t>(wav.begin(), wav.end()), 1);
  }
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace quandel
