// The four mouse and wheel handlers. Live and replayed events share one path; the marker tells
// them apart, and an event changes the play only when its marker equals replayMode.
#pragma once

#include <cstdint>

namespace quandel {

class App;

inline constexpr int16_t kReplayedMarker = 1;

void picMain_MouseMove(App& app, int16_t button, int16_t marker, float x, float y);
void picMain_MouseDown(App& app, int16_t button, int16_t marker, float x, float y);
void WheelMinus(App& app, uint8_t marker);
void WheelPlus(App& app, uint8_t marker);

// Which title-menu item (0 none, 1 start, 2-6 frame skip, 7-8 music, 9-11 effects, 12 replay)
// lies under (x, y).
uint8_t TitleItemAt(float x, float y, bool replayAvailable);
bool OnQuitButton(float x, float y);

}  // namespace quandel
