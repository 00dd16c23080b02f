// What actually comes out of the mixer, written to a file by SDL's disk driver, with the game's own
// channel opening and the generated sound files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/app.h"
#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_audio.h"
#include "sound/sound_channels.h"
#include "support/test_support.h"

namespace quandel {
namespace {

using testing::TempDir;
using testing::WriteFile;

constexpr int kRate = 44100;
constexpr size_t kFrameBytes = 4;  // 16-bit stereo

// A window-less platform whose sound goes to a real back end.
class AudiblePlatform : public HeadlessPlatform {
 public:
  explicit AudiblePlatform(SoundBackend& sound) : sound_(sound) {}
  void SendSoundCommand(const std::string& command) override { sound_.SendSoundCommand(command); }
  void PlayWave(const std::vector<uint8_t>& image, int number) override { sound_.PlayWave(image, number); }

 private:
  SoundBackend& sound_;
};

// Runs the code under test from `dir`, as the game runs from its own folder.
class WorkingDir {
 public:
  explicit WorkingDir(const std::string& dir) : saved_(std::filesystem::current_path()) { std::filesystem::current_path(dir); }
  ~WorkingDir() { std::filesystem::current_path(saved_); }

 private:
  std::filesystem::path saved_;
};

// The back end playing into a raw file (s16le, stereo, 44100 Hz) as fast as the machine allows.
class DiskOutput {
 public:
  explicit DiskOutput(const AudioOptions& options = {}) : file_(tmp_.File("out.raw")) {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    audio = std::make_unique<SdlMixerAudio>(options);
  }
  ~DiskOutput() { unsetenv("SDL_AUDIODRIVER"); }

  // Frames written so far. The driver's writes are buffered, so the true position may be a
  // little further: a sound started after this call begins at or after the frame returned.
  size_t Mark() const {
    struct stat st {};
    return ::stat(file_.c_str(), &st) == 0 ? static_cast<size_t>(st.st_size) / kFrameBytes : 0;
  }
  // Waits until `seconds` more of sound have been written.
  void Render(double seconds) {
    const size_t until = Mark() + static_cast<size_t>(seconds * kRate);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (Mark() < until && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  }
  // Closes the device and reads everything back, one value per frame (the louder channel).
  std::vector<int16_t> Finish() {
    audio.reset();
    const std::string bytes = testing::ReadFile(file_);
    std::vector<int16_t> frames(bytes.size() / kFrameBytes);
    for (size_t i = 0; i < frames.size(); ++i) {
      int16_t l, r;
      std::memcpy(&l, bytes.data() + i * kFrameBytes, 2);
      std::memcpy(&r, bytes.data() + i * kFrameBytes + 2, 2);
      frames[i] = std::abs(l) >= std::abs(r) ? l : r;
    }
    return frames;
  }

  std::unique_ptr<SdlMixerAudio> audio;

 private:
  TempDir tmp_;
  std::string file_;
};

int Peak(const std::vector<int16_t>& s, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < std::min(to, s.size()); ++i) peak = std::max(peak, std::abs(static_cast<int>(s[i])));
  return peak;
}

constexpr int kHeard = 1000;        // well above any rounding noise, well below our sounds' peaks
constexpr size_t kSettle = 4096;    // what was mixed, or written but not yet seen, before a command

// Where `ref` (from `skip` on) appears unchanged in `s` within a second after `from`, or npos.
size_t FindCopy(const std::vector<int16_t>& s, size_t from, const std::vector<int16_t>& ref, size_t skip) {
  for (size_t j = from; j < from + kRate && j + ref.size() <= s.size(); ++j) {
    size_t k = skip;
    while (k < ref.size() && s[j + k] == ref[k]) ++k;
    if (k == ref.size()) return j;
  }
  return std::string::npos;
}

// The sound in [from, to), trimmed to its first and last non-zero frame.
std::vector<int16_t> Sound(const std::vector<int16_t>& s, size_t from, size_t to) {
  size_t a = from, b = std::min(to, s.size());
  while (a < b && s[a] == 0) ++a;
  while (b > a && s[b - 1] == 0) --b;
  return std::vector<int16_t>(s.begin() + static_cast<long>(a), s.begin() + static_cast<long>(b));
}

class AudioOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(std::string(QUANDEL_GAME_DIR) + "/snd/bgm.mid"))
      GTEST_SKIP() << "the generated sounds are missing; build the game-sounds target";
  }
  // The channels opened exactly as the game opens them.
  void Open(int effectsLevel, int musicOff) {
    app.state.effectsLevel = static_cast<uint8_t>(effectsLevel);
    app.state.musicOff = static_cast<uint8_t>(musicOff);
    OpenSoundChannels(app);
  }
  // Sends a command, lets `seconds` of sound follow; returns where the command's sound can begin.
  size_t Send(const std::string& command, double seconds) {
    const size_t at = out.Mark();
    platform.SendSoundCommand(command);
    out.Render(seconds);
    return at;
  }
  size_t Wave(int n, double seconds) {
    const size_t at = out.Mark();
    platform.PlayWave(app.state.bombWaves[static_cast<size_t>(n - 1)], n);
    out.Render(seconds);
    return at;
  }
  // Everything the game can play: every channel and every wave image.
  void PlayAllEffects() {
    for (const char* name : {"Bomb", "Magnet", "Short", "Tick", "Extend"})
      platform.SendSoundCommand(std::string("play ") + name + " notify from 0");
    for (int n = 1; n <= 12; ++n) {
      platform.SendSoundCommand("play Bomb" + std::to_string(n) + " notify from 0");
      platform.PlayWave(app.state.bombWaves[static_cast<size_t>(n - 1)], n);
    }
  }

  WorkingDir cwd{QUANDEL_GAME_DIR};
  DiskOutput out;
  AudiblePlatform platform{*out.audio};
  App app{platform, DataDir(".")};
};

