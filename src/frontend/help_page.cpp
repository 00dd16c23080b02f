#include "frontend/help_page.h"

#include <cstdio>

#include "render/sheet_layout.h"

namespace quandel {

namespace {

// A 24-bit page is 900 KB; anything much larger is not ours and is not read in full.
constexpr size_t kHelpReadLimit = 4 << 20;

}  // namespace

bool HelpPage::DrawOver(Surface& frame, const DataDir& assets) {
  if (state_ == State::kUntried) {
    Picture picture;
    const auto bytes = assets.Read(kHelpPageFile, kHelpReadLimit);
    // A page of another size would leave part of the title showing through, or be cut off.
    if (bytes && DecodeBmp(*bytes, picture) && picture.width == sheet::kHelpPageWidth &&
        picture.height == sheet::kHelpPageHeight) {
      page_.Resize(picture.width, picture.height);
      page_.LoadPicture(std::move(picture));
      state_ = State::kReady;
    } else {
      std::fprintf(stderr, "quandel: no how-to-play page: %s is missing or not a %d x %d bitmap\n",
                   assets.PathOf(kHelpPageFile).c_str(), sheet::kHelpPageWidth, sheet::kHelpPageHeight);
      state_ = State::kUnavailable;
    }
  }
  if (state_ != State::kReady) return false;
  Blit(frame, 0, 0, page_.width(), page_.height(), page_, 0, 0, RasterOp::kCopy);
  return true;
}

}  // namespace quandel
