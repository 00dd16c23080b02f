// The command vocabulary, the named channels and the wave image player over a mixer that only
// records what it is asked.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl/sdl_audio.h"
#include "support/test_support.h"

namespace quandel {
namespace {

using testing::TempDir;
using testing::WriteFile;
using Verb = SoundCommand::Verb;

class RecordingMixer : public MixerPort {
 public:
  std::vector<std::string> log;
  int voices = 0;
  int live = 0;  // samples and tunes loaded and not yet freed

  std::vector<std::string> Take() { return std::exchange(log, {}); }

  int LoadSample(const std::string& path) override { return Load("sample", path); }
  int LoadSampleImage(const std::vector<uint8_t>& image) override {
    // A bare header decodes to nothing.
    const int id = image.size() > 44 ? ++next_ : 0;
    log.push_back("image " + std::to_string(image.size()) + " -> " + std::to_string(id));
    live += id != 0;
    return id;
  }
  void FreeSample(int s) override { Note("free sample", s); --live; }
  void PlaySample(int s, int v) override { log.push_back("play " + std::to_string(s) + " on " + std::to_string(v)); }
  void HaltVoice(int v) override { Note("halt voice", v); }
  void FadeOutVoice(int v) override { Note("fade voice", v); }
  void ReserveVoices(int n) override { voices = std::max(voices, n); }
  int LoadTune(const std::string& path) override { return Load("tune", path); }
  void FreeTune(int t) override { Note("free tune", t); --live; }
  void PlayTune(int t) override { Note("play tune", t); }
  void HaltTune() override { log.push_back("halt tune"); }

 private:
  int Load(const std::string& what, const std::string& path) {
    const int id = std::filesystem::exists(path) ? ++next_ : 0;
    log.push_back("load " + what + " " + std::filesystem::path(path).filename().string() + " -> " + std::to_string(id));
    live += id != 0;
    return id;
  }
  void Note(const std::string& what, int n) { log.push_back(what + " " + std::to_string(n)); }
  int next_ = 0;
};

using Log = std::vector<std::string>;

// Format 0, one track: a note on and off, then the end marker.
const std::string kTinyMidi("MThd\0\0\0\6\0\0\0\1\0\x60"
                            "MTrk\0\0\0\x0b"
                            "\0\x90\x3c\x40"
                            "\x60\x3c\0"  // running status
                            "\0\xff\x2f\0",
                            33);

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(SoundCommandParse, GameVocabularyAndLooseSpelling) {
  struct Case {
    const char* text;
    Verb verb;
    const char* alias;
    const char* target;
  } cases[] = {
      {"open snd/bomb_3.wav alias Bomb3", Verb::kOpen, "Bomb3", "snd/bomb_3.wav"},
      {"open null alias BGM", Verb::kOpen, "BGM", ""},
      {"OPEN NULL ALIAS Tick", Verb::kOpen, "Tick", ""},
      {"play Bomb12 notify from 0", Verb::kPlay, "Bomb12", ""},
      {"  play\tShort   notify  from 0 ", Verb::kPlay, "Short", ""},
      {"play Extend", Verb::kPlay, "Extend", ""},
      {"play Tick from 0 notify", Verb::kPlay, "Tick", ""},
      {"stop BGM", Verb::kStop, "BGM", ""},
      {"Close Magnet", Verb::kClose, "Magnet", ""},
  };
  for (const Case& c : cases) {
    const SoundCommand cmd = ParseSoundCommand(c.text);
    EXPECT_EQ(cmd.verb, c.verb) << c.text;
    EXPECT_EQ(cmd.alias, c.alias) << c.text;
    EXPECT_EQ(cmd.target, c.target) << c.text;
  }
}

TEST(SoundCommandParse, AnythingElseIsNothing) {
  for (const char* text : {"", "   ", "open", "open snd/a.wav", "open snd/a.wav as A", "open a b alias X",
                           "open snd/a.wav alias", "play", "play X from", "play X from 5", "play X wait",
                           "play X notify repeat", "stop", "stop X now", "close", "close A B", "pause BGM",
                           "seek BGM to start", "status BGM mode"}) {
    EXPECT_EQ(ParseSoundCommand(text).verb, Verb::kNone) << '"' << text << '"';
  }
}

class ChannelSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wav = dir.File("a.wav");
    wav2 = dir.File("b.wav");
    mid = dir.File("tune.mid");
    WriteFile(wav, "RIFF....WAVEfmt ");
    WriteFile(wav2, "RIFF....WAVEfmt ");
    WriteFile(mid, kTinyMidi);
  }
  void Send(const std::string& text) { set.Execute(ParseSoundCommand(text)); }