TEST_F(AudioOutputTest, BombChainSoundsAndMusicAreEachHeard) {
  ASSERT_TRUE(out.audio->deviceOpen());
  ASSERT_TRUE(out.audio->musicAvailable());
  Open(0, 0);
  out.Render(0.3);
  const size_t bomb = Send("play Bomb notify from 0", 1.5);
  const size_t wave = Wave(5, 1.5);
  const size_t chain = Send("play Bomb7 notify from 0", 1.5);
  const size_t music = Send("play BGM notify from 0", 3.0);
  const size_t end = out.Mark();
  const std::vector<int16_t> s = out.Finish();

  EXPECT_EQ(Peak(s, 0, bomb), 0) << "opening the channels makes no sound";
  EXPECT_GT(Peak(s, bomb, wave), kHeard) << "bomb placed";
  EXPECT_GT(Peak(s, wave, chain), kHeard) << "chain sound from memory";
  EXPECT_GT(Peak(s, chain, music), kHeard) << "chain sound on Bomb7";
  EXPECT_GT(Peak(s, music, end), kHeard) << "music";
  // Each effect is over before the next begins, so each one was heard on its own.
  for (size_t next : {wave, chain, music}) EXPECT_EQ(Peak(s, next - kRate / 4, next), 0);
}

TEST_F(AudioOutputTest, WithEveryEffectSilencedOnlyTheMusicIsHeard) {
  Open(2, 0);
  out.Render(0.2);
  PlayAllEffects();
  out.Render(1.5);
  const size_t music = Send("play BGM notify from 0", 3.0);
  const std::vector<int16_t> s = out.Finish();
  EXPECT_EQ(Peak(s, 0, music), 0);
  EXPECT_GT(Peak(s, music, s.size()), kHeard);
}

TEST_F(AudioOutputTest, MusicOffAndEffectsSilencedIsSilence) {
  Open(2, 1);
  PlayAllEffects();
  platform.SendSoundCommand("play BGM notify from 0");
  out.Render(3.0);
  const std::vector<int16_t> s = out.Finish();
  ASSERT_GT(s.size(), size_t{kRate * 3});
  EXPECT_EQ(Peak(s, 0, s.size()), 0);
}

