#include "game/trace.h"

#include <cstdio>

#include "game/game_state.h"

namespace quandel {

namespace {

class JsonLine {
 public:
  JsonLine() { out_ = "{"; }
  void Key(const char* name) {
    if (out_.size() > 1) out_ += ',';
    out_ += '"';
    out_ += name;
    out_ += "\":";
  }
  void Int(long long v) { out_ += std::to_string(v); }
  void Float(float v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(v));
    out_ += buffer;
  }
  void Str(const std::string& s) {
    out_ += '"';
    for (char c : s) {
      if (c == '"' || c == '\\') out_ += '\\';
      out_ += c;
    }
    out_ += '"';
  }
  void Raw(const char* text) { out_ += text; }
  void Sep() { out_ += ','; }
  std::string Done() { return out_ + "}"; }

 private:
  std::string out_;
};

}  // namespace

std::string TraceLine(const PlayState& s, const std::vector<std::string>& sounds) {
  JsonLine j;
  auto i = [&](const char* name, long long v) { j.Key(name); j.Int(v); };
  auto f = [&](const char* name, float v) { j.Key(name); j.Float(v); };
  i("frameNo", s.frameNo);
  i("endTimer", s.endTimer);
  i("timeLeft", s.timeLeft);
  i("timeShown", s.timeShown);
  i("score", s.score);
  i("scoreShown", s.scoreShown);
  i("stage", s.stage);
  f("extendMeter", s.extendMeter);
  i("spawnMeter", s.spawnMeter);
  i("extendFlash", s.extendFlash);
  i("stageBanner", s.stageBanner);
  i("fieldWidth", s.fieldWidth);
  f("scrollPos", s.scrollPos);
  f("scrollSpeed", s.scrollSpeed);
  i("boostFrames", s.boostFrames);
  i("bombGauge", s.bombGauge);
  i("magnetGauge", s.magnetGauge);
  f("blastX", s.blastX);
  f("blastY", s.blastY);
  i("blastTimer", s.blastTimer);
  i("blastRadius", s.blastRadius);
  i("blastSlot", s.blastSlot);
  f("magnetX", s.magnetX);
  f("magnetY", s.magnetY);
  i("magnetTimer", s.magnetTimer);
  i("magnetReach", s.magnetReach);
  f("cursorX", s.cursorX);
  f("cursorY", s.cursorY);
  f("cursorStepX", s.cursorStepX);
  f("cursorStepY", s.cursorStepY);
  i("replayPos", s.replayPos);
  i("igniteCount", s.igniteCount);
  i("soundPhase", s.soundPhase);
  i("specialColour", s.colours[2]);
  i("rng", s.rng.state());
  auto array5 = [&](const char* name, const std::array<int16_t, kChainSlots>& a) {
    j.Key(name);
    j.Raw("[");
    for (int k = 0; k < kChainSlots; ++k) {
      if (k) j.Sep();
      j.Int(a[k]);
    }
    j.Raw("]");
  };
  array5("chainCount", s.chainCount);
  array5("chainFuse", s.chainFuse);
  array5("chainShown", s.chainShown);
  array5("chainShownTimer", s.chainShownTimer);
  j.Key("boxes");
  j.Raw("[");
  for (int k = 0; k < kBoxCount; ++k) {
    const Box& b = s.boxes[k];
    if (k) j.Sep();
    j.Raw("[");
    j.Int(b.state); j.Sep(); j.Int(b.kind); j.Sep(); j.Int(b.chainSlot); j.Sep();
    j.Float(b.x); j.Sep(); j.Float(b.y); j.Sep(); j.Float(b.vx); j.Sep(); j.Float(b.vy); j.Sep();
    j.Float(b.burnVx); j.Sep(); j.Float(b.burnVy); j.Sep(); j.Int(b.burnTime); j.Sep(); j.Int(b.burnRadius); j.Sep();
    j.Int(b.spinA); j.Sep(); j.Int(b.spinB);
    j.Raw("]");
  }
  j.Raw("]");
  j.Key("stars");
  j.Raw("[");
  for (int k = 0; k < kStarCount; ++k) {
    if (k) j.Sep();
    j.Raw("[");
    j.Float(s.stars[k].x); j.Sep(); j.Float(s.stars[k].y);
    j.Raw("]");
  }
  j.Raw("]");
  j.Key("sound");
  j.Raw("[");
  for (size_t k = 0; k < sounds.size(); ++k) {
    if (k) j.Sep();
    j.Str(sounds[k]);
  }
  j.Raw("]");
  return j.Done();
}

}  // namespace quandel
