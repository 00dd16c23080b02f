// The how-to-play page: one whole screen the title shows on F1, lettered in the sheets' palette on
// a slate plate. Every line is written out by hand; a line too long for the plate stops the
// generator rather than running off the page.
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas.h"

namespace quandel::art {
namespace {

constexpr double kBodySize = 13;
constexpr double kLineStep = 15;
constexpr double kSectionGap = 6;
constexpr double kFirstBaseline = 80;
constexpr double kFooterRule = 440.5;  // the line above the footer
constexpr double kLabelRight = 102;    // labels end here, right-aligned
constexpr double kTextLeft = 112;
constexpr double kTextRight = 616;

// A piece of a line: words in a tone, or a small box of one kind standing in for a word.
struct Seg {
  std::string_view text;
  Tone tone = tone::kCream;
  int cube = -1;
};
using Line = std::vector<Seg>;

struct Section {
  std::string_view label;
  std::vector<Line> lines;
};

Seg Key(std::string_view text) { return {text, tone::kAmber}; }
Seg Box(int kind) { return {"", tone::kCream, kind}; }

// The rules as a player needs them, in the order a first play meets them, then the keys.
std::vector<Section> Sections() {
  return {
      {"CONTROLS",
       {{Key("Left button:"), {" a bomb. Every box its blast touches catches fire."}},
        {Key("Right button:"), {" a magnet. It pulls the boxes near it together."}},
        {Key("Cursor high:"), {" above the faint line the column scrolls faster; higher is faster."}},
        {Key("Wheel towards you:"), {" a short burst of speed. "}, Key("Away:"), {" it stops any extra speed"}},
        {{"until you next move the mouse."}}}},
      {"FIRE",
       {{{"Fire jumps only between boxes of one colour: "},
         Box(0),
         {" to "},
         Box(0),
         {", "},
         Box(1),
         {" to "},
         Box(1),
         {"."}},
        {{"The grey box "}, Box(2), {" passes fire to every colour and takes it from every colour."}},
        {{"One bomb can start a long chain, and each box of a long chain scores more."}}}},
      {"GAUGES",
       {{{"A bomb or a magnet costs "}, Key("a third of its gauge"), {", even when it hits nothing."}},
        {{"The two gauges at the left edge refill over time and with every ignition."}}}},
      {"TIME",
       {{{"A box that falls out of the bottom "}, Key("costs a second"), {": a row of ten costs ten."}},
        {Key("NEXT"), {" counts down to the next extend: ten more seconds and a new stage."}},
        {{"Scrolling fast brings the extend sooner, and more boxes with it."}},
        {{"The play ends when the time is up; the three best scores are kept."}}}},
      {"SCREEN",
       {{{"The small number at the bottom right: frames drawn in the last second."}},
        {Key("FRAME SKIP"), {" draws fewer frames to keep up on a slow machine; the game"}},
        {{"itself runs at the same pace. "}, Key("AUTO"), {" skips only as much as it needs."}}}},
      {"KEYS",
       {{Key("Enter"),
         {" starts a play; "},
         Key("F1"),
         {" or "},
         Key("H"),
         {" shows this page; "},
         Key("F11"),
         {": fullscreen and back."}},
        {Key("Space"),
         {", "},
         Key("Esc"),
         {" or "},
         Key("P"),
         {" pauses a play, and so does switching to another window."}},
        {{"In a replay: "},
         Key("Space"),
         {" pause, "},
         Key("\u2192"),
         {" one frame on, "},
         Key("\u2191 +"),
         {" faster, "},
         Key("\u2193 \u2212"),
         {" slower,"}},
        {Key("\u2190"),
         {" back 5 s (hold it to rewind), "},
         Key("Page Up"),
         {" back 30 s, "},
         Key("Page Down"),
         {" on 30 s,"}},
        {Key("Home"), {" to the start, "}, Key("Esc"), {" leave the replay."}}}},
  };
}

TextStyle Body(const Fonts& fonts, Tone t) { return {fonts.condensed(), kBodySize, t.top, t.bottom, palette::kInk, 0}; }

// Draws one line from `left`; returns where the pen stopped.
double DrawLine(cairo_t* cr, const Fonts& fonts, const Line& line, double left, double baseline) {
  double pen = left;
  for (const Seg& s : line) {
    if (s.cube >= 0) {
      const double half = 7;
      DrawCube(cr, kBoxLooks[s.cube], pen + half, baseline - CapHeight(fonts.condensed(), kBodySize) / 2,
               CubeEdgeFor(half), 1, 2);
      pen += 2 * half;
      continue;
    }
    const TextStyle st = Body(fonts, s.tone);
    const Ink ink = MeasureText(st, s.text);
    DrawTextLeft(cr, st, s.text, pen + ink.x, baseline);  // the pen is the text's origin
    pen += ink.advance;
  }
  return pen;
}

void DrawPlate(cairo_t* cr) {
  SetRgb(cr, Rgb8(100, 100, 100));  // the title's ground
  cairo_paint(cr);
  RoundedRect(cr, 10, 8, 620, 464, 10);
  SetRgb(cr, palette::kSlate);
  cairo_fill_preserve(cr);
  SetRgb(cr, palette::kInk);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
}

}  // namespace

Image DrawHelpSheet(const Fonts& fonts) {
  Layer page(sheet::kHelpPageWidth, sheet::kHelpPageHeight);
  cairo_t* cr = page.cr();
  DrawPlate(cr);

  TextStyle heading{fonts.bold(), 24, palette::kAmber, palette::kAmberLow, palette::kInk, 2.0};
  DrawTextCentred(cr, heading, "HOW TO PLAY", 320, 46);
  for (int k = 0; k < sheet::kBoxKinds; ++k) {
    DrawCube(cr, kBoxLooks[k], 160 + 20 * k, 37, CubeEdgeFor(8), k + 1, 2 * k + 1);
    DrawCube(cr, kBoxLooks[2 - k], 440 + 20 * k, 37, CubeEdgeFor(8), 2 * k + 1, k + 1);
  }

  double baseline = kFirstBaseline, lastLine = 0;
  const TextStyle label{fonts.condensed(), 12, palette::kSky, palette::kSkyLow, palette::kInk, 1.0};
  for (const Section& section : Sections()) {
    const Ink ink = MeasureText(label, section.label);
    DrawTextLeft(cr, label, section.label, kLabelRight - ink.w, baseline);
    for (const Line& line : section.lines) {
      const double end = DrawLine(cr, fonts, line, kTextLeft, baseline);
      if (end > kTextRight) {
        throw std::runtime_error("help page: line " + std::to_string(&line - section.lines.data() + 1) + " of " +
                                 std::string(section.label) + " is " +
                                 std::to_string(static_cast<int>(end - kTextRight + 1)) + " px too long");
      }
      lastLine = baseline;
      baseline += kLineStep;
    }
    baseline += kSectionGap;
  }
  // Room below the last baseline for the descenders.
  if (lastLine > kFooterRule - 8) throw std::runtime_error("help page: the rules run into the footer");

  cairo_move_to(cr, 40, kFooterRule);
  cairo_line_to(cr, 600, kFooterRule);
  SetRgb(cr, palette::kInk);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  TextStyle footer{fonts.condensed(), 15, palette::kAmber, palette::kAmberLow, palette::kInk, 1.0};
  DrawTextCentred(cr, footer, "ANY KEY OR CLICK: BACK TO THE TITLE", 320, 462);

  Image out(page.width(), page.height(), kWhite);
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) out.Set(x, y, page.Over(x, y, palette::kSlate));
  return out;
}

}  // namespace quandel::art
