#include "game/trace.h"

#include <cstdio>
#include <type_traits>

#include "game/game_state.h"
#include "game/play_fields.h"

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

// A number as itself, a record as the list of its traced fields, an array as a list.
template <class T>
void Write(JsonLine& j, const T& v) {
  if constexpr (std::is_same_v<T, float>) {
    j.Float(v);
  } else if constexpr (std::is_integral_v<T>) {
    j.Int(v);
  } else if constexpr (std::is_enum_v<T>) {
    j.Int(static_cast<std::underlying_type_t<T>>(v));
  } else if constexpr (std::is_same_v<T, Rng>) {
    j.Int(v.state());
  } else if constexpr (std::is_same_v<T, Box> || std::is_same_v<T, Star>) {
    j.Raw("[");
    bool first = true;
    auto field = [&](const char*, const auto& f, FieldUse use) {
      if (use == FieldUse::kNotTraced) return;
      if (!first) j.Sep();
      first = false;
      Write(j, f);
    };
    if constexpr (std::is_same_v<T, Box>)
      ForEachBoxField(v, field);
    else
      ForEachStarField(v, field);
    j.Raw("]");
  } else {
    j.Raw("[");
    for (size_t k = 0; k < v.size(); ++k) {
      if (k) j.Sep();
      Write(j, v[k]);
    }
    j.Raw("]");
  }
}

}  // namespace

std::string TraceLine(const PlayState& s, const std::vector<std::string>& sounds) {
  JsonLine j;
  ForEachPlayField(s, [&](const char* name, const auto& field, FieldUse use) {
    if (use == FieldUse::kNotTraced) return;
    j.Key(name);
    Write(j, field);
  });
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
