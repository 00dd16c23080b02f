// The how-to-play page the title shows on F1 or H: a whole-screen picture (img/help.bmp) put over
// the title's own frame, which goes on being composed underneath.
#pragma once

#include <string>

#include "persist/data_dir.h"
#include "platform/surface.h"

namespace quandel {

inline constexpr const char* kHelpPageFile = "img/help.bmp";

class HelpPage {
 public:
  // Copies the page over `frame`. The picture is read the first time it is asked for; when it is
  // missing or is not a 640 x 480 bitmap, nothing is drawn, false is returned every time and one
  // line goes to stderr the first time only.
  bool DrawOver(Surface& frame, const DataDir& assets);

 private:
  enum class State { kUntried, kReady, kUnavailable };
  State state_ = State::kUntried;
  Surface page_;
};

}  // namespace quandel