  TempDir dir;
  std::string wav, wav2, mid;
  RecordingMixer mixer;
  SoundChannelSet set{mixer, 2};
};

TEST_F(ChannelSetTest, SampleChannelPlaysFromTheStartOnItsOwnVoiceUntilClosed) {
  Send("open " + wav + " alias Bomb");
  Send("open " + wav2 + " alias Tick");
  EXPECT_EQ(mixer.Take(), (Log{"load sample a.wav -> 1", "load sample b.wav -> 2"}));
  EXPECT_GE(mixer.voices, 4);

  Send("play Bomb notify from 0");
  Send("play Bomb notify from 0");  // a restart cuts the sound on that voice only
  Send("play tick notify from 0");
  Send("stop Bomb");
  EXPECT_EQ(mixer.Take(), (Log{"play 1 on 2", "play 1 on 2", "play 2 on 3", "halt voice 2"}));

  Send("close Bomb");
  EXPECT_EQ(mixer.Take(), (Log{"halt voice 2", "free sample 1"}));
  Send("play Bomb notify from 0");
  Send("stop Bomb");
  Send("close Bomb");
  EXPECT_TRUE(mixer.Take().empty());

  // The freed voice is the next one handed out.
  Send("open " + wav2 + " alias Extend");
  Send("play Extend notify from 0");
  EXPECT_EQ(mixer.Take(), (Log{"load sample b.wav -> 3", "play 3 on 2"}));
}

TEST_F(ChannelSetTest, NullMissingAndUnknownChannelsStaySilent) {
  Send("open null alias Bomb1");
  Send("open " + dir.File("missing.wav") + " alias Bomb2");
  EXPECT_EQ(mixer.Take(), (Log{"load sample missing.wav -> 0"}));
  EXPECT_TRUE(set.IsOpen("BOMB1"));
  EXPECT_FALSE(set.IsOpen("Bomb2"));  // a failed open leaves the name free

  for (const char* name : {"Bomb1", "Bomb2", "Nobody"}) {
    for (const char* verb : {"play %s notify from 0", "stop %s", "close %s"}) {
      char text[64];
      std::snprintf(text, sizeof text, verb, name);
      Send(text);
    }
  }
  Send("play");
  Send("rewind Bomb1");
  EXPECT_TRUE(mixer.Take().empty());
  EXPECT_EQ(set.openCount(), 0u);

  Send("open " + wav + " alias Bomb2");
  EXPECT_EQ(mixer.Take(), (Log{"load sample a.wav -> 1"}));
}

TEST_F(ChannelSetTest, OpeningANameInUseKeepsTheFirstChannel) {
  Send("open " + wav + " alias Bomb");
  Send("open null alias BOMB");
  Send("open " + wav2 + " alias bomb");
  Send("play Bomb notify from 0");
  EXPECT_EQ(mixer.Take(), (Log{"load sample a.wav -> 1", "play 1 on 2"}));
  EXPECT_EQ(set.openCount(), 1u);
}

