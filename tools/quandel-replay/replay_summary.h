// The result of plain replays: how each play ended, one file or many played side by side.
#pragma once

#include <string>
#include <vector>

#include "app/headless_replay.h"

namespace quandel {

// score=S stage=T frames=F, the stage numbered as the game's display shows it (the first is 1).
std::string SummaryLine(const ReplayOutcome& outcome);

// Plays every file to its end on up to `jobs` threads (0: one per core) and prints the results in
// the order given: for one file its summary line (or the reason on stderr), for several
// "FILE: summary" or the reason, one line each on stdout. Returns 0 when every file was played,
// else 2.
int PrintSummaries(const std::vector<std::string>& files, int jobs);

}  // namespace quandel
