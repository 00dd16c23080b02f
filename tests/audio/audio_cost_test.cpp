// What the sound costs during a busy play, in real time on SDL's dummy driver (which mixes at the
// pace of a real device but plays nothing). Takes about 17 s, so it only runs when asked:
//   audio_tests --gtest_also_run_disabled_tests --gtest_filter='*AudioCost*'
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/app.h"
#include "platform/headless/headless_platform.h"
#include "platform/sdl/sdl_audio.h"
#include "sound/sound_channels.h"

namespace quandel {
namespace {

using Clock = std::chrono::steady_clock;

class TimedPlatform : public HeadlessPlatform {
 public:
  explicit TimedPlatform(SoundBackend& sound) : sound_(sound) {}
  void SendSoundCommand(const std::string& command) override { Time([&] { sound_.SendSoundCommand(command); }); }
  void PlayWave(const std::vector<uint8_t>& image, int number) override { Time([&] { sound_.PlayWave(image, number); }); }

  double worstMs = 0, totalMs = 0;
  int calls = 0;

 private:
  template <class F>
  void Time(F f) {
    const auto t0 = Clock::now();
    f();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    worstMs = std::max(worstMs, ms);
    totalMs += ms;
    ++calls;
  }
  SoundBackend& sound_;
};

double CpuSeconds() {
  rusage ru{};
  getrusage(RUSAGE_SELF, &ru);
  return static_cast<double>(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
         static_cast<double>(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
}

// Runs `frames` frames at 60 per second, calling `frame(n)` at the start of each; returns the
// process CPU time over wall time (all threads, so the mixer thread included).
template <class F>
double CpuShare(int frames, F frame) {
  const double cpu0 = CpuSeconds();
  const auto t0 = Clock::now();
  for (int n = 0; n < frames; ++n) {
    frame(n);
    std::this_thread::sleep_until(t0 + std::chrono::microseconds(16667LL * (n + 1)));
  }
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  return (CpuSeconds() - cpu0) / wall;
}

TEST(AudioCost, DISABLED_BusyPlayStaysCheap) {
  const std::string game = QUANDEL_GAME_DIR;
  if (!std::filesystem::exists(game + "/snd/bgm.mid")) GTEST_SKIP() << "generated sounds missing";
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(game);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  {
    SdlMixerAudio audio;
    ASSERT_TRUE(audio.deviceOpen());
    TimedPlatform platform(audio);
    App app(platform, DataDir("."));

    const auto t0 = Clock::now();
    OpenSoundChannels(app);
    const double openMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();

    const double idle = CpuShare(120, [](int) {});
    platform.SendSoundCommand("play BGM notify from 0");
    const double music = CpuShare(300, [](int) {});
    platform.worstMs = platform.totalMs = 0;
    platform.calls = 0;
    // A long chain: a sound every 10 frames, alternating memory and channel, climbing the tiers,
    // with a bomb, a magnet and a countdown tick every second.
    const double busy = CpuShare(600, [&](int n) {
      const int step = n / 10, tier = std::min(step / 12, 2), count = step % 4 + 1;
      if (n % 20 == 0) platform.PlayWave(app.state.bombWaves[static_cast<size_t>(tier * 4 + count - 1)], tier * 4 + count);
      if (n % 20 == 10) platform.SendSoundCommand("play Bomb" + std::to_string(tier * 4 + count) + " notify from 0");
      if (n % 60 == 5) platform.SendSoundCommand("play Bomb notify from 0");
      if (n % 60 == 25) platform.SendSoundCommand("play Magnet notify from 0");
      if (n % 60 == 45) platform.SendSoundCommand("play Tick notify from 0");
    });
    const double callMean = platform.totalMs / std::max(platform.calls, 1), callWorst = platform.worstMs;

    const auto t1 = Clock::now();
    platform.SendSoundCommand("stop BGM");
    const double stopMs = std::chrono::duration<double, std::milli>(Clock::now() - t1).count();
    CloseSoundChannels(platform);

    std::printf("sound CPU (share of one core): idle device %.1f%%, music %.1f%%, busy play %.1f%%\n", idle * 100,
                music * 100, busy * 100);
    std::printf("game thread: reopen %.1f ms, stop of the music %.1f ms, %d sound calls mean %.3f ms worst %.3f ms\n",
                openMs, stopMs, platform.calls, callMean, callWorst);
    EXPECT_LT(busy, 0.5);
    EXPECT_LT(callWorst, 8.0);
  }
  unsetenv("SDL_AUDIODRIVER");
  std::filesystem::current_path(saved);
}

}  // namespace
}  // namespace quandel
