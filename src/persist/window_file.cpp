#include "persist/window_file.h"

#include <charconv>
#include <cstdint>

namespace quandel {

namespace {

// Larger than any file the game writes; a bigger one is not a window file.
constexpr size_t kWindowFileLimit = 4096;
// Far beyond any desktop, small enough that sums of them never overflow.
constexpr int kMaxCoordinate = 1000000;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::optional<int> Number(std::string_view s, int lo, int hi) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return std::nullopt;
  return v;
}

}  // namespace

std::optional<SavedWindow> ParseWindowPlacement(std::string_view text) {
  struct Field {
    const char* key;
    int lo, hi;
    std::optional<int> value;
  } fields[] = {{"x", -kMaxCoordinate, kMaxCoordinate, {}},
                {"y", -kMaxCoordinate, kMaxCoordinate, {}},
                {"width", 1, kMaxCoordinate, {}},
                {"height", 1, kMaxCoordinate, {}},
                {"fullscreen", 0, 1, {}}};
  while (!text.empty()) {
    const size_t eol = text.find('\n');
    const std::string_view line = Trim(text.substr(0, eol));
    text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
    if (line.empty() || line.front() == '#') continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    const std::string_view key = Trim(line.substr(0, eq));
    Field* field = nullptr;
    for (Field& f : fields) {
      if (key == f.key) field = &f;
    }
    if (!field || field->value) return std::nullopt;  // unknown or repeated
    field->value = Number(Trim(line.substr(eq + 1)), field->lo, field->hi);
    if (!field->value) return std::nullopt;
  }
  const auto& [x, y, width, height, fullscreen] = fields;
  if (!width.value || !height.value || !fullscreen.value || x.value.has_value() != y.value.has_value())
    return std::nullopt;
  SavedWindow p;
  p.width = *width.value;
  p.height = *height.value;
  p.fullscreen = *fullscreen.value == 1;
  p.centred = !x.value;
  p.x = x.value.value_or(0);
  p.y = y.value.value_or(0);
  return p;
}

std::string WindowPlacementText(const SavedWindow& p) {
  std::string text = "# The game window as it was left; delete this file for the default window.\n";
  if (!p.centred) text += "x = " + std::to_string(p.x) + "\ny = " + std::to_string(p.y) + "\n";
  text += "width = " + std::to_string(p.width) + "\nheight = " + std::to_string(p.height) + "\n";
  text += "fullscreen = " + std::to_string(p.fullscreen ? 1 : 0) + "\n";
  return text;
}

std::optional<SavedWindow> LoadWindowPlacement(const DataDir& dir) {
  const auto bytes = dir.Read(kWindowFileName, kWindowFileLimit + 1);
  if (!bytes || bytes->size() > kWindowFileLimit) return std::nullopt;
  return ParseWindowPlacement(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

bool SaveWindowPlacement(const DataDir& dir, const SavedWindow& placement) {
  return dir.WriteAtomic(kWindowFileName, WindowPlacementText(placement));
}

}  // namespace quandel
