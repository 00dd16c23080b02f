// The channel table, named channels and the wave image player over a mixer that records what it is asked.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "sound/channel_set.h"
#include "sound/sound_channels.h"
#include "sound/wave_player.h"
#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel {
namespace {

using Log = std::vector<std::string>;
using C = ChannelCommand;
using testing::kTinyMidi;

class RecordingMixer : public MixerPort {
 public:
  Log log;
  int voices = 0, live = 0;  // live: loaded and not yet freed
  Log Take() { return std::exchange(log, {}); }

  int LoadSample(const std::string& path) override { return Load(path); }
  int LoadSampleImage(const std::vector<uint8_t>& image) override {
    return Loaded("image", image.size() > 44);  // a bare header decodes to nothing
  }
  void FreeSample(int s) override { Say("free", s), --live; }
  void PlaySample(int s, int v) override { Say("play" + std::to_string(s) + " on", v); }
  void HaltVoice(int v) override { Say("halt", v); }
  void FadeOutVoice(int v) override { Say("fade", v); }
  void ReserveVoices(int n) override { voices = std::max(voices, n); }
  int LoadTune(const std::string& path) override { return Load(path); }
  void FreeTune(int t) override { Say("free", t), --live; }
  void PlayTune(int t) override { Say("tune", t); }
  void HaltTune() override { log.push_back("halt tune"); }

 private:
  int Load(const std::string& path) {
    return Loaded("load " + std::filesystem::path(path).filename().string(), std::filesystem::exists(path));
  }
  int Loaded(const std::string& what, bool ok) {
    const int id = ok ? ++next_ : 0;
    live += ok;
    return Say(what, id), id;
  }
  void Say(const std::string& what, int n) { log.push_back(what + " " + std::to_string(n)); }
  int next_ = 0;
};

class ChannelSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [name, bytes] : {std::pair{"a.wav", testing::PcmWave(100)},
                                      {"t.mid", kTinyMidi},
                                      {"cut.mid", kTinyMidi.substr(0, 30)},
                                      {"hour.wav", testing::PcmWave(100).replace(40, 4, std::string("\0\0\0\x40", 4))}})
      testing::WriteFile(dir.File(name), bytes);
  }
  void Send(std::initializer_list<ChannelCommand> commands) {
    for (const ChannelCommand& c : commands) set.Execute(c);
  }
  ChannelCommand Open(const std::string& alias, const std::string& file) {
    return ChannelCommand::Open(alias, file.empty() ? "" : dir.File(file));
  }

  testing::TempDir dir;
  RecordingMixer mixer;
  SoundChannelSet set{mixer, 2};
};

TEST_F(ChannelSetTest, SamplesRestartOnTheirOwnVoiceAndSilentChannelsDoNothing) {
  ASSERT_EQ(mkfifo(dir.File("pipe.wav").c_str(), 0600), 0);
  Send({Open("Bomb", "a.wav"), Open("Tick", "a.wav"), Open("Bomb1", ""), Open("Bomb2", "gone.wav"),
        Open("Bomb3", "pipe.wav"),    // would wait for a writer forever
        Open("Bomb", ""),             // name in use: refused
        Open("Bomb4", "hour.wav")});  // claims an hour of sound: never decoded
  EXPECT_EQ(mixer.Take(), (Log{"load a.wav 1", "load a.wav 2"}));
  EXPECT_FIELDS(FIELD(set.IsOpen("Bomb2"), false), FIELD(set.IsOpen("Bomb3"), false),
                FIELD(set.IsOpen("Bomb4"), false));
  Send({C::Play("Bomb"), C::Play("Bomb"), C::Play("Tick"), C::Play("Bomb1"), C::Play("Bomb2"), C::Play("Nobody"),
        C::Stop("Bomb1"), C::Close("Bomb1"), C::Stop("Bomb"), C::Close("Bomb"), C::Play("Bomb"),
        Open("Extend", "a.wav"), C::Play("Extend")});  // Extend takes the freed voice
  EXPECT_EQ(mixer.Take(), (Log{"play1 on 2", "play1 on 2", "play2 on 3", "halt 2", "halt 2", "free 1", "load a.wav 3",
                               "play3 on 2"}));
  EXPECT_GE(mixer.voices, 4);
}

TEST_F(ChannelSetTest, TunesAreReloadedAfterPlayingAndOnlyTheirOwnerStopsTheMusic) {
  // The synthesiser cannot rewind: a second play loads a fresh copy.
  Send({Open("Cut", "cut.mid"), Open("BGM", "t.mid"), C::Play("BGM"), C::Play("BGM"), C::Stop("BGM"), C::Play("BGM")});
  EXPECT_EQ(mixer.Take(), (Log{"load t.mid 1", "tune 1", "free 1", "load t.mid 2", "tune 2", "halt tune", "free 2",
                               "load t.mid 3", "tune 3"}));
  EXPECT_FALSE(set.IsOpen("Cut"));
  Send({Open("Other", "t.mid"), C::Play("Other")});
  std::filesystem::remove(dir.File("t.mid"));
  mixer.Take();
  Send(
      {C::Stop("BGM"), C::Play("BGM")});  // not playing any more: the music goes on; the reload fails, BGM falls silent
  EXPECT_EQ(mixer.Take(), (Log{"free 3"}));
  set.CloseAll();
  EXPECT_EQ(mixer.Take(), (Log{"halt tune", "free 4"}));
  EXPECT_EQ(mixer.live, 0);
}

// Effects at half leave out the chain sounds and nothing else.
TEST(SoundChannels, HalfEffectsSilenceOnlyTheChainChannels) {
  Settings settings;
  settings.effectsLevel = 1;
  SoundLog log;
  OpenSoundChannels(log, settings);
  for (const char* line : {"open null alias Bomb7", "open snd/tick.wav alias Tick", "open snd/bgm.mid alias BGM"})
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(), line), 1) << line;
}

TEST(WaveImagePlayer, NewImageFadesTheLastOnTheOtherVoiceAndSilentImagesOnlyStop) {
  auto image = [](size_t size, uint8_t fill) {
    const std::string w = testing::PcmWave(size - 44, static_cast<char>(fill));
    return std::vector<uint8_t>(w.begin(), w.end());
  };
  RecordingMixer mixer;
  WaveImagePlayer player(mixer, 0);
  for (const auto& bytes :
       std::vector<std::vector<uint8_t>>{image(100, 1), image(100, 2), image(100, 1), {0}, image(44, 0), image(44, 0)})
    player.Play(bytes);
  EXPECT_EQ(mixer.Take(), (Log{"image 1", "play1 on 0", "image 2", "fade 0", "play2 on 1", "fade 1", "play1 on 0",
                               "fade 0", "image 0"}));  // the same content is decoded once
  // A full cache drops the least recently played image: here 2, then 1.
  for (uint8_t i = 3; i < 3 + WaveImagePlayer::kCacheLimit - 2; ++i) player.Play(image(100, i));
  EXPECT_EQ(player.cachedCount(), WaveImagePlayer::kCacheLimit);
  EXPECT_EQ(std::count(mixer.log.begin(), mixer.log.end(), "free 2"), 1);
  EXPECT_EQ(std::count(mixer.log.begin(), mixer.log.end(), "free 1"), 0);
  player.Clear();
  EXPECT_EQ(mixer.live, 0);
}

}  // namespace
}  // namespace quandel
