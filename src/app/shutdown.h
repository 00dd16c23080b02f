// Closing the window: the title settings and the scores are saved and every sound channel closed.
// The window object calls this once, then marks itself closing.
#pragma once

namespace quandel {

class DataDir;
class SoundOutput;
class Rng;
struct ScoreTable;
struct Settings;

void ShutDown(const Settings& settings, const ScoreTable& scores, Rng& rng, const DataDir& dir, SoundOutput& sound);

}  // namespace quandel