TEST_F(ChannelSetTest, MidiTuneRestartsFreshAndOnlyItsOwnerStopsTheMusic) {
  Send("open " + mid + " alias BGM");
  EXPECT_EQ(mixer.Take(), (Log{"load tune tune.mid -> 1"}));
  Send("play BGM notify from 0");
  EXPECT_EQ(mixer.Take(), (Log{"play tune 1"}));
  // Played once already: it is loaded again so that it starts from the top.
  Send("play BGM notify from 0");
  EXPECT_EQ(mixer.Take(), (Log{"free tune 1", "load tune tune.mid -> 2", "play tune 2"}));
  Send("stop BGM");
  EXPECT_EQ(mixer.Take(), (Log{"halt tune", "free tune 2", "load tune tune.mid -> 3"}));
  Send("play BGM notify from 0");
  EXPECT_EQ(mixer.Take(), (Log{"play tune 3"}));

  // A second tune takes over the single music output; stopping the first then leaves it alone.
  Send("open " + mid + " alias Other");
  Send("play Other notify from 0");
  mixer.Take();
  Send("stop BGM");
  Send("close BGM");
  EXPECT_EQ(mixer.Take(), (Log{"free tune 3", "load tune tune.mid -> 5", "free tune 5"}));
  Send("close Other");
  EXPECT_EQ(mixer.Take(), (Log{"halt tune", "free tune 4"}));
}

TEST(MidiCheck, OnlyCompleteFilesPass) {
  EXPECT_TRUE(IsCompleteMidi(Bytes(kTinyMidi)));
  const std::string game = std::string(QUANDEL_GAME_DIR) + "/snd/bgm.mid";
  if (std::filesystem::exists(game)) {
    EXPECT_TRUE(IsCompleteMidi(Bytes(testing::ReadFile(game))));
  }
  for (size_t n = 0; n < kTinyMidi.size(); ++n) EXPECT_FALSE(IsCompleteMidi(Bytes(kTinyMidi.substr(0, n)))) << n;
  auto with = [](size_t at, char c) {
    std::string s = kTinyMidi;
    s[at] = c;
    return Bytes(s);
  };
  EXPECT_FALSE(IsCompleteMidi(with(11, 2)));      // says two tracks, holds one
  EXPECT_FALSE(IsCompleteMidi(with(13, 0)));      // no time division
  EXPECT_FALSE(IsCompleteMidi(with(21, 14)));     // track longer than the file
  EXPECT_FALSE(IsCompleteMidi(with(23, 0x3c)));   // data byte with no status before it
  EXPECT_FALSE(IsCompleteMidi(with(25, '\x80')));  // status byte where data belongs
  EXPECT_FALSE(IsCompleteMidi(with(30, '\xf8')));  // real-time message inside a file
  EXPECT_FALSE(IsCompleteMidi(with(31, 0x2e)));   // no end marker
  // Chunks of other kinds are stepped over.
  std::string extra = kTinyMidi;
  extra.insert(14, std::string("XTRA\0\0\0\2ab", 10));
  EXPECT_TRUE(IsCompleteMidi(Bytes(extra)));
}

TEST_F(ChannelSetTest, BrokenOrVanishedTunesStaySilent) {
  WriteFile(dir.File("cut.mid"), kTinyMidi.substr(0, 30));
  Send("open " + dir.File("cut.mid") + " alias Cut");
  EXPECT_FALSE(set.IsOpen("Cut"));
  Send("open " + mid + " alias BGM");
  Send("play BGM notify from 0");
  std::filesystem::remove(mid);
  Send("stop BGM");
  mixer.Take();
  Send("play BGM notify from 0");
  Send("stop BGM");
  EXPECT_TRUE(mixer.Take().empty());
  EXPECT_TRUE(set.IsOpen("BGM"));
  Send("close BGM");
  EXPECT_EQ(mixer.live, 0);
}

TEST_F(ChannelSetTest, OpenChannelsAreBoundedAndAllFreedAtTheEnd) {
  {
    SoundChannelSet many(mixer, 2);
    for (size_t i = 0; i < SoundChannelSet::kMaxChannels + 5; ++i)
      many.Execute(ParseSoundCommand("open " + wav + " alias C" + std::to_string(i)));
    EXPECT_EQ(many.openCount(), SoundChannelSet::kMaxChannels);
    EXPECT_EQ(mixer.live, static_cast<int>(SoundChannelSet::kMaxChannels));
    EXPECT_EQ(mixer.voices, 2 + static_cast<int>(SoundChannelSet::kMaxChannels));
  }
  EXPECT_EQ(mixer.live, 0);
}

