// The head-up display of a play: everything right of the column, the gauges at the left edge and
// the banners over the column. All of it but the gauges and chain bars comes from the HUD sheet.
#include <algorithm>
#include <string>

#include "game/input.h"
#include "game/numeric.h"
#include "game/play_step.h"
#include "render/digit_text.h"
#include "render/display_clamps.h"
#include "render/masked_blit.h"
#include "render/play_frame.h"
#include "render/sheet_layout.h"

namespace quandel {

namespace {

void DrawGauges(Surface& back, const PlayState& s) {
  const int16_t values[2] = {s.bombGauge, s.magnetGauge};
  for (int g = 0; g < 2; ++g) {
    const double f = values[g] / 3000.0;
    const float left = 20.0f + 15 * g, right = 35.0f + 15 * g;
    back.FilledBox(left, static_cast<float>(479 - 429 * f), right, 479, Rgb(250 - 110 * g, 170 + 80 * g, 140 + 30 * g));
    back.Box(left, 50, right, 479, Rgb(0, 0, 0));
    // One third is the price of a bomb or a magnet.
    for (int j = 1; j <= 2; ++j) {
      const float y = static_cast<float>(479 - 429.0 * j / 3);
      back.Line(left, y, right, y, Rgb(150 - 110 * g, 70 + 80 * g, 40 + 30 * g));
    }
  }
}

void DrawChainBar(Surface& back, const PlayState& s, int p) {
  if (s.chainFuse[p] == 0) return;
  // The bar greys down during the second half of its fuse.
  const int step = s.fieldWidth == 300 ? 8 : 5;
  const float c = 250 - step * MaxOf(static_cast<float>(s.chainFuse[p] - 30), 0);
  const int g = static_cast<int>(std::clamp<int64_t>(RoundHalfEven(c), 0, 255));
  back.FilledBox(490, static_cast<float>(270 + 12 * p), static_cast<float>(490 + s.chainCount[p]),
                 static_cast<float>(280 + 12 * p), Rgb(g, g, g));
}

void DrawChainResult(Surface& back, const Surface& hud, const PlayState& s, int p) {
  const int t = s.chainShownTimer[p];
  if (t == 0) return;
  // Slides in from the right over frames 1..5 and out over frames 109..119.
  const int slide = std::max(6 - t, 0) * 20 + std::max(t - 108, 0) * 10;
  const std::string text = std::to_string(std::abs(static_cast<int>(s.chainShown[p])));
  const int n = static_cast<int>(text.size());
  const int y = 160 + 35 * p;
  for (int j = 3 - n; j <= 2; ++j) {
    MaskedBlit(back, 440 + 20 * j + slide, y, hud, sheet::kHudMediumDigit(DigitAt(text, j - (3 - n) + 1)));
  }
  MaskedBlit(back, 515 + slide, y, hud, sheet::kHudChainWord);
}

}  // namespace

void DrawHud(Surface& back, const Surface& hud, const PlayState& s, uint8_t rank) {
  DrawGauges(back, s);
  MaskedBlit(back, 20, 405, hud, sheet::kHudGaugeLabel);

  MaskedBlit(back, 390, 80, hud, sheet::kHudStageLabel);
  DrawDigitRow(back, hud, DigitText(ShownStageNumber(s.stage), "0#"), 2, DigitFace::kMedium, 450, 62, 22);

  MaskedBlit(back, 520, 80, hud, sheet::kHudExtendLabel);
  // The threshold is a whole number, exact as a float: the distance is the float difference.
  const float distance = static_cast<float>(ExtendThreshold(s.stage)) - s.extendMeter;
  DrawDigitRow(back, hud, DigitText(ShownExtendDistance(distance), "00##"), 4, DigitFace::kSmall, 570, 80, 10);

  DrawDigitRow(back, hud, DigitText(ShownScore(s.scoreShown), "000###"), 6, DigitFace::kLarge, 410, 100, 35);

  if (rank >= 1 && rank <= 3) MaskedBlit(back, 375, 130, hud, sheet::kHudRankBadge(rank));

  const std::string time = DigitText(ShownSeconds(s.timeShown), "0#.#0");
  // Warning colour while time is being taken away or under ten seconds remain.
  const bool warning = s.timeLeft < s.timeShown || s.timeLeft < 600;
  const DigitFace timeFace = warning ? DigitFace::kMediumWarning : DigitFace::kMedium;
  for (int p = 0; p < kChainSlots; ++p) {
    DrawChainBar(back, s, p);
    DrawChainResult(back, hud, s, p);
    if (p == 2) {
      MaskedBlit(back, 555, 20, hud, sheet::kHudPoint(warning));
    } else {
      MaskedBlit(back, 520 + 20 * p - (p > 1 ? 10 : 0), 20, hud, DigitSprite(timeFace, DigitAt(time, p + 1)));
    }
  }

  if (s.stageBanner % 85 != 0) {
    const int off = std::max(12 - s.stageBanner, 0) * 24 + std::max(s.stageBanner - 60, 0) * 24;
    MaskedBlit(back, 350 + off, 20, hud, sheet::kHudStageBanner);
  }
  MaskedBlit(back, 470, 38, hud, sheet::kHudTimeLabel);

  if (s.frameNo <= 90) {
    const int64_t drop = std::max<int64_t>(static_cast<int64_t>(s.frameNo) - 60, 0);
    MaskedBlit(back, 180, static_cast<int>(170 + 10 * drop), hud, sheet::kHudOpeningBanner);
  }
  if (s.timeLeft == 0) {
    const int64_t fall = std::max<int64_t>(30 - static_cast<int64_t>(s.endTimer), 0);
    MaskedBlit(back, 143, static_cast<int>(170 - 6 * fall), hud, sheet::kHudTimeUpBanner);
  }

  // Quit button: whitened by its mask pieces, then coloured by the normal or hover pieces.
  static_assert(sheet::kQuitButtonWidth == kQuitButton.w && sheet::kQuitButtonHeight == kQuitButton.h);
  const int qx = kQuitButton.x, qy = kQuitButton.y;
  for (const sheet::Piece& piece : sheet::kQuitButtonMask) {
    Blit(back, qx + piece.dx, qy + piece.dy, piece.src.w, piece.src.h, hud, piece.src.x, piece.src.y, RasterOp::kOr);
  }
  auto colourPieces = [&](const auto& pieces) {
    for (const sheet::Piece& piece : pieces) {
      Blit(back, qx + piece.dx, qy + piece.dy, piece.src.w, piece.src.h, hud, piece.src.x, piece.src.y, RasterOp::kAnd);
    }
  };
  if (s.quitHovered) {
    colourPieces(sheet::kQuitButtonHover);
  } else {
    colourPieces(sheet::kQuitButtonNormal);
  }

  if (s.replayMode == 1) {
    for (const sheet::Piece& piece : sheet::kReplayLabelMask) {
      Blit(back, 460 + piece.dx, 410 + piece.dy, piece.src.w, piece.src.h, hud, piece.src.x, piece.src.y,
           RasterOp::kOr);
    }
    for (const sheet::Piece& piece : sheet::kReplayLabelImage) {
      Blit(back, 460 + piece.dx, 410 + piece.dy, piece.src.w, piece.src.h, hud, piece.src.x, piece.src.y,
           RasterOp::kAnd);
    }
  } else {
    MaskedBlit(back, 440, 400, hud, sheet::kHudLogo);
  }
}

}  // namespace quandel
