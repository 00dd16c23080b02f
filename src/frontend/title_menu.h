// The title menu as one table: where each entry is drawn, its pictures, and what a click on it
// does. The drawing and the mouse both read the table, so an entry takes clicks where it shows.
#pragma once

#include <cstdint>
#include <span>

#include "game/game_state.h"
#include "render/sheet_layout.h"

namespace quandel {

// What a click on an entry leads to; the settings entries change the settings first.
enum class TitleChoice { kNone, kPlay, kReplay, kFrameSkip, kSound };

struct TitleEntry {
  uint8_t item;            // 1 start, 2-6 frame skip, 7-8 music, 9-11 effects, 12 replay
  sheet::Rect area;        // drawn from its corner; takes the mouse inside, all edges included
  sheet::Sprite looks[3];  // by sheet::Look: normal, hover, selected
  TitleChoice choice;
  uint8_t Settings::*setting;  // the setting a click stores `value` in, or none
  uint8_t value;
};

inline constexpr uint8_t kTitleStartItem = 1, kTitleReplayItem = 12;

// Every entry, in drawing order.
std::span<const TitleEntry> TitleEntries();

// The item under (x, y), 0 for none; the replay entry is there only when a replay is.
uint8_t TitleItemAt(float x, float y, bool replayAvailable);

// Selected when the settings hold its value, lit when under the mouse (item `hover`) and a click
// would store something new, otherwise normal.
sheet::Look TitleEntryLook(const TitleEntry& entry, const Settings& settings, uint8_t hover);

// A click on item `item`: stores the entry's setting and says what follows.
TitleChoice TitleClick(uint8_t item, Settings& settings);

}  // namespace quandel
