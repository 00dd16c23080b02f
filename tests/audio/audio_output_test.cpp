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

// The mixer on the disk driver, working in `dir` (sound files are named relative to it).
class DiskOutput {
 public:
  explicit DiskOutput(const std::string& dir, const std::vector<std::string>& fonts = DefaultSoundFontPaths()) {
    std::filesystem::current_path(dir);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    port = SdlMixerPort::Open(FindSoundFont(fonts));
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
  // Closes the device (nothing may play on it any more); one value per frame, from the left channel.
  Samples Finish() {
    port.reset();
    const std::string bytes = testing::ReadFile(file_);
    Samples s(bytes.size() / 4);
    for (size_t i = 0; i < s.size(); ++i) std::memcpy(&s[i], bytes.data() + 4 * i, 2);
    return s;
  }
  std::unique_ptr<SdlMixerPort> port;

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

class AudioOutput : public ::testing::Test {
 protected:
  void Open(int effectsLevel, int musicOff) {
    app.settings.effectsLevel = static_cast<uint8_t>(effectsLevel);
    app.settings.musicOff = static_cast<uint8_t>(musicOff);
    ReopenSoundChannels(app);
  }
  // Where the cue's sound can begin, `seconds` of sound later.
  size_t Play(SoundCue::Kind kind, uint8_t number = 0, double seconds = 0) {
    const size_t at = out.Mark();
    PlaySoundCue(*app.sound, {kind, number}, app.bombWaves);
    out.Render(seconds);
    return at;
  }
  Samples Finish() {
    app.sound = std::make_unique<SilentSound>();  // lets go of the device
    return out.Finish();
  }
  DiskOutput out{QUANDEL_GAME_DIR};
  HeadlessPlatform platform;
  App app{platform, DataDir("."), std::make_unique<MixerSound>(*out.port)};
};

// The channel rules are pinned over a fake mixer; here only that real output carries them.
TEST_F(AudioOutput, BombChainAndMusicAreHeardAndSilencedChannelsAreNot) {
  ASSERT_TRUE(out.port->musicAvailable());
  Open(0, 0);
  out.Render(0.3);
  using Kind = SoundCue::Kind;
  const size_t bomb = Play(Kind::kBomb, 0, 1.5), chain = Play(Kind::kBombWave, 5, 1.5),
               music = Play(Kind::kMusic, 0, 1.0);
  const size_t stop = out.Mark();
  StopMusic(*app.sound);
  out.Render(0.3);
  Open(2, 1);  // effects and music off: every channel leads nowhere
  const size_t quiet = out.Mark();
  for (const SoundCue cue : {SoundCue{Kind::kBomb},
                             {Kind::kTick},
                             {Kind::kMagnet},
                             {Kind::kBombChannel, 7},
                             {Kind::kBombWave, 7},
                             {Kind::kMusic}})
    Play(cue.kind, cue.number);
  out.Render(0.5);
  const Samples s = Finish();

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
    EXPECT_TRUE(out.port->deviceOpen());
    EXPECT_FALSE(out.port->musicAvailable());
  }
  setenv("SDL_AUDIODRIVER", "nonexistent", 1);
  {
    const auto port = SdlMixerPort::Open(FindSoundFont());
    EXPECT_FALSE(port->deviceOpen());
    MixerSound sound(*port);
    sound.Send(ChannelCommand::Open("A", "snd/bomb_m.wav"));
    sound.Send(ChannelCommand::Play("A"));
    sound.Send(WavePlay{1, {reinterpret_cast<const uint8_t*>(wav.data()), wav.size()}});
  }
  unsetenv("SDL_AUDIODRIVER");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace quandel
