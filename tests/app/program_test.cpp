// The whole program on the headless platform: start-up, title screen, plays, shutdown.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "app/app.h"
#include "app/startup.h"
#include "frontend/help_page.h"
#include "frontend/title_screen.h"
#include "persist/replay_file.h"
#include "platform/headless/headless_platform.h"
#include "support/expect_fields.h"
#include "support/test_support.h"

namespace quandel::testing {
namespace {

using E = ScriptedEvent;

constexpr int kT = 100000;  // the headless clock's start

// A data folder with the generated sheets and nothing else.
class Program {
 public:
  Program() : app(platform, DataDir(dir.path()), std::make_unique<SoundLog>()) {
    std::filesystem::create_directory_symlink(std::string(QUANDEL_BINARY_DIR) + "/game/img", dir.File("img"));
    platform.SetFrameProbe([this]() -> std::optional<int32_t> {
      if (app.menu.inPlay != 1) return std::nullopt;
      return app.play.frameNo;
    });
  }
  int Run() { return RunProgram(app); }
  // Events at so many milliseconds after the start, or with so many frames of the play.
  void At(std::initializer_list<std::pair<ScriptedEvent, int>> events) {
    for (const auto& [e, ms] : events) platform.Script(e.AtClock(kT + ms));
  }
  void AtFrame(std::initializer_list<std::pair<ScriptedEvent, int>> events) {
    for (const auto& [e, frame] : events) platform.Script(e.AtFrame(frame));
  }
  const std::vector<std::string>& Sounds() const { return static_cast<const SoundLog&>(*app.sound).lines(); }
  size_t Count(const std::string& command) const {
    const auto& log = Sounds();
    return static_cast<size_t>(std::count(log.begin(), log.end(), command));
  }

