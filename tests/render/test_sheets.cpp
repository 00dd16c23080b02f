#include "render/test_sheets.h"

#include <span>

#include "game/game_state.h"

namespace quandel::testing {
namespace {

constexpr int32_t kWhite = Rgb(255, 255, 255), kBlack = Rgb(0, 0, 0);

void Inner(Surface& s, const sheet::Rect& r, int inset, int32_t colour) {
  s.FilledBox(static_cast<float>(r.x + inset), static_cast<float>(r.y + inset),
              static_cast<float>(r.x + r.w - 1 - inset), static_cast<float>(r.y + r.h - 1 - inset), colour);
}

void Picture(Surface& s, const sheet::Sprite& sp, int imageInset, int maskInset) {
  Inner(s, sp.image, 0, kWhite);
  Inner(s, sp.image, imageInset, SheetColour(sp.image));
  Inner(s, sp.mask, 0, kBlack);
  Inner(s, sp.mask, maskInset, kWhite);
}

}  // namespace

int32_t SheetColour(const sheet::Rect& r) {
  // Distinct for every rectangle the sheets use, and never white or black.
  return Rgb(30 + (r.x * 7 + r.y * 3) % 200, 30 + (r.x * 3 + r.y * 11) % 200, 30 + (r.x + r.y * 5 + r.w) % 200);
}

void PaintHudSheet(Surface& s) {
  s.Resize(sheet::kHudSheetWidth, sheet::kHudSheetHeight);
  s.FilledBox(0, 0, 380, 373, kWhite);
  for (int d = 0; d < 10; ++d)
    for (const sheet::Sprite& sp : {sheet::kHudLargeDigit(d), sheet::kHudMediumDigit(d, false),
                                    sheet::kHudMediumDigit(d, true), sheet::kHudSmallDigit(d)})
      Picture(s, sp, kHudInset, kHudInset);
  for (const sheet::Sprite& sp :
       {sheet::kHudPoint(false), sheet::kHudPoint(true), sheet::kHudChainWord, sheet::kHudExtendLabel,
        sheet::kHudStageLabel, sheet::kHudTimeLabel, sheet::kHudStageBanner, sheet::kHudOpeningBanner,
        sheet::kHudTimeUpBanner, sheet::kHudRankBadge(1), sheet::kHudRankBadge(2), sheet::kHudRankBadge(3),
        sheet::kHudGaugeLabel, sheet::kHudLogo, sheet::kHudCursor, sheet::kHudPausedBanner, sheet::kHudGoOnHint})
    Picture(s, sp, kHudInset, kHudInset);
  // Pieced pictures: white mask pieces, each colour piece a square of its own colour.
  using Pieces = std::span<const sheet::Piece>;
  for (Pieces mask : {Pieces(sheet::kQuitButtonMask), Pieces(sheet::kReplayLabelMask)})
    for (const sheet::Piece& p : mask) Inner(s, p.src, 0, kWhite);
  for (Pieces image :
       {Pieces(sheet::kQuitButtonNormal), Pieces(sheet::kQuitButtonHover), Pieces(sheet::kReplayLabelImage)})
    for (const sheet::Piece& p : image) Inner(s, p.src, 0, SheetColour(p.src));
}

void PaintBoxSheet(Surface& s) {
  s.Resize(sheet::kBoxSheetWidth, sheet::kBoxSheetHeight);
  for (int kind = 0; kind < sheet::kBoxKinds; ++kind)
    for (int c = 0; c < sheet::kBoxSpinColumns; ++c)
      for (int r = 0; r < sheet::kBoxSpinRows + 1; ++r) Picture(s, sheet::kBoxCellAt(kind, c, r), kBoxInset, kBoxInset);
}

void PaintFireSheet(Surface& s) {
  s.Resize(1350, 540);
  for (int q = 0; q < 30; ++q) {
    const int x = 90 * (q % 15);
    const sheet::Rect mask{x, 90 * (4 + q / 15), 90, 90};
    for (int k = 0; k < 2; ++k) {
      const sheet::Rect image{x, 90 * (2 * k + q / 15), 90, 90};
      Inner(s, image, 0, kWhite);
      Inner(s, image, FireInset(q), SheetColour(image));
    }
    Inner(s, mask, 0, kBlack);
    Inner(s, mask, FireInset(q), kWhite);
  }
}

void PrepareTestSurfaces(Surfaces& v, int drawMode) {
  for (Surface* s : {&v.backBuffer, &v.previousPicture, &v.screen}) s->Resize(640, 480);
  v.previousPicture.FilledBox(0, 0, 640, 480, Rgb(100, 100, 100));
  PaintHudSheet(v.hudSheet);
  if (drawMode % 2 == 0)
    PaintBoxSheet(v.boxSheet);
  else
    v.boxSheet.Resize(0, 0);
  if (drawMode < 2) {
    PaintFireSheet(v.fireSheet);
    v.largeFire.Resize(240, 480);
  } else {
    for (Surface* s : {&v.fireSheet, &v.largeFire}) s->Resize(0, 0);
  }
}

}  // namespace quandel::testing