TEST_F(AudioOutputTest, EffectsLevelOneSilencesOnlyTheChainSounds) {
  Open(1, 1);
  out.Render(0.2);
  for (int n = 1; n <= 12; ++n) {
    platform.SendSoundCommand("play Bomb" + std::to_string(n) + " notify from 0");
    platform.PlayWave(app.state.bombWaves[static_cast<size_t>(n - 1)], n);
  }
  out.Render(1.5);
  const size_t magnet = Send("play Magnet notify from 0", 1.0);
  const std::vector<int16_t> s = out.Finish();
  EXPECT_EQ(Peak(s, 0, magnet), 0);
  EXPECT_GT(Peak(s, magnet, s.size()), kHeard);
}

TEST_F(AudioOutputTest, ReplayingAChannelOrANewWaveImageCutsTheSoundStillPlaying) {
  Open(0, 1);
  out.Render(0.1);
  // Each sound alone first, then the same again, each time cut 0.3 s in: on the channel by
  // itself, in memory by a short image.
  const size_t m1 = Send("play Bomb8 notify from 0", 1.5);
  const size_t m2 = Wave(1, 1.5);
  const size_t m3 = Send("play Bomb8 notify from 0", 0.3);
  const size_t m4 = Send("play Bomb8 notify from 0", 1.5);
  const size_t m5 = Wave(12, 0.3);
  const size_t m6 = Wave(1, 1.5);
  const std::vector<int16_t> s = out.Finish();

  const std::vector<int16_t> bomb8 = Sound(s, m1, m2);
  const std::vector<int16_t> bomb1 = Sound(s, m2, m3);
  ASSERT_GT(bomb8.size(), size_t{kRate / 2});
  ASSERT_GT(bomb1.size(), size_t{kRate / 5});
  // A restart plays the sound from its first frame, alone: an overlap would add up.
  const size_t restart = FindCopy(s, m4, bomb8, 0);
  ASSERT_NE(restart, std::string::npos);
  EXPECT_EQ(Peak(s, restart + bomb8.size(), m5), 0);
  // The long image fades out within a few milliseconds of the new one's start.
  const size_t next = FindCopy(s, m6, bomb1, kRate / 100);
  ASSERT_NE(next, std::string::npos);
  EXPECT_EQ(Peak(s, next + bomb1.size(), s.size()), 0);
}

TEST_F(AudioOutputTest, MusicStoppedAndPlayedAgainStartsFromTheTop) {
  Open(0, 0);
  const size_t first = Send("play BGM notify from 0", 1.5);
  Send("stop BGM", 0.5);
  const size_t again = Send("play BGM notify from 0", 1.5);
  const std::vector<int16_t> s = out.Finish();
  std::vector<int16_t> opening = Sound(s, first, first + kRate);
  ASSERT_GT(opening.size(), size_t{kRate / 4});
  opening.resize(kRate / 4);
  EXPECT_NE(FindCopy(s, again, opening, 0), std::string::npos);
}

TEST_F(AudioOutputTest, ReopeningTheChannelsStopsTheMusic) {
  Open(0, 0);
  const size_t playing = Send("play BGM notify from 0", 2.0);
  Open(0, 0);
  const size_t reopened = out.Mark();
  out.Render(1.0);
  const std::vector<int16_t> s = out.Finish();
  EXPECT_GT(Peak(s, playing, reopened), kHeard);
  EXPECT_EQ(Peak(s, reopened + kSettle, s.size()), 0);
}

TEST(AudioRobustness, WithoutASoundFontOnlyTheMusicIsMissing) {
  WorkingDir cwd(QUANDEL_GAME_DIR);
  DiskOutput bare(AudioOptions{{"/nonexistent/none.sf2"}});
  ASSERT_TRUE(bare.audio->deviceOpen());
  EXPECT_FALSE(bare.audio->musicAvailable());
  bare.audio->SendSoundCommand("open snd/bgm.mid alias BGM");
  bare.audio->SendSoundCommand("open snd/bomb_m.wav alias Bomb");
  bare.audio->SendSoundCommand("play BGM notify from 0");
  bare.Render(1.0);
  const size_t bomb = bare.Mark();
  bare.audio->SendSoundCommand("play Bomb notify from 0");
  bare.Render(1.0);
  const std::vector<int16_t> s = bare.Finish();
  EXPECT_EQ(Peak(s, 0, bomb), 0);
  EXPECT_GT(Peak(s, bomb, s.size()), kHeard);
}