  TempDir dir;
  HeadlessPlatform platform;
  App app;
};

TEST(Program, StartTitlePlayQuitTitleClose) {
  Program p;
  p.At({{E::KeyPress(Key::kEnter), 500}});                             // as the start entry
  p.AtFrame({{E::Move(500, 470), 100}, {E::Down(1, 500, 470), 101}});  // the quit button
  p.At({{E::Close(), 3600}});
  EXPECT_EQ(p.Run(), 0);
  // The play ended at the quit click and the title screen was entered again.
  EXPECT_FIELDS(FIELD(p.app.menu.quitRequested, 1), FIELD(p.app.play.frameNo, 101), FIELD(p.app.menu.inPlay, 0));
  EXPECT_EQ(p.Count("stop BGM"), 2u);
  EXPECT_EQ(p.Count("play BGM notify from 0"), 1u);
  // The channels are closed before anything else, opened on the generated sounds and closed last.
  EXPECT_EQ(p.Sounds().front() + ", " + p.Sounds().back(), "close Bomb1, close Short");
  EXPECT_EQ(p.Count("open snd/bomb_1.wav alias Bomb1"), 1u);
  EXPECT_EQ(ReadFile(p.dir.File("scr.hsc")).size(), 56u);
  EXPECT_NE(ReadFile(p.dir.File("config.txt")).find("DrawMode ="), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(p.dir.File("replay.dat")));  // a quit play saves no replay
  EXPECT_GT(p.platform.presentedFrames(), 60);
}

TEST(Program, SettingsClicksChangeTheSettingsAndReopenTheChannels) {
  Program p;
  // Effects off, music on (already chosen), frame skip 3, automatic.
  const std::pair<int, int> clicks[] = {{480, 385}, {600, 325}, {430, 265}, {365, 260}};
  for (int i = 0; i < 4; ++i)
    p.At({{E::Move(clicks[i].first, clicks[i].second), 200 * i + 200},
          {E::Down(1, clicks[i].first, clicks[i].second), 200 * i + 300}});
  p.At({{E::Close(), 1000}});
  ASSERT_EQ(p.Run(), 0);
  const Settings& s = p.app.settings;
  EXPECT_FIELDS(FIELD(s.effectsLevel, 2), FIELD(s.musicOff, 0), FIELD(s.autoFrameSkip, 1));
  // Start-up plus two settings clicks: three full openings, the last two with effects silenced.
  const std::vector<size_t> opened{p.Count("open snd/bgm.mid alias BGM"), p.Count("open null alias Bomb12"),
                                   p.Count("open null alias Tick")};
  EXPECT_EQ(opened, (std::vector<size_t>{3, 2, 2}));
  for (const auto& wave : p.app.bombWaves)
    EXPECT_EQ(wave, std::vector<uint8_t>(1, 0)) << "wave " << &wave - &p.app.bombWaves[0];
}

// Pausing (keys, a lost focus, the count-in) changes nothing recorded; every play is kept in replays/ too.
TEST(Program, APausedPlayRecordsTheSameReplayAsAnUnpausedOne) {
  std::string recorded[2];
  int presented[2] = {0, 0};
  for (int paused = 0; paused < 2; ++paused) {
    SCOPED_TRACE(paused ? "paused" : "unpaused");
    Program p;
    p.At({{E::Move(200, 310), 200}, {E::Down(1, 200, 310), 300}});
    p.AtFrame({{E::Move(230, 60), 100}, {E::Down(1, 230, 300), 200}});
    // P turns the pause off again with a count-in; the move is ignored while paused.
    if (paused)
      p.AtFrame({{E::KeyPress(Key::kSpace), 150},
                 {E::KeyPress(Key::kP), 150},
                 {E::Focus(true), 300},
                 {E::Focus(false), 400},
                 {E::Move(100, 20), 400},
                 {E::KeyPress(Key::kEscape), 400}});
    // Closes once the play has handed back to the title.
    p.platform.SetPresentHook([&p](const Surface&) {
      if (p.app.menu.inPlay == 0 && p.app.play.endTimer == kEndTimerPlayOver && p.platform.ScriptDone())
        p.platform.Script(E::Close());
    });
    ASSERT_EQ(p.Run(), 0);
    ASSERT_TRUE(std::filesystem::exists(p.dir.File("replays"))) << p.app.play.frameNo << " " << p.app.play.endTimer;
    recorded[paused] = ReadFile(p.dir.File("replay.dat"));
    presented[paused] = p.platform.presentedFrames();
    std::vector<std::string> kept;
    for (const auto& e : std::filesystem::directory_iterator(p.dir.File("replays")))
      kept.push_back(ReadFile(e.path().string()));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].size(), recorded[paused].size());
  }
  EXPECT_GT(recorded[0].size(), 44u);
  EXPECT_EQ(recorded[0], recorded[1]);
  EXPECT_GT(presented[1], presented[0] + 100);  // the pauses were shown
}

