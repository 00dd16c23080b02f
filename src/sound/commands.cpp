#include "sound/commands.h"

#include <cctype>
#include <vector>

namespace quandel {

namespace {

bool Is(std::string_view word, std::string_view keyword) { return ChannelKey(word) == keyword; }

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    size_t j = i;
    while (j < text.size() && text[j] != ' ' && text[j] != '\t') ++j;
    if (j > i) words.push_back(text.substr(i, j - i));
    i = j;
  }
  return words;
}

}  // namespace

std::string ChannelKey(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

SoundCommand ParseSoundCommand(std::string_view text) {
  const std::vector<std::string_view> w = Words(text);
  SoundCommand cmd;
  if (w.empty()) return cmd;
  if (Is(w[0], "open")) {
    if (w.size() != 4 || !Is(w[2], "alias")) return cmd;
    cmd.verb = SoundCommand::Verb::kOpen;
    cmd.alias = w[3];
    if (!Is(w[1], "null")) cmd.target = w[1];
    return cmd;
  }
  if (Is(w[0], "play")) {
    if (w.size() < 2) return cmd;
    // Only a start from the very beginning is in the game's vocabulary.
    for (size_t i = 2; i < w.size(); ++i) {
      if (Is(w[i], "notify")) continue;
      if (Is(w[i], "from") && i + 1 < w.size() && w[i + 1] == "0") {
        ++i;
        continue;
      }
      return cmd;
    }
    cmd.verb = SoundCommand::Verb::kPlay;
    cmd.alias = w[1];
    return cmd;
  }
  if (w.size() != 2) return cmd;
  if (Is(w[0], "stop")) cmd.verb = SoundCommand::Verb::kStop;
  else if (Is(w[0], "close")) cmd.verb = SoundCommand::Verb::kClose;
  else return cmd;
  cmd.alias = w[1];
  return cmd;
}

}  // namespace quandel
