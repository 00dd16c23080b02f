// The fire of burning boxes, the running bomb blast and magnet, and the reach circles of an idle
// bomb and magnet.
#include <cmath>

#include "game/numeric.h"
#include "render/masked_blit.h"
#include "render/play_frame.h"
#include "render/sheet_layout.h"

namespace quandel {

namespace {

constexpr int kFireCell = 90;    // one frame of the fire sheet
constexpr int kLargeFire = 240;  // the square a special box's ring is built in

// Frame q (0..29) of the fire sheet in colour set k; the masks are shared by both sets.
sheet::Sprite FireCell(int kind, int q) {
  const int x = kFireCell * (q % 15);
  return {{x, kFireCell * (2 * kind + q / 15), kFireCell, kFireCell},
          {x, kFireCell * (4 + q / 15), kFireCell, kFireCell}};
}

// The ring of a special box: its colour between the hole and the burn radius, built as image and
// mask in largeFire and blitted centred on the box.
void DrawLargeFire(Surfaces& v, const Box& box, int32_t colour) {
  Surface& scratch = v.largeFire;
  const float m = MaxOf(static_cast<float>(box.burnTime - 10), 0);
  const double open = 50.0 - m;
  const float hole = ToFloat(120 - open * open / 20.84);
  const float r = box.burnRadius;
  scratch.Clear();
  scratch.FilledBox(0, 240, 240, 480, Rgb(0, 0, 0));
  scratch.SetFillColour(colour);
  scratch.Circle(120, 120, r, colour);
  scratch.SetFillColour(Rgb(255, 255, 255));
  scratch.Circle(120, 120, hole, Rgb(255, 255, 255));
  scratch.Circle(120, 360, r, Rgb(255, 255, 255));
  scratch.SetFillColour(Rgb(0, 0, 0));
  scratch.Circle(120, 360, hole, Rgb(0, 0, 0));
  const sheet::Sprite ring{{0, 0, kLargeFire, kLargeFire}, {0, kLargeFire, kLargeFire, kLargeFire}};
  MaskedBlitAt(v.backBuffer, box.x - 120.0f, box.y - 120.0f, scratch, ring);
}

}  // namespace

void DrawReachIndicators(Surface& back, const PlayState& s) {
  // The largest blast and the reach of a freshly placed magnet.
  if (s.blastTimer == 0) back.Circle(s.cursorX, s.cursorY, 60, Rgb(250, 170, 170));
  if (s.magnetTimer == 0) back.Circle(s.cursorX, s.cursorY, 100, Rgb(170, 250, 170));
}

void DrawBurningBoxes(Surfaces& v, const PlayState& s, uint8_t drawMode) {
  Surface& back = v.backBuffer;
  const bool sprites = drawMode < 2;
  for (const Box& box : s.boxes) {
    if (box.state != BoxState::kBurning) continue;
    const int k = static_cast<int>(box.kind);
    const int32_t colour = s.colours[k % 4];
    const int t = box.burnTime;
    const float r = box.burnRadius;
    if (k < 2 && sprites) {
      MaskedBlitAt(back, box.x - 45.0f, box.y - 45.0f, v.fireSheet, FireCell(k, t / 2));
    } else if (k < 2) {
      back.Circle(box.x, box.y, r, colour + BoxTint(k));
      back.Circle(box.x, box.y, MaxOf(r - 1, 0), colour);
      back.Circle(box.x, box.y, MaxOf(r - 2, 0), colour);
      back.Circle(box.x, box.y, ToFloat(t * 0.75), colour);
    } else if (sprites) {
      DrawLargeFire(v, box, colour);
    } else {
      back.Circle(box.x, box.y, r, colour + Rgb(20, 20, 20));
      back.Circle(box.x, box.y, MaxOf(r - 1, 0), colour);
      back.Circle(box.x, box.y, MaxOf(r - 2, 0), colour);
      back.Circle(box.x, box.y, ToFloat(2.0 * t), colour);
      back.Circle(box.x, box.y, ToFloat(MaxOf(static_cast<float>(t - 15), 0) * 2.67), colour);
    }
  }
}

void DrawBlastAndMagnet(Surface& back, const PlayState& s) {
  if (s.blastTimer != 0) {
    const int32_t colour = Rgb(180, 60, 30);
    // The edge is three pixels thick while the blast is young, then two, then one.
    const int n = (45 - s.blastTimer) / 15;
    for (int j = 0; j <= n; ++j)
      back.Circle(s.blastX, s.blastY, MaxOf(static_cast<float>(s.blastRadius - j), 0), colour);
    const double g = s.blastTimer * 1.4;
    back.Circle(s.blastX, s.blastY, ToFloat(g), colour);
    if (s.blastTimer < 35) back.Circle(s.blastX, s.blastY, MaxOf(ToFloat(g - 1), 0), colour);
  }
  if (s.magnetTimer != 0) {
    const int32_t colour = Rgb(30, 110, 60);
    const float reach = s.magnetReach;
    back.Circle(s.magnetX, s.magnetY, reach, colour);
    back.Circle(s.magnetX, s.magnetY, MaxOf(reach - 1, 0), colour);
    back.Circle(s.magnetX, s.magnetY, MaxOf(reach - 2, 0), colour);
    // Three rings that close in on the magnet's reach as it ages.
    for (int j = 0; j < 3; ++j) {
      const double a = MaxOf(static_cast<float>(s.magnetTimer - 5 * j), 0);
      const double radius = reach - a * a / 50 * (s.magnetTimer / 100.0);
      back.Circle(s.magnetX, s.magnetY, ToFloat(radius > 0 ? radius : 0), colour);
    }
    back.Circle(s.magnetX, s.magnetY, ToFloat(100 - s.magnetTimer * 1.6), colour);
  }
}

}  // namespace quandel
