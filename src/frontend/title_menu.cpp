#include "frontend/title_menu.h"

namespace quandel {

namespace {

using sheet::Look;
using sheet::Sprite;

constexpr TitleEntry Entry(uint8_t item, int x, int y, Sprite normal, Sprite hover, Sprite selected, TitleChoice choice,
                           uint8_t Settings::*setting = nullptr, uint8_t value = 0) {
  return {item, {x, y, normal.image.w, normal.image.h}, {normal, hover, selected}, choice, setting, value};
}

template <typename LookOf>
constexpr TitleEntry Setting(uint8_t item, int x, int y, LookOf look, TitleChoice choice, uint8_t Settings::*setting,
                             uint8_t value) {
  return Entry(item, x, y, look(Look::kNormal), look(Look::kHover), look(Look::kSelected), choice, setting, value);
}

constexpr Sprite SkipEntry(int v, Look look) { return sheet::kTitleFrameSkipEntry(v, look); }

// Frame skip: AUTO, then 3, 2, 1, 0 frames; music: off, on; effects: off (level 2), half, on.
constexpr TitleEntry kEntries[] = {
    Entry(kTitleStartItem, 105, 300, sheet::kTitleStartNormal, sheet::kTitleStartHover, sheet::kTitleStartHover,
          TitleChoice::kPlay),
    Entry(kTitleReplayItem, 135, 380, sheet::kTitleReplayNormal, sheet::kTitleReplayHover, sheet::kTitleReplayHover,
          TitleChoice::kReplay),
    Setting(
        2, 360, 255, [](Look l) { return SkipEntry(0, l); }, TitleChoice::kFrameSkip, &Settings::autoFrameSkip, 1),
    Setting(
        3, 415, 255, [](Look l) { return SkipEntry(1, l); }, TitleChoice::kFrameSkip, &Settings::frameSkip, 3),
    Setting(
        4, 470, 255, [](Look l) { return SkipEntry(2, l); }, TitleChoice::kFrameSkip, &Settings::frameSkip, 2),
    Setting(
        5, 525, 255, [](Look l) { return SkipEntry(3, l); }, TitleChoice::kFrameSkip, &Settings::frameSkip, 1),
    Setting(
        6, 580, 255, [](Look l) { return SkipEntry(4, l); }, TitleChoice::kFrameSkip, &Settings::frameSkip, 0),
    Setting(7, 470, 315, sheet::kTitleOffWord, TitleChoice::kSound, &Settings::musicOff, 1),
    Setting(8, 580, 315, sheet::kTitleOnWord, TitleChoice::kSound, &Settings::musicOff, 0),
    Setting(9, 470, 375, sheet::kTitleOffWord, TitleChoice::kSound, &Settings::effectsLevel, 2),
    Setting(10, 525, 375, sheet::kTitleMiddleWord, TitleChoice::kSound, &Settings::effectsLevel, 1),
    Setting(11, 580, 375, sheet::kTitleOnWord, TitleChoice::kSound, &Settings::effectsLevel, 0),
};

bool Holds(const TitleEntry& e, const Settings& s) { return e.setting != nullptr && s.*e.setting == e.value; }

bool Chosen(const TitleEntry& e, const Settings& s) {
  if (e.choice != TitleChoice::kFrameSkip) return Holds(e, s);
  if (s.autoFrameSkip != 0) return e.setting == &Settings::autoFrameSkip && s.autoFrameSkip == 1;
  // A frame skip of 4, which only a stored file can hold, shows on AUTO.
  return e.setting == &Settings::frameSkip ? Holds(e, s) : s.frameSkip == 4;
}

const TitleEntry* Find(uint8_t item) {
  for (const TitleEntry& e : kEntries) {
    if (e.item == item) return &e;
  }
  return nullptr;
}

}  // namespace

std::span<const TitleEntry> TitleEntries() { return kEntries; }

uint8_t TitleItemAt(float x, float y, bool replayAvailable) {
  for (const TitleEntry& e : kEntries) {
    if (e.item == kTitleReplayItem && !replayAvailable) continue;
    const sheet::Rect& r = e.area;
    if (x >= r.x && x <= r.x + r.w && y >= r.y && y <= r.y + r.h) return e.item;
  }
  return 0;
}

sheet::Look TitleEntryLook(const TitleEntry& entry, const Settings& settings, uint8_t hover) {
  if (Chosen(entry, settings)) return Look::kSelected;
  return hover == entry.item && !Holds(entry, settings) ? Look::kHover : Look::kNormal;
}

TitleChoice TitleClick(uint8_t item, Settings& settings) {
  const TitleEntry* e = Find(item);
  if (e == nullptr) return TitleChoice::kNone;
  if (e->setting != nullptr) settings.*e->setting = e->value;
  // A number chosen for the frame skip ends the automatic choice.
  if (e->setting == &Settings::frameSkip) settings.autoFrameSkip = 0;
  return e->choice;
}

}  // namespace quandel
