#include "frontend/title_screen.h"

#include <span>

#include "app/app.h"
#include "app/play_loop.h"
#include "app/startup.h"
#include "frontend/help_page.h"
#include "frontend/title_menu.h"
#include "persist/replay_file.h"
#include "render/column_bands.h"
#include "render/digit_text.h"
#include "render/display_clamps.h"
#include "render/masked_blit.h"

namespace quandel {

namespace {

using sheet::Look;

constexpr int32_t kGrey220 = Rgb(220, 220, 220);

// A selected entry is underlined before its picture is drawn.
void Underline(Surface& back, int x, int y) {
  back.Box(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + 50), static_cast<float>(y), kGrey220);
  back.FilledBox(static_cast<float>(x), static_cast<float>(y + 2), static_cast<float>(x + 50),
                 static_cast<float>(y + 3), kGrey220);
}

void DrawEntries(Surface& back, const Surface& title, const Settings& s, const TitleView& view) {
  for (const TitleEntry& e : TitleEntries()) {
    if (e.item == kTitleReplayItem && !view.replayAvailable) continue;
    const Look look = TitleEntryLook(e, s, view.hover);
    // The underline's three rows end on the entry's bottom edge.
    if (look == Look::kSelected) Underline(back, e.area.x, e.area.y + e.area.h - 3);
    MaskedBlit(back, e.area.x, e.area.y, title, e.looks[static_cast<int>(look)]);
  }
}

// Whitened by the mask pieces, then coloured by the image pieces.
void DrawPieces(Surface& back, int x, int y, const Surface& sheetSurface, std::span<const sheet::Piece> mask,
                std::span<const sheet::Piece> image) {
  for (const sheet::Piece& p : mask)
    Blit(back, x + p.dx, y + p.dy, p.src.w, p.src.h, sheetSurface, p.src.x, p.src.y, RasterOp::kOr);
  for (const sheet::Piece& p : image)
    Blit(back, x + p.dx, y + p.dy, p.src.w, p.src.h, sheetSurface, p.src.x, p.src.y, RasterOp::kAnd);
}

void DrawBestScores(Surface& back, const Surface& title, const Surface& hud, const ScoreTable& s) {
  MaskedBlit(back, 370, 30, title, sheet::kTitleHighScoreLabel);
  MaskedBlit(back, 585, 30, hud, sheet::kHudStageLabel);
  DrawDigitRow(back, hud, DigitText(ShownStageNumber(s.highScoreStages[0]), "0#"), 2, DigitFace::kMedium, 595, 70, 20);
  DrawDigitRow(back, hud, DigitText(ShownScore(s.highScores[0]), "000###"), 6, DigitFace::kLarge, 380, 50, 35);
  for (int t = 1; t <= 2; ++t) {
    DrawDigitRow(back, hud, DigitText(ShownStageNumber(s.highScoreStages[t]), "0#"), 2, DigitFace::kSmall, 615,
                 88 + 45 * t, 9);
    DrawDigitRow(back, hud, DigitText(ShownScore(s.highScores[t]), "000###"), 6, DigitFace::kMedium, 470, 70 + 45 * t,
                 20);
  }
}

// The picture that was on screen opens from the column's centre line by 10 px a side per tick.
void TitleWipe(Surfaces& v, int titleTick) {
  if (titleTick < 60) {
    const int left = 230 - 10 * titleTick;
    const int right = 230 + 10 * titleTick;
    Blit(v.backBuffer, 0, 0, left, 480, v.previousPicture, 0, 0, RasterOp::kCopy);
    Blit(v.backBuffer, right, 0, 640 - right, 480, v.previousPicture, right, 0, RasterOp::kCopy);
  } else if (titleTick == 60) {
    v.previousPicture.Resize(0, 0);  // not needed again until the next play
  }
}

// The title's answer to the window's events while it is up.
class TitleInput final : public MenuInput {
 public:
  explicit TitleInput(App& app) : app_(app) { app_.menuInput = this; }
  ~TitleInput() override { app_.menuInput = nullptr; }
  TitleInput(const TitleInput&) = delete;
  TitleInput& operator=(const TitleInput&) = delete;

  void MouseMove(float x, float y) override { view.hover = TitleItemAt(x, y, view.replayAvailable); }

  // The click acts on the item the last move found.
  void MouseDown(float /*x*/, float /*y*/) override {
    if (helpShown) {  // the click only closes the page
      helpShown = false;
      return;
    }
    switch (TitleClick(view.hover, app_.settings)) {
      case TitleChoice::kPlay: Start(0); break;
      case TitleChoice::kReplay: Start(1); break;
      case TitleChoice::kSound:
        ShowBusyOverlay(app_);
        ReopenSoundChannels(app_);
        break;
      case TitleChoice::kFrameSkip:
      case TitleChoice::kNone: break;
    }
  }

  void KeyDown(Key key) override {
    if (helpShown) {
      helpShown = false;
    } else if (key == Key::kF1 || key == Key::kH) {
      helpShown = true;
    } else if (key == Key::kEnter) {
      Start(0);
    }
  }

  TitleView view;
  bool helpShown = false;  // the how-to-play page covers the title; any key or click closes it

 private:
  void Start(uint8_t replayMode) {
    app_.menu.replayMode = replayMode;
    app_.menu.inPlay = 1;
  }