TEST(AudioRobustness, BrokenFilesAndImagesStaySilentAndTheRestStillPlays) {
  const std::string game = QUANDEL_GAME_DIR;
  if (!std::filesystem::exists(game + "/snd/bomb_m.wav")) GTEST_SKIP() << "generated sounds missing";
  TempDir dir;
  std::filesystem::create_directory(dir.File("snd"));
  const std::string wav = testing::ReadFile(game + "/snd/bomb_m.wav");
  const std::string mid = testing::ReadFile(game + "/snd/bgm.mid");
  WriteFile(dir.File("snd/empty.wav"), "");
  WriteFile(dir.File("snd/text.wav"), "not a sound at all");
  WriteFile(dir.File("snd/header.wav"), wav.substr(0, 44));
  WriteFile(dir.File("snd/half.wav"), wav.substr(0, wav.size() / 2));
  std::string lying = wav;
  lying[40] = lying[41] = lying[42] = '\xff';  // the data chunk claims far more than there is
  WriteFile(dir.File("snd/lying.wav"), lying);
  WriteFile(dir.File("snd/garbage.mid"), "MThd" + std::string(200, '\x7f'));
  WriteFile(dir.File("snd/half.mid"), mid.substr(0, mid.size() / 3));
  std::filesystem::create_directory(dir.File("snd/folder.wav"));
  WriteFile(dir.File("snd/good.wav"), wav);

  WorkingDir cwd(dir.path());
  DiskOutput out;
  ::testing::internal::CaptureStderr();
  const char* names[] = {"empty.wav", "text.wav",   "header.wav", "half.wav",  "lying.wav",
                         "garbage.mid", "half.mid", "folder.wav", "absent.wav"};
  int n = 0;
  for (const char* name : names) {
    const std::string alias = std::string("X").append(std::to_string(++n));
    out.audio->SendSoundCommand("open snd/" + std::string(name) + " alias " + alias);
    out.audio->SendSoundCommand("play " + alias + " notify from 0");
  }
  for (const std::string& image : {std::string(), std::string(1, '\0'), wav.substr(0, 44), std::string("RIFF1234WAVEjunk"),
                                   lying.substr(0, 2000)})
    out.audio->PlayWave(std::vector<uint8_t>(image.begin(), image.end()), 1);
  out.Render(1.0);
  out.audio->SendSoundCommand("open snd/good.wav alias Good");
  const size_t good = out.Mark();
  out.audio->SendSoundCommand("play Good notify from 0");
  out.Render(1.0);
  for (int i = 1; i <= n; ++i) out.audio->SendSoundCommand("close X" + std::to_string(i));
  const std::vector<int16_t> s = out.Finish();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
  EXPECT_GT(Peak(s, good, s.size()), kHeard);
}

TEST(AudioRobustness, NoUsableDriverMeansSilenceWithoutAWord) {
  TempDir dir;
  WriteFile(dir.File("tone.wav"), "RIFF");
  for (const char* driver : {"nonexistent", ""}) {
    if (*driver) setenv("SDL_AUDIODRIVER", driver, 1);
    else unsetenv("SDL_AUDIODRIVER");  // whatever this machine has; here usually no device at all
    ::testing::internal::CaptureStderr();
    {
      SdlMixerAudio audio;
      if (*driver == '\0' && audio.deviceOpen()) {
        ::testing::internal::GetCapturedStderr();
        continue;  // a real device: nothing to check here
      }
      EXPECT_FALSE(audio.deviceOpen()) << driver;
      EXPECT_FALSE(audio.musicAvailable());
      audio.SendSoundCommand("open " + dir.File("tone.wav") + " alias A");
      audio.SendSoundCommand("play A notify from 0");
      audio.PlayWave(std::vector<uint8_t>(100, 1), 1);
      audio.SendSoundCommand("close A");
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << driver;
  }
  unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace quandel
