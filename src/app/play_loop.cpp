#include "app/play_loop.h"

#include "app/app.h"
#include "app/replay_theatre.h"
#include "render/play_frame.h"
#include "render/replay_overlay.h"
#include "render/screen_changes.h"

namespace quandel {

namespace {

constexpr int kCountInFrames = 60;
constexpr int kOverlayFrames = 120;

void PlaySounds(App& app, const SoundCues& sounds) {
  for (const SoundCue& cue : sounds) PlaySoundCue(*app.sound, cue, app.bombWaves);
}

// Live events that came with the click that started the play still meet the last play's state;
// the start then resets what they touched.
void BeginPlay(App& app) {
  SoundCues sounds;
  ApplyLiveInput(app.play, app.replay, app.pendingInput, sounds);
  app.pendingInput.clear();
  app.pendingKeys.clear();
  app.releasedKeys.clear();
  app.focusLost = false;
  StartPlay(app.play, app.replay, sounds);
  PlaySounds(app, sounds);
  app.playClock = FpsClock{};
  app.playRank = 0;
}

// The title screen opens from the play's last picture.
void HandOverPicture(App& app) {
  if (app.menu.quitRequested == 1) return;
  KeepPictureForWipe(app.surfaces);
}

void Show(App& app) {
  MeasureFrameAndRestartClock(app.playClock, app.platform, app.settings.autoFrameSkip, app.settings.frameSkip);
  app.platform.Present(app.surfaces.screen);
}

// The keys pressed and let go since the last frame, taken for this frame's loop.
struct FrameKeys {
  explicit FrameKeys(App& app) {
    pressed.swap(app.pendingKeys);
    released.swap(app.releasedKeys);
    app.pendingKeys.clear();
    app.releasedKeys.clear();
  }
  std::vector<Key> pressed, released;
};

}  // namespace

void PlayGame(App& app) {
  PlayState& s = app.play;
  BeginPlay(app);
  SavingRecorder recorder(app.settings, app.dir);
  PacedLoop pace(app.frameWait, app.platform);
  std::vector<InputEvent> input;
  // A live play pauses on Space, Esc or P and when the window loses the focus it had; it goes on
  // after a count-in. Nothing is simulated meanwhile and the mouse means nothing.
  bool paused = false;
  int countIn = 0;

  for (;;) {
    pace.NextFrame();
    if (app.menu.quitRequested == 1) return;

    // A lost focus first: a key pressed after it resumes.
    if (app.focusLost && !paused) paused = true, countIn = 0;
    for (Key key : FrameKeys(app).pressed) {
      if (key != Key::kSpace && key != Key::kEscape && key != Key::kP) continue;
      countIn = paused ? kCountInFrames : 0;
      paused = !paused;
    }
    app.focusLost = false;
    if (paused || countIn > 0) {
      app.pendingInput.clear();
      Blit(app.surfaces.screen, 0, 0, 640, 480, app.surfaces.backBuffer, 0, 0, RasterOp::kCopy);
      if (paused) {
        DrawPauseMark(app.surfaces.screen, app.surfaces.hudSheet);
      } else {
        DrawCountIn(app.surfaces.screen, app.surfaces.hudSheet);
        --countIn;
      }
      app.platform.Present(app.surfaces.screen);
      continue;
    }

    input.swap(app.pendingInput);
    app.pendingInput.clear();
    const FrameReport report = StepPlayFrame(s, app.replay, app.scores, input, recorder);
    PlaySounds(app, report.sounds);
    if (report.resultRecorded) {
      app.playRank = report.rank;
      if (report.replayFull) app.platform.MessageBox("Quandel", kReplayFullMessage);
    }
    if (report.over) return HandOverPicture(app);

    if (!DrawThisFrame(app.menu.frameSkipPhase, app.settings.frameSkip)) continue;
    ComposePlayFrame(app.surfaces, s, PlayView{app.settings.drawMode, app.playRank, app.playClock});
    Show(app);
  }
}

void WatchReplay(App& app, bool saveResult) {
  BeginPlay(app);
  SavingRecorder saving(app.settings, app.dir);
  NoSaving silent;
  ResultRecorder& recorder = saveResult ? static_cast<ResultRecorder&>(saving) : silent;
  ReplayTheatre theatre(app.play, app.replay, app.scores);
  PacedLoop pace(app.frameWait, app.platform);
  std::vector<InputEvent> input;

  for (;;) {
    pace.NextFrame();
    if (app.menu.quitRequested == 1) return;

    bool leave = false;
    const FrameKeys keys(app);
    for (Key key : keys.pressed) {
      if (key == Key::kEscape)
        leave = true;
      else
        theatre.Control(key);
    }
    for (Key key : keys.released) theatre.Release(key);
    // A key let go while another window has the focus is never reported here.
    if (app.focusLost) theatre.Release(Key::kLeft);
    app.focusLost = false;
    if (leave) return HandOverPicture(app);

    input.swap(app.pendingInput);
    app.pendingInput.clear();
    if (theatre.paused()) input.clear();
    SoundCues sounds;
    theatre.Advance(input, recorder, sounds);
    PlaySounds(app, sounds);
    app.play = theatre.play();
    app.scores = theatre.scores();
    if (theatre.over()) return HandOverPicture(app);

    // Above normal speed, while paused and while the panel shows, every shown frame is drawn;
    // otherwise the frame-skip rule holds. Held on the last frame, the panel stays.
    const bool overlay = theatre.sinceControl() < kOverlayFrames || theatre.holdingAtEnd();
    const bool draw = theatre.simulatedLastFrame() && DrawThisFrame(app.menu.frameSkipPhase, app.settings.frameSkip);
    if (!draw && !overlay && !theatre.paused() && theatre.speedQuarters() <= 4) continue;
    ComposePlayFrame(app.surfaces, app.play, PlayView{app.settings.drawMode, 0, app.playClock});
    if (overlay) {
      const int fade = theatre.holdingAtEnd() ? kOverlayFrames : kOverlayFrames - theatre.sinceControl();
      const ReplayOverlay o{theatre.position(), theatre.length(),    theatre.speedQuarters(),
                            theatre.paused(),   theatre.rewinding(), std::min(256, fade * 16)};
      DrawReplayOverlay(app.surfaces.screen, app.surfaces.hudSheet, o);
    }
    Show(app);
  }
}

}  // namespace quandel