  App& app_;
};

void EnterTitle(App& app, TitleView& view) {
  if (app.menu.replayMode == 1 && app.settings.recordingOff) app.replay.replay.assign(kReplaySlotsOff, ReplayRecord{});
  app.menu.inPlay = 0;
  view = TitleView{};
  view.replayAvailable = app.dir.Exists(kReplayFileName);
  app.surfaces.titleSheet.Resize(288, 437);
  StopMusic(*app.sound);
  app.platform.ShowSystemCursor(true);
}

void StartChosenPlay(App& app) {
  PlayState& s = app.play;
  s.replayMode = app.menu.replayMode;
  s.recordingOff = app.settings.recordingOff;
  if (s.replayMode == 1) {
    if (s.recordingOff) app.replay.replay.assign(kReplaySlots, ReplayRecord{});
    LoadReplay(app.replay, app.dir);
  }
  Surfaces& v = app.surfaces;
  v.titleSheet.Resize(0, 0);
  v.previousPicture.Resize(640, 480);
  Blit(v.previousPicture, 0, 0, 640, 480, v.backBuffer, 0, 0, RasterOp::kCopy);
  app.platform.ShowSystemCursor(false);
  if (s.replayMode == 1) {
    WatchReplay(app, true);
  } else {
    PlayGame(app);
  }
}

}  // namespace

void ComposeTitle(App& app, const TitleView& view) {
  Surfaces& v = app.surfaces;
  Surface& back = v.backBuffer;
  back.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
  back.SetFillStyle(FillStyle::kSolid);
  DrawColumnBands(back, 200, view.scroll, BandRules{false, false, false, 0});
  back.SetFillStyle(FillStyle::kTransparent);

  DrawEntries(back, v.titleSheet, app.settings, view);
  MaskedBlit(back, 350, 230, v.titleSheet, sheet::kTitleFrameSkipLabel);
  MaskedBlit(back, 460, 290, v.titleSheet, sheet::kTitleMusicLabel);
  MaskedBlit(back, 460, 350, v.titleSheet, sheet::kTitleEffectsLabel);

  // The logo's mask four times around it leaves a two-pixel white halo.
  const sheet::Rect& m = sheet::kTitleLogo.mask;
  for (auto [dx, dy] : {std::pair{156, 58}, {156, 62}, {160, 58}, {160, 62}})
    Blit(back, dx, dy, m.w, m.h, v.titleSheet, m.x, m.y, RasterOp::kOr);
  MaskedBlit(back, 158, 60, v.titleSheet, sheet::kTitleLogo);

  DrawBestScores(back, v.titleSheet, v.hudSheet, app.scores);

  // The key to the how-to-play page, centred over the reminder of the buttons.
  DrawPieces(back, 472, 436, v.titleSheet, sheet::kTitleHelpHintMask, sheet::kTitleHelpHintImage);
  const sheet::Sprite& l = sheet::kTitleBottomLeft;
  const sheet::Sprite& r = sheet::kTitleBottomRight;
  Blit(back, 460, 450, l.mask.w, l.mask.h, v.titleSheet, l.mask.x, l.mask.y, RasterOp::kOr);
  Blit(back, 520, 450, r.mask.w, r.mask.h, v.titleSheet, r.mask.x, r.mask.y, RasterOp::kOr);
  Blit(back, 460, 450, l.image.w, l.image.h, v.titleSheet, l.image.x, l.image.y, RasterOp::kAnd);
  Blit(back, 520, 450, r.image.w, r.image.h, v.titleSheet, r.image.x, r.image.y, RasterOp::kAnd);

  DrawDigitRow(back, v.hudSheet, DigitText(ShownFramesPerSecond(view.framesPerSecond), "0##"), 3, DigitFace::kSmall,
               605, 465, 10);
}

void TitleScreen(App& app) {
  MenuState& m = app.menu;
  Settings& settings = app.settings;
  HelpPage help;
  TitleInput input(app);
  TitleView& view = input.view;
  for (;;) {
    EnterTitle(app, view);
    PacedLoop pace(app.frameWait, app.platform);
    int titleTick = 0;
    FpsClock clock;

    for (;;) {
      pace.NextFrame();
      view.scroll = static_cast<float>(titleTick) / 2;
      if (m.inPlay == 1 || m.quitRequested == 1) break;
      // 1 ... 399, then round 200 ... 399: the column scrolls on without a jump.
      titleTick = (titleTick + 1) % 200 + (titleTick + 1 >= 200 ? 200 : 0);
      if (!DrawThisFrame(m.frameSkipPhase, settings.frameSkip)) continue;

      view.framesPerSecond = clock.framesPerSecond;
      ComposeTitle(app, view);
      MeasureFrameAndRestartClock(clock, app.platform, settings.autoFrameSkip, settings.frameSkip);
      TitleWipe(app.surfaces, titleTick);
      Blit(app.surfaces.screen, 0, 0, 640, 480, app.surfaces.backBuffer, 0, 0, RasterOp::kCopy);
      // The page covers only what is shown, so the title under it runs on untouched. Without a
      // page the flag goes, or the next click would be spent closing nothing.
      if (input.helpShown && !help.DrawOver(app.surfaces.screen, app.dir)) input.helpShown = false;
      app.platform.Present(app.surfaces.screen);
    }
    if (m.quitRequested == 1) return;
    StartChosenPlay(app);
    if (m.quitRequested == 1) return;
  }
}

int RunProgram(App& app) {
  const int status = StartUp(app);
  if (status == 0) TitleScreen(app);
  return status;
}

}  // namespace quandel