// ---- Wave images ----

std::vector<uint8_t> WaveImage(size_t size, uint8_t fill) {
  std::vector<uint8_t> image(size, fill);
  const char head[] = "RIFF\0\0\0\0WAVE";
  std::copy(head, head + 12, image.begin());
  return image;
}

TEST(WaveImagePlayer, EachImageCutsThePreviousOnTheOtherVoice) {
  RecordingMixer mixer;
  WaveImagePlayer player(mixer, 0);
  EXPECT_GE(mixer.voices, 2);
  const auto a = WaveImage(100, 1), b = WaveImage(100, 2);
  player.Play(a);
  player.Play(b);
  player.Play(std::vector<uint8_t>(a));  // same content, another vector: decoded once
  EXPECT_EQ(mixer.Take(), (Log{"image 100 -> 1", "play 1 on 0", "image 100 -> 2", "fade voice 0", "play 2 on 1",
                               "fade voice 1", "play 1 on 0"}));
  EXPECT_EQ(player.cachedCount(), 2u);
}

TEST(WaveImagePlayer, ImagesThatHoldNoSoundOnlyStopTheCurrentOne) {
  RecordingMixer mixer;
  WaveImagePlayer player(mixer, 0);
  player.Play(WaveImage(100, 1));
  mixer.Take();
  player.Play({0});  // the one-byte image of the silenced settings
  EXPECT_EQ(mixer.Take(), (Log{"fade voice 0"}));
  player.Play({});
  std::vector<uint8_t> junk(200, 'x');
  player.Play(junk);
  EXPECT_TRUE(mixer.Take().empty());
  // A wave header that decodes to nothing is remembered as such.
  player.Play(WaveImage(44, 0));
  player.Play(WaveImage(44, 0));
  EXPECT_EQ(mixer.Take(), (Log{"image 44 -> 0"}));
  EXPECT_FALSE(LooksLikeWave(junk.data(), junk.size()));
}

TEST(WaveImagePlayer, CacheDropsTheOldestImageButNeverOneStillSounding) {
  RecordingMixer mixer;
  {
    WaveImagePlayer player(mixer, 0);
    const auto first = WaveImage(100, 0);
    player.Play(first);
    for (size_t i = 1; i < WaveImagePlayer::kCacheLimit; ++i) player.Play(WaveImage(100, static_cast<uint8_t>(i)));
    player.Play(first);  // now the most recent one, on a voice
    mixer.Take();
    player.Play(WaveImage(100, 200));
    EXPECT_EQ(mixer.Take(), (Log{"free sample 2", "image 100 -> 25", "fade voice 0", "play 25 on 1"}));
    EXPECT_EQ(player.cachedCount(), WaveImagePlayer::kCacheLimit);
  }
  EXPECT_EQ(mixer.live, 0);
}

TEST(SoundFontSearch, TakesTheFirstRealSoundFont) {
  TempDir dir;
  WriteFile(dir.File("empty.sf2"), "");
  WriteFile(dir.File("text.sf2"), "RIFF0000abcdefgh");
  WriteFile(dir.File("good.sf2"), std::string("RIFF\x10\0\0\0sfbkLIST", 16));
  std::filesystem::create_directory(dir.File("folder.sf2"));
  std::filesystem::create_symlink(dir.File("good.sf2"), dir.File("link.sf2"));
  std::filesystem::create_symlink(dir.File("gone.sf2"), dir.File("dangling.sf2"));
  const std::string bad[] = {dir.File("missing.sf2"), dir.File("empty.sf2"), dir.File("text.sf2"),
                             dir.File("folder.sf2"), dir.File("dangling.sf2")};
  std::vector<std::string> candidates(std::begin(bad), std::end(bad));
  EXPECT_EQ(FindSoundFont(candidates), "");
  candidates.push_back(dir.File("link.sf2"));
  candidates.push_back(dir.File("other.sf2"));
  EXPECT_EQ(FindSoundFont(candidates), std::filesystem::canonical(dir.File("good.sf2")).string());
}

}  // namespace
}  // namespace quandel
