#include "app/play_loop.h"

#include "app/app.h"
#include "persist/high_scores.h"
#include "persist/replay_file.h"
#include "render/play_frame.h"

namespace quandel {

namespace {

void PlaySounds(App& app, const SoundCues& sounds) {
  for (const SoundCue& cue : sounds) PlaySoundCue(app.platform, cue, app.bombWaves);
}

}  // namespace

void SavingRecorder::RecordResult(PlayState& play, ReplayTable& replay, const ScoreTable& scores, uint8_t rank,
                                  bool replayFull) {
  SaveHighScores(settings_, scores, play.rng, dir_);
  if (!replayFull && play.replaySave == 0 && (!dir_.Exists(kReplayFileName) || rank == 1)) {
    SaveReplay(replay, play.replayPos, play.rng, dir_);
  }
}

void PlayGame(App& app) {
  PlayState& s = app.play;
  // Events that came with the click that started the play still meet the last play's state;
  // the start then resets what they touched.
  SoundCues sounds;
  ApplyLiveInput(s, app.replay, app.pendingInput, sounds);
  app.pendingInput.clear();
  StartPlay(s, app.replay, sounds);
  PlaySounds(app, sounds);
  app.playClock = FpsClock{};
  app.playRank = 0;
  SavingRecorder recorder(app.settings, app.dir);
  uint8_t pacePhase = 0;
  std::vector<InputEvent> input;

  for (;;) {
    app.frameWait.WaitFrame(app.platform, FrameSlot(pacePhase));
    pacePhase = static_cast<uint8_t>((pacePhase + 1) % 3);
    app.platform.PumpEvents();
    if (app.menu.quitRequested == 1) return;

    input.swap(app.pendingInput);
    app.pendingInput.clear();
    const FrameReport report = StepPlayFrame(s, app.replay, app.scores, input, recorder);
    PlaySounds(app, report.sounds);
    if (report.resultRecorded) {
      app.playRank = report.rank;
      if (report.replayFull) app.platform.MessageBox("Quandel", kReplayFullMessage);
    }
    if (report.over) {
      // The title screen opens from the play's last picture.
      if (app.menu.quitRequested != 1) {
        app.surfaces.picBack2.SetOuterSize(642, 482);
        BitBlt(app.surfaces.picBack2, 0, 0, 640, 480, app.surfaces.picBack, 0, 0, SRCCOPY);
      }
      return;
    }

    app.menu.frameSkipPhase = static_cast<uint8_t>((app.menu.frameSkipPhase + 1) % (app.settings.frameSkip + 1));
    if (app.menu.frameSkipPhase != 0) continue;
    ComposePlayFrame(app.surfaces, s, PlayView{app.settings.drawMode, app.playRank, app.playClock});
    StepFrameClock(app.playClock, app.platform, app.settings.autoFrameSkip, app.settings.frameSkip);
    app.platform.Present(app.surfaces.picMain);
  }
}

}  // namespace quandel
