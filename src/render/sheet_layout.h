// Where every picture lies in the three bitmap sheets the game loads at start-up.
//
// A sprite is drawn by the masked-blit pair: OR with its mask (white where the picture is, black
// elsewhere), then AND with its image (the picture on a white ground), both to the same place.
// A few HUD and title pieces are assembled from several blits; those are listed as pieces with
// their offset inside the assembled picture, and the caller adds its own destination.
#pragma once

namespace quandel::sheet {

struct Rect {
  int x, y, w, h;
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Sprite {
  Rect image;
  Rect mask;
};

// One blit of a picture assembled from several: source rectangle and its offset in the whole.
struct Piece {
  Rect src;
  int dx, dy;
};

// The three looks of a menu entry; they share one mask, so only their colours may differ.
enum class Look { kNormal = 0, kHover = 1, kSelected = 2 };

// --- Sheet sizes --------------------------------------------------------------------------------

inline constexpr int kBoxSheetWidth = 384, kBoxSheetHeight = 256;      // img/cube.bmp
inline constexpr int kTitleSheetWidth = 288, kTitleSheetHeight = 437;  // img/title.bmp
inline constexpr int kHudSheetWidth = 380, kHudSheetHeight = 397;      // img/lg.bmp
// The how-to-play page is a whole screen, shown as it is (no mask).
inline constexpr int kHelpPageWidth = 640, kHelpPageHeight = 480;  // img/help.bmp

// --- Box sheet ----------------------------------------------------------------------------------
// One block of 128 x 256 per box kind; inside it, column = spinA phase, row = spinB phase, and
// each 16 x 32 cell holds the 16 x 16 image above its 16 x 16 mask. spinA can sit in 700..799 for
// one frame after a roll-over, hence the eighth column.

inline constexpr int kBoxKinds = 3;
inline constexpr int kBoxSize = 16;
inline constexpr int kBoxKindBlockWidth = 128;
inline constexpr int kBoxSpinColumns = 8;
inline constexpr int kBoxSpinRows = 7;

constexpr Sprite kBoxCellAt(int kind, int column, int row) {
  const int x = kBoxKindBlockWidth * kind + kBoxSize * column;
  const int y = 2 * kBoxSize * row;
  return {{x, y, kBoxSize, kBoxSize}, {x, y + kBoxSize, kBoxSize, kBoxSize}};
}

// The cell the box drawing reads for a box of this kind and these spin phases.
constexpr Sprite kBoxCell(int kind, int spinA, int spinB) { return kBoxCellAt(kind, spinA / 100, spinB / 100); }

// --- Title sheet --------------------------------------------------------------------------------

inline constexpr Sprite kTitleStartNormal{{0, 30, 250, 30}, {0, 60, 250, 30}};
inline constexpr Sprite kTitleStartHover{{0, 0, 250, 30}, {0, 60, 250, 30}};
inline constexpr Sprite kTitleReplayNormal{{0, 387, 190, 25}, {0, 412, 190, 25}};
inline constexpr Sprite kTitleReplayHover{{0, 362, 190, 25}, {0, 412, 190, 25}};
inline constexpr Sprite kTitleFrameSkipLabel{{0, 90, 150, 20}, {0, 110, 150, 20}};

inline constexpr int kTitleFrameSkipEntries = 5;  // automatic, then skip 3, 2, 1, 0

// Entry v of the frame-skip row: 0 automatic, 1..4 skip 3, 2, 1, 0 frames.
constexpr Sprite kTitleFrameSkipEntry(int v, Look look) {
  const int l = static_cast<int>(look);
  if (v == 0) return {{100, 130 + 20 * l, 50, 20}, {100, 190, 50, 20}};
  const int x = (v == 1 || v == 3) ? 150 : 200;
  const int top = v <= 2 ? 90 : 170;
  return {{x, top + 20 * l, 50, 20}, {x, top + 60, 50, 20}};
}

inline constexpr Sprite kTitleMusicLabel{{150, 250, 50, 20}, {150, 270, 50, 20}};
inline constexpr Sprite kTitleEffectsLabel{{200, 250, 50, 20}, {200, 270, 50, 20}};

// Setting words: on (music on, all effects), off (music off, no effects), middle (effects level 1).
constexpr Sprite kTitleOnWord(Look look) { return {{0, 130 + 20 * static_cast<int>(look), 50, 20}, {0, 190, 50, 20}}; }
constexpr Sprite kTitleOffWord(Look look) { return {{0, 210 + 20 * static_cast<int>(look), 50, 20}, {0, 270, 50, 20}}; }
constexpr Sprite kTitleMiddleWord(Look look) {
  return {{50, 130 + 20 * static_cast<int>(look), 50, 20}, {50, 190, 50, 20}};
}

inline constexpr Sprite kTitleLogo{{0, 290, 144, 72}, {144, 290, 144, 72}};
inline constexpr Sprite kTitleHighScoreLabel{{190, 362, 80, 12}, {190, 374, 80, 12}};
// The bottom label is one 120 x 12 line drawn as two halves side by side.
inline constexpr Sprite kTitleBottomLeft{{228, 386, 60, 12}, {228, 410, 60, 12}};
inline constexpr Sprite kTitleBottomRight{{228, 398, 60, 12}, {228, 422, 60, 12}};
// The help hint is one 96 x 12 line kept as three 32-pixel pieces in the free strip at the
// sheet's right edge: images above, masks below.
inline constexpr int kTitleHelpHintWidth = 96, kTitleHelpHintHeight = 12;
inline constexpr Piece kTitleHelpHintImage[] = {
    {{254, 2, 32, 12}, 0, 0}, {{254, 14, 32, 12}, 32, 0}, {{254, 26, 32, 12}, 64, 0}};
inline constexpr Piece kTitleHelpHintMask[] = {
    {{254, 38, 32, 12}, 0, 0}, {{254, 50, 32, 12}, 32, 0}, {{254, 62, 32, 12}, 64, 0}};
// The busy message is one 200 x 20 line drawn as two halves side by side.
inline constexpr Sprite kTitleBusyLeft{{50, 210, 100, 20}, {50, 230, 100, 20}};
inline constexpr Sprite kTitleBusyRight{{50, 250, 100, 20}, {50, 270, 100, 20}};

// --- HUD sheet ----------------------------------------------------------------------------------

constexpr Sprite kHudLargeDigit(int d) { return {{35 * d, 0, 35, 50}, {35 * d, 50, 35, 50}}; }
constexpr Sprite kHudMediumDigit(int d, bool warning = false) {
  return {{20 * d, warning ? 130 : 100, 20, 30}, {20 * d, 160, 20, 30}};
}
constexpr Sprite kHudPoint(bool warning = false) { return {{warning ? 220 : 200, 160, 20, 30}, {240, 160, 20, 30}}; }
constexpr Sprite kHudSmallDigit(int d) { return {{260 + 8 * d, 160, 8, 12}, {260 + 8 * d, 172, 8, 12}}; }

inline constexpr Sprite kHudChainWord{{200, 100, 120, 30}, {200, 130, 120, 30}};
inline constexpr Sprite kHudExtendLabel{{0, 190, 40, 12}, {0, 202, 40, 12}};
inline constexpr Sprite kHudStageLabel{{40, 190, 50, 12}, {40, 202, 50, 12}};
inline constexpr Sprite kHudTimeLabel{{90, 190, 40, 12}, {90, 202, 40, 12}};
inline constexpr Sprite kHudStageBanner{{200, 190, 120, 24}, {200, 214, 120, 24}};
inline constexpr Sprite kHudOpeningBanner{{0, 214, 100, 24}, {100, 214, 100, 24}};
inline constexpr Sprite kHudTimeUpBanner{{0, 238, 175, 35}, {175, 238, 175, 35}};

// Rank r = 1..3: the place a live play's score took in the best-score table.
constexpr Sprite kHudRankBadge(int r) { return {{260, 243 + 30 * r, 60, 30}, {320, 243 + 30 * r, 60, 30}}; }

// One label across the foot of both gauges (bomb on the left, magnet on the right).
inline constexpr Sprite kHudGaugeLabel{{200, 273, 30, 70}, {230, 273, 30, 70}};
inline constexpr Sprite kHudLogo{{0, 273, 200, 50}, {0, 323, 200, 50}};
// Centred on the cursor position: drawn at (cursor - 15).
inline constexpr Sprite kHudCursor{{350, 0, 30, 30}, {350, 30, 30, 30}};

// The pause of a live play, in a row added below the rest.
inline constexpr Sprite kHudPausedBanner{{0, 373, 100, 24}, {100, 373, 100, 24}};
inline constexpr Sprite kHudGoOnHint{{200, 373, 90, 14}, {290, 373, 90, 14}};

// Quit button, 80 x 15: whitened by four mask pieces, then coloured by the normal or hover pieces.
inline constexpr int kQuitButtonWidth = 80, kQuitButtonHeight = 15;
inline constexpr Piece kQuitButtonMask[] = {
    {{260, 363, 40, 10}, 0, 0},
    {{300, 363, 40, 5}, 0, 10},
    {{300, 368, 40, 5}, 40, 0},
    {{340, 363, 40, 10}, 40, 5},
};
inline constexpr Piece kQuitButtonNormal[] = {
    {{200, 343, 40, 15}, 0, 0},
    {{200, 358, 40, 15}, 40, 0},
};
inline constexpr Piece kQuitButtonHover[] = {
    {{360, 70, 20, 15}, 0, 0},
    {{360, 220, 20, 15}, 20, 0},
    {{360, 85, 20, 15}, 40, 0},
    {{360, 235, 20, 15}, 60, 0},
};

// Replay label, 100 x 30, shown instead of the logo while a replay runs.
inline constexpr int kReplayLabelWidth = 100, kReplayLabelHeight = 30;
inline constexpr Piece kReplayLabelMask[] = {
    {{320, 130, 60, 30}, 0, 0},
    {{340, 190, 40, 30}, 60, 0},
};
inline constexpr Piece kReplayLabelImage[] = {
    {{320, 100, 60, 30}, 0, 0},
    {{340, 160, 40, 30}, 60, 0},
};

}  // namespace quandel::sheet
