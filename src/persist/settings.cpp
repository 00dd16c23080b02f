#include "persist/settings.h"

#include <cmath>
#include <optional>

namespace quandel {

namespace {

// Everything below the two value lines.
constexpr const char* kCommentLines =
    "\r\n"
    "\r\n"
    "\r\n"
    "//ReplaySave の次の数字を 1 に変更すると リプレイを保存しません（若干動作が速くなるかも）\r\n"
    "//DrawMode の次の数字を 1～3 に変更すると 画面描画を簡略化します（動作が速くなることがあります）。内容は以下。\r\n"
    "\r\n"
    "//DrawMode = 0:    通常通り描画します\r\n"
    "//DrawMode = 1:    箱を簡略化して描画します（しないほうが速いかも）\r\n"
    "//DrawMode = 2:    爆風を簡略化して描画します(したほうがちょっと速い）\r\n"
    "//DrawMode = 3:    箱と爆風を簡略化して描画します\r\n"
    "\r\n"
    "//このファイルを消すと 自動的に新しく作られます。\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Fields are read as sequential text input does: leading blanks skipped, a field ends at a comma
// or at the end of its line (CR LF, LF or CR).
class FieldReader {
 public:
  FieldReader(std::string_view text, bool whole) : text_(text), whole_(whole) {}

  // The next field, or nothing past the end of the text.
  std::optional<std::string_view> Next() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    if (pos_ >= text_.size()) return std::nullopt;
    const size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
    const std::string_view field = text_.substr(start, pos_ - start);
    if (pos_ >= text_.size()) return whole_ ? std::optional<std::string_view>(field) : std::nullopt;
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    return field;
  }

 private:
  std::string_view text_;
  bool whole_;
  size_t pos_ = 0;
};

// The number that the field's last two characters start with (blanks, a sign, digits with a
// decimal point), rounded half to even; 0 when there is none or it does not fit 8 bits.
uint8_t ValueOf(std::optional<std::string_view> field) {
  if (!field) return 0;
  std::string_view s = field->size() > 2 ? field->substr(field->size() - 2) : *field;
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  double sign = 1;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    if (s[i] == '-') sign = -1;
    ++i;
  }
  double value = 0;
  double scale = 0;  // 0 before the decimal point, then the weight of the next digit
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      if (scale == 0) {
        value = value * 10 + (s[i] - '0');
      } else {
        value += scale * (s[i] - '0');
        scale /= 10;
      }
    } else if (s[i] == '.' && scale == 0) {
      scale = 0.1;
    } else {
      break;
    }
  }
  const double rounded = std::nearbyint(sign * value);
  // A negative value would not fit the 8-bit variable; it is rejected like any other bad value.
  return rounded >= 0 && rounded <= 255 ? static_cast<uint8_t>(rounded) : 0;
}

}  // namespace

Settings ParseSettings(std::string_view text, bool whole) {
  FieldReader reader(text, whole);
  Settings s;
  // ReplaySave = 1 turns recording off; any other value leaves it on.
  s.recordingOff = ValueOf(reader.Next()) == 1;
  s.drawMode = ValueOf(reader.Next());
  if (s.drawMode > 3) s.drawMode = 0;
  return s;
}

std::string SettingsText(const Settings& settings) {
  std::string text = "ReplaySave = " + std::string(settings.recordingOff ? "1" : "0") + "\r\n";
  text += "DrawMode = " + std::to_string(settings.drawMode) + "\r\n";
  text += kCommentLines;
  return text;
}

void LoadSettings(Settings& out, const DataDir& dir) {
  Settings settings;
  if (dir.Exists(kSettingsFileName)) {
    // One byte more than the limit tells a file that was cut from one that ended.
    if (const auto bytes = dir.Read(kSettingsFileName, kSettingsReadLimit + 1)) {
      const bool whole = bytes->size() <= kSettingsReadLimit;
      const std::string_view text(reinterpret_cast<const char*>(bytes->data()),
                                  whole ? bytes->size() : kSettingsReadLimit);
      settings = ParseSettings(text, whole);
    }
  }
  out.recordingOff = settings.recordingOff;
  out.drawMode = settings.drawMode;
  dir.WriteAtomic(kSettingsFileName, SettingsText(settings));
}

}  // namespace quandel