TEST(Program, TheReplayEntryIsOfferedOnlyWhenAReplayExists) {
  for (bool withFile : {false, true}) {
    Program p;
    if (withFile)
      WriteFile(p.dir.File("replay.dat"), ReadFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat"));
    p.At({{E::Move(200, 390), 200}, {E::Down(1, 200, 390), 300}, {E::Close(), 2000}});
    ASSERT_EQ(p.Run(), 0) << withFile;
    // With the file the click started the replay; without it nothing started.
    EXPECT_FIELDS(FIELD(p.app.play.replayMode, withFile), FIELD(p.app.play.frameNo > 0, withFile)) << withFile;
  }
}

// Sought onto its last frame, a replay waits there, a step does not end it, and Esc leaves it.
TEST(Program, AReplaySoughtToItsEndWaitsThereUntilEsc) {
  Program p;
  WriteFile(p.dir.File("replay.dat"), ReadFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat"));
  p.At({{E::Move(200, 390), 200},
        {E::Down(1, 200, 390), 300},
        {E::KeyPress(Key::kPageDown), 1000},
        {E::KeyPress(Key::kPageDown), 1000},
        {E::KeyPress(Key::kPageDown), 1000},
        {E::KeyPress(Key::kPageDown), 1000},
        {E::KeyPress(Key::kRight), 1200},
        {E::KeyPress(Key::kEscape), 3000},
        {E::Close(), 3500}});
  int inPlayBeforeEsc = 0, timeLeftBeforeEsc = -1, inPlayAfterEsc = 1;
  p.platform.SetPresentHook([&](const Surface&) {
    const int32_t t = p.platform.Clock() - kT;
    if (t > 2900 && t < 3000) inPlayBeforeEsc = p.app.menu.inPlay, timeLeftBeforeEsc = p.app.play.timeLeft;
    if (t > 3100) inPlayAfterEsc = p.app.menu.inPlay;
  });
  ASSERT_EQ(p.Run(), 0);
  EXPECT_EQ(inPlayBeforeEsc, 1);
  EXPECT_EQ(timeLeftBeforeEsc, 0);  // on the last frame
  EXPECT_EQ(inPlayAfterEsc, 0);
}

// Held, Left plays a replay backwards until it is let go; then the replay goes on forwards.
TEST(Program, HoldingLeftRewindsAReplay) {
  Program p;
  WriteFile(p.dir.File("replay.dat"), ReadFile(std::string(QUANDEL_SOURCE_DIR) + "/tests/data/bot_play.dat"));
  p.At({{E::Move(200, 390), 200},
        {E::Down(1, 200, 390), 300},
        {E::KeyPress(Key::kLeft), 3000},
        {E::KeyRelease(Key::kLeft), 4000},
        {E::Close(), 5000}});
  std::map<int, int32_t> frameNo;  // the play's frame at the first picture after 3, 4 and 4.9 s
  p.platform.SetPresentHook([&](const Surface&) {
    for (int ms : {3000, 3990, 4900})
      if (p.platform.Clock() - kT >= ms) frameNo.try_emplace(ms, p.app.play.frameNo);
  });
  ASSERT_EQ(p.Run(), 0);
  EXPECT_LT(frameNo[3990], frameNo[3000] - 30);
  EXPECT_GT(frameNo[4900], frameNo[3990] + 30);
}

TEST(Program, AMissingSheetStopsStartUpWithAMessage) {
  TempDir dir;
  HeadlessPlatform platform;
  App app(platform, DataDir(dir.path()));
  EXPECT_EQ(StartUp(app), 1);
  ASSERT_EQ(platform.messageBoxes().size(), 1u);
  EXPECT_NE(platform.messageBoxes()[0].find("img/cube.bmp"), std::string::npos) << platform.messageBoxes()[0];
  EXPECT_EQ(platform.presentedFrames(), 0);
}

TEST(Program, TheChosenFrameSkipEntryIsUnderlined) {
  Program p;
  std::string error;
  ASSERT_TRUE(SetUpSurfaces(p.app.surfaces, 0, p.dir.path(), &error)) << error;
  p.app.surfaces.titleSheet.Resize(288, 437);
  Settings& s = p.app.settings;
  // Automatic, frame skip 2 (entry 2) and frame skip 4, which a stored file can hold (entry 0).
  for (auto [autoSkip, skip, entry] : {std::tuple{1, 2, 0}, {0, 2, 2}, {0, 4, 0}}) {
    s.autoFrameSkip = static_cast<uint8_t>(autoSkip), s.frameSkip = static_cast<uint8_t>(skip);
    ComposeTitle(p.app, {});
    for (int v = 0; v < 5; ++v) {
      const int x = 360 + 55 * v + 25;
      bool underlined = true;
      for (int y : {272, 274, 275})
        underlined = underlined && p.app.surfaces.backBuffer.pixel(x, y) == PixelRgb(220, 220, 220);
      EXPECT_EQ(underlined, v == entry) << skip << " " << v;
    }
  }
}

TEST(Program, TheFirstDrawnTitlePassOpensOnlyTheCentreOfTheOldPicture) {
  Program p;
  std::vector<uint32_t> firstFrame;
  int presents = 0;
  p.platform.SetPresentHook([&](const Surface& frame) {
    // The loading picture is the first present; the first title pass is the second.
    if (frame.width() == 640 && p.app.surfaces.previousPicture.width() == 640 && ++presents == 2)
      firstFrame.assign(frame.pixels(), frame.pixels() + 640 * 480);
  });
  p.At({{E::Close(), 200}});
  ASSERT_EQ(p.Run(), 0);
  ASSERT_EQ(firstFrame.size(), 640u * 480u);
  const uint32_t grey100 = PixelRgb(100, 100, 100);
  // The first drawn pass (titleTick 3) shows the new picture only in columns 200 .. 259.
  for (int x : {0, 100, 199, 260, 400, 639}) EXPECT_EQ(firstFrame[300 * 640 + x], grey100) << x;
  bool bandVisible = false;
  for (int x = 200; x < 260; ++x) bandVisible = bandVisible || firstFrame[300 * 640 + x] != grey100;
  EXPECT_TRUE(bandVisible);
}

// F1 shows the page, a key hides it, H shows it, a START click hides it; the title runs on beneath.
TEST(Program, TheHelpPageCoversTheTitleWhichRunsOnUnderneath) {
  const std::string bmp = ReadFile(std::string(QUANDEL_BINARY_DIR) + "/game/" + kHelpPageFile);
  Picture page;
  ASSERT_TRUE(DecodeBmp({reinterpret_cast<const uint8_t*>(bmp.data()), bmp.size()}, page));
  auto run = [](bool help) {
    Program p;
    std::vector<std::vector<uint32_t>> frames;
    p.platform.SetPresentHook(
        [&](const Surface& f) { frames.emplace_back(f.pixels(), f.pixels() + f.width() * f.height()); });
    p.At({{E::Move(200, 310), 300}});  // over START
    if (help)
      p.At({{E::KeyPress(Key::kF1), 400},
            {E::KeyPress(Key::kSpace), 800},
            {E::KeyPress(Key::kH), 1200},
            {E::Down(1, 200, 310), 1600}});
    p.At({{E::Close(), 2000}});
    EXPECT_EQ(p.Run(), 0);
    EXPECT_EQ(p.app.play.frameNo, 0);  // no play started
    return frames;
  };
  const auto plain = run(false), helped = run(true);
  ASSERT_EQ(plain.size(), helped.size());
  std::string shown;  // a letter a frame: the Page, the Title as it would have been, or neither
  for (size_t i = 0; i < plain.size(); ++i)
    shown += helped[i] == page.pixels ? 'P' : (helped[i] == plain[i] ? 'T' : '?');
  EXPECT_THAT(shown, ::testing::MatchesRegex("T+P+T+P+T+"));
}

// Without img/help.bmp F1 says so once and the next START click is not spent closing an unseen page.
TEST(Program, WithoutTheHelpPageF1DoesNothing) {
  Program p;
  std::filesystem::remove(p.dir.File("img"));
  std::filesystem::create_directory(p.dir.File("img"));
  for (const char* sheet : {"cube.bmp", "title.bmp", "lg.bmp"})
    std::filesystem::create_symlink(std::string(QUANDEL_BINARY_DIR) + "/game/img/" + sheet, p.dir.File("img/") + sheet);
  p.At({{E::Move(200, 310), 300},
        {E::KeyPress(Key::kF1), 400},
        {E::KeyPress(Key::kF1), 600},
        {E::Down(1, 200, 310), 800},
        {E::Close(), 3000}});
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(p.Run(), 0);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_GT(p.app.play.frameNo, 0);
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}

}  // namespace
}  // namespace quandel::testing
