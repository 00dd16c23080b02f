// The game's named sound channels, driven by command strings, and the bomb sounds held in memory.
#pragma once

namespace quandel {

class App;
class Platform;

// Closes every channel and opens it again on its file or, when the settings silence it, on the
// null target; refills the twelve bomb wave images (or empties them).
void OpenSoundChannels(App& app);
// The numbered bomb channels, Bomb1 ... Bomb12.
void CloseBombChannels(Platform& platform);
// Every channel, as the window closes.
void CloseSoundChannels(Platform& platform);

}  // namespace quandel
