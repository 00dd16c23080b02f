#include "frontend/title_screen.h"

#include "app/app.h"
#include "app/play_loop.h"
#include "app/startup.h"
#include "frontend/help_page.h"
#include "persist/replay_file.h"
#include "render/column_bands.h"
#include "render/digit_text.h"
#include "render/display_clamps.h"
#include "render/masked_blit.h"

namespace quandel {

namespace {

using sheet::Look;

constexpr int32_t kGrey220 = Rgb(220, 220, 220);

// The selected entry of a row is underlined before its image is drawn.
void Underline(Surface& back, int x, int y) {
  back.Box(static_cast<float>(x), static_cast<float>(y), static_cast<float>(x + 50), static_cast<float>(y), kGrey220);
  back.FilledBox(static_cast<float>(x), static_cast<float>(y + 2), static_cast<float>(x + 50), static_cast<float>(y + 3), kGrey220);
}

void DrawFrameSkipRow(Surface& back, const Surface& title, const Settings& s, uint8_t menuHover) {
  for (int v = 0; v < 5; ++v) {
    const int x = 360 + 55 * v;
    // Entry 0 is AUTO, and also the entry of a frameSkip of 4, which only a stored file can hold.
    const bool chosen = (v == 0 && s.autoFrameSkip == 1) || (s.autoFrameSkip == 0 && v == 4 - s.frameSkip);
    if (chosen) Underline(back, x, 272);
    Look look = Look::kNormal;
    if (chosen) {
      look = Look::kSelected;
    } else if (menuHover == v + 2 && (v == 0 || v != 4 - s.frameSkip)) {
      look = Look::kHover;
    }
    MaskedBlit(back, x, 255, title, sheet::kTitleFrameSkipEntry(v, look));
  }
}

void DrawSettingsRows(Surface& back, const Surface& title, const Settings& s, uint8_t menuHover) {
  MaskedBlit(back, 460, 290, title, sheet::kTitleMusicLabel);
  for (int v = 0; v < 2; ++v) {
    const int x = 470 + 110 * v;
    const bool chosen = v == 1 - s.musicOff;
    if (chosen) Underline(back, x, 332);
    const Look look = chosen ? Look::kSelected : (menuHover == v + 7 ? Look::kHover : Look::kNormal);
    MaskedBlit(back, x, 315, title, v == 0 ? sheet::kTitleOffWord(look) : sheet::kTitleOnWord(look));
  }
  MaskedBlit(back, 460, 350, title, sheet::kTitleEffectsLabel);
  for (int v = 0; v < 3; ++v) {
    const int x = 470 + 55 * v;
    const bool chosen = v == 2 - s.effectsLevel;
    if (chosen) Underline(back, x, 392);
    const Look look = chosen ? Look::kSelected : (menuHover == v + 9 ? Look::kHover : Look::kNormal);
    const sheet::Sprite word = v == 0 ? sheet::kTitleOffWord(look) : (v == 1 ? sheet::kTitleMiddleWord(look) : sheet::kTitleOnWord(look));
    MaskedBlit(back, x, 375, title, word);
  }
}

void DrawBestScores(Surface& back, const Surface& title, const Surface& hud, const ScoreTable& s) {
  MaskedBlit(back, 370, 30, title, sheet::kTitleHighScoreLabel);
  MaskedBlit(back, 585, 30, hud, sheet::kHudStageLabel);
  DrawDigitRow(back, hud, DigitText(ShownStageNumber(s.highScoreStages[0]), "0#"), 2, DigitFace::kMedium, 595, 70, 20);
  DrawDigitRow(back, hud, DigitText(ShownScore(s.highScores[0]), "000###"), 6, DigitFace::kLarge, 380, 50, 35);
  for (int t = 1; t <= 2; ++t) {
    DrawDigitRow(back, hud, DigitText(ShownStageNumber(s.highScoreStages[t]), "0#"), 2, DigitFace::kSmall, 615, 88 + 45 * t, 9);
    DrawDigitRow(back, hud, DigitText(ShownScore(s.highScores[t]), "000###"), 6, DigitFace::kMedium, 470, 70 + 45 * t, 20);
  }
}

// The picture that was on screen opens from the column's centre line by 10 px a side per tick.
void TitleWipe(Surfaces& v, int titleTick) {
  if (titleTick < 60) {
    const int left = 230 - 10 * titleTick;
    const int right = 230 + 10 * titleTick;
    BitBlt(v.picBack, 0, 0, left, 480, v.picBack2, 0, 0, SRCCOPY);
    BitBlt(v.picBack, right, 0, 640 - right, 480, v.picBack2, right, 0, SRCCOPY);
  } else if (titleTick == 60) {
    v.picBack2.SetOuterSize(2, 2);  // not needed again until the next play
  }
}

void EnterTitle(App& app) {
  if (app.menu.replayMode == 1 && app.settings.replaySave == 1) app.replay.replay.assign(kReplaySlotsOff, ReplayRecord{});
  app.menu.inPlay = 0;
  app.menu.menuHover = 0;
  app.surfaces.picTitle.SetOuterSize(290, 439);
  app.play.fieldWidth = 200;
  StopMusic(*app.sound);
  app.platform.ShowSystemCursor(true);
}

void StartChosenPlay(App& app) {
  PlayState& s = app.play;
  s.replayMode = app.menu.replayMode;
  s.replaySave = app.settings.replaySave;
  if (s.replayMode == 1) {
    if (s.replaySave == 1) app.replay.replay.assign(kReplaySlots, ReplayRecord{});
    LoadReplay(app.replay, app.dir);
  }
  Surfaces& v = app.surfaces;
  v.picTitle.SetOuterSize(2, 2);
  v.picBack2.SetOuterSize(642, 482);
  BitBlt(v.picBack2, 0, 0, 640, 480, v.picBack, 0, 0, SRCCOPY);
  app.platform.ShowSystemCursor(false);
  if (s.replayMode == 1) {
    WatchReplay(app, true);
  } else {
    PlayGame(app);
  }
}

}  // namespace

void ComposeTitle(App& app, const TitleView& view) {
  const uint8_t hover = app.menu.menuHover;
  Surfaces& v = app.surfaces;
  Surface& back = v.picBack;
  back.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
  back.SetFillStyle(FillStyle::kSolid);
  DrawColumnBands(back, 200, app.play.scrollPos, BandRules{false, false, false, 0});
  back.SetFillStyle(FillStyle::kTransparent);

  MaskedBlit(back, 105, 300, v.picTitle, hover == 1 ? sheet::kTitleStartHover : sheet::kTitleStartNormal);
  if (view.replayAvailable) {
    MaskedBlit(back, 135, 380, v.picTitle, hover == 12 ? sheet::kTitleReplayHover : sheet::kTitleReplayNormal);
  }
  MaskedBlit(back, 350, 230, v.picTitle, sheet::kTitleFrameSkipLabel);
  DrawFrameSkipRow(back, v.picTitle, app.settings, hover);

  // The logo's mask four times around it leaves a two-pixel white halo.
  const sheet::Rect& m = sheet::kTitleLogo.mask;
  for (auto [dx, dy] : {std::pair{156, 58}, {156, 62}, {160, 58}, {160, 62}}) BitBlt(back, dx, dy, m.w, m.h, v.picTitle, m.x, m.y, SRCPAINT);
  MaskedBlit(back, 158, 60, v.picTitle, sheet::kTitleLogo);

  DrawSettingsRows(back, v.picTitle, app.settings, hover);
  DrawBestScores(back, v.picTitle, v.picLogo, app.scores);

  const sheet::Sprite& l = sheet::kTitleBottomLeft;
  const sheet::Sprite& r = sheet::kTitleBottomRight;
  BitBlt(back, 460, 450, l.mask.w, l.mask.h, v.picTitle, l.mask.x, l.mask.y, SRCPAINT);
  BitBlt(back, 520, 450, r.mask.w, r.mask.h, v.picTitle, r.mask.x, r.mask.y, SRCPAINT);
  BitBlt(back, 460, 450, l.image.w, l.image.h, v.picTitle, l.image.x, l.image.y, SRCAND);
  BitBlt(back, 520, 450, r.image.w, r.image.h, v.picTitle, r.image.x, r.image.y, SRCAND);

  DrawDigitRow(back, v.picLogo, DigitText(ShownFramesPerSecond(view.framesPerSecond), "0##"), 3, DigitFace::kSmall, 605, 465, 10);
}

void TitleScreen(App& app) {
  MenuState& m = app.menu;
  Settings& settings = app.settings;
  HelpPage help;
  for (;;) {
    EnterTitle(app);
    PacedLoop pace(app.frameWait, app.platform);
    int titleTick = 0;
    FpsClock clock;
    TitleView view;
    view.replayAvailable = app.dir.Exists(kReplayFileName);

    for (;;) {
      pace.NextFrame();
      app.play.scrollPos = static_cast<float>(titleTick) / 2;
      if (m.inPlay == 1 || m.quitRequested == 1) break;
      // 1 ... 399, then round 200 ... 399: the column scrolls on without a jump.
      titleTick = (titleTick + 1) % 200 + (titleTick + 1 >= 200 ? 200 : 0);
      if (!DrawThisFrame(m.frameSkipPhase, settings.frameSkip)) continue;

      view.framesPerSecond = clock.framesPerSecond;
      ComposeTitle(app, view);
      MeasureFrameAndRestartClock(clock, app.platform, settings.autoFrameSkip, settings.frameSkip);
      TitleWipe(app.surfaces, titleTick);
      BitBlt(app.surfaces.picMain, 0, 0, 640, 480, app.surfaces.picBack, 0, 0, SRCCOPY);
      // The page covers only what is shown, so the title under it runs on untouched. Without a
      // page the flag goes, or the next click would be spent closing nothing.
      if (m.helpShown && !help.DrawOver(app.surfaces.picMain, app.dir)) m.helpShown = false;
      app.platform.Present(app.surfaces.picMain);
    }
    if (m.quitRequested == 1) return;
    StartChosenPlay(app);
    if (m.quitRequested == 1) return;
  }
}

int RunProgram(App& app) {
  const int status = Form_Load(app);
  if (status == 0) TitleScreen(app);
  return status;
}

}  // namespace quandel
