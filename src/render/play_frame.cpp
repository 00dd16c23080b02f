#include "render/play_frame.h"

#include <algorithm>

#include "game/numeric.h"
#include "render/column_bands.h"
#include "render/digit_text.h"
#include "render/display_clamps.h"
#include "render/masked_blit.h"
#include "render/sheet_layout.h"

namespace quandel {

namespace {

int32_t Channel(float v) { return static_cast<int32_t>(std::clamp<int64_t>(RoundHalfEven(v), 0, 255)); }

}  // namespace

int32_t BoxTint(int kind) { return Rgb(20 + 30 * (kind % 2), 20, 20 + 30 * ((2 - kind) / 2)); }

void DrawScenery(Surface& back, const PlayState& s) {
  const float w = s.fieldWidth;
  const float stage = s.stage;
  const float flash = s.extendFlash;

  // A column wider than 250 darkens the whole background; stage 20 fades in a blue tint and
  // stage 25 trades it for a red one, each over the 50 frames after the extend.
  const float base = w > 250 ? MinOf(310 - MinOf(w, 300), 100) : 100;
  const float a = MinOf(MaxOf(stage - 20, -1) * 50 + flash, 50);
  const float b = MinOf(MaxOf(stage - 25, -1) * 50 + flash, 50);
  const float blue = MaxOf(a, 0) / 2 - MaxOf(b, 0) / 2;
  const float red = MaxOf(b, 0) / 2;
  back.FilledBox(0, 0, 640, 480, Rgb(Channel(base + red), Channel(base), Channel(base + blue)));

  // The particles share the background's grey until the column widens or the tints come in.
  const float base2 = w > 250 ? (MinOf(w, 300) - 250) * 3 + 100 : 100;
  const int32_t dust = Rgb(Channel(base2 - 3 * blue), Channel(base2 - 3 * blue - 3 * red), Channel(base2 - 3 * red));
  for (int i = 0; i < kStarCount; ++i) {
    const Star& star = s.stars[i];
    const int x = PixelRound(star.x), y = PixelRound(star.y);
    back.SetPixelV(x, y, dust);
    if (i < 50) {
      const int x1 = PixelRound(star.x + 1.0f), y1 = PixelRound(star.y + 1.0f);
      back.SetPixelV(x1, y, dust);
      back.SetPixelV(x, y1, dust);
      back.SetPixelV(x1, y1, dust);
    }
  }

  DrawColumnBands(back, s.fieldWidth, s.scrollPos, BandRules{});

  back.SetFillStyle(FillStyle::kTransparent);
  // The lower edge of the zone where the cursor speeds up the scrolling.
  back.Line(0, 96, 640, 96, Rgb(180, 180, 180));
}

void DrawCursor(Surface& back, const Surface& hud, const PlayState& s) {
  MaskedBlitAt(back, s.cursorX - 15.0f, s.cursorY - 15.0f, hud, sheet::kHudCursor);
}

void DrawLiveBoxes(Surface& back, const Surface& boxSheet, const PlayState& s, uint8_t drawMode) {
  const bool sprites = drawMode % 2 == 0;
  for (const Box& box : s.boxes) {
    if (box.state != BoxState::kFalling) continue;
    const int kind = static_cast<int>(box.kind);
    if (sprites) {
      MaskedBlitAt(back, box.x - 8.0f, box.y - 8.0f, boxSheet, sheet::kBoxCell(kind, box.spinA, box.spinB));
    } else {
      back.SetFillColour(s.colours[kind % 4] + BoxTint(kind));
      back.Box(box.x - 6.0f, box.y - 6.0f, box.x + 6.0f, box.y + 6.0f, Rgb(0, 0, 0));
    }
  }
}

void DrawFrameRateCounter(Surface& back, const Surface& hud, const FpsClock& clock) {
  DrawDigitRow(back, hud, DigitText(ShownFramesPerSecond(clock.framesPerSecond), "0##"), 3, DigitFace::kSmall, 605, 465,
               10);
}

void OpeningWipe(Surfaces& v, int32_t frameNo) {
  if (frameNo < 0) {
    // The new picture shows through a gap that opens from the centre of the column.
    const int a = 10 * (frameNo + 60);
    Blit(v.backBuffer, 0, 0, 230 - a, 480, v.previousPicture, 0, 0, RasterOp::kCopy);
    Blit(v.backBuffer, 230 + a, 0, 640 - (230 + a), 480, v.previousPicture, 230 + a, 0, RasterOp::kCopy);
  } else if (frameNo == 0) {
    v.previousPicture.Resize(0, 0);
  }
}

void ComposePlayFrame(Surfaces& v, const PlayState& s, const PlayView& view) {
  Surface& back = v.backBuffer;
  const uint8_t drawMode = view.drawMode;

  DrawScenery(back, s);
  DrawReachIndicators(back, s);

  back.SetFillStyle(drawMode / 2 == 0 ? FillStyle::kSolid : FillStyle::kTransparent);
  v.largeFire.SetFillStyle(FillStyle::kSolid);
  DrawBurningBoxes(v, s, drawMode);

  back.SetFillStyle(drawMode % 2 == 0 ? FillStyle::kTransparent : FillStyle::kSolid);
  // The cursor lies over the fire and under the falling boxes.
  DrawCursor(back, v.hudSheet, s);
  DrawLiveBoxes(back, v.boxSheet, s, drawMode);

  back.SetFillStyle(FillStyle::kTransparent);
  DrawBlastAndMagnet(back, s);
  DrawHud(back, v.hudSheet, s, view.rank);

  // The counter shows the last measurement; the caller counts this frame after it.
  DrawFrameRateCounter(back, v.hudSheet, view.clock);
  OpeningWipe(v, s.frameNo);

  Blit(v.screen, 0, 0, 640, 480, back, 0, 0, RasterOp::kCopy);
}

}  // namespace quandel
