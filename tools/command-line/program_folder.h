// Folders found from the running program's own place, so a build tree or a moved install works
// without any path compiled in.
#pragma once

#include <string>
#include <vector>

namespace quandel {

// The first of `relatives` (folders named relative to the folder of the running program) that
// holds img/; when none does, the first of them, so that a failure names a real place.
std::string AssetDirBesideProgram(const std::vector<std::string>& relatives);

}  // namespace quandel
