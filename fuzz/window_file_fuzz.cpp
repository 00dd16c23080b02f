// Input: the contents of window.txt.
#include <cstdint>
#include <string_view>

#include "check.h"
#include "persist/window_file.h"

using namespace quandel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto p = ParseWindowPlacement(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!p) return 0;
  FUZZ_CHECK(p->width > 0 && p->height > 0);
  // The file written for a placement reads back to it.
  const auto again = ParseWindowPlacement(WindowPlacementText(*p));
  FUZZ_CHECK(again && again->x == p->x && again->y == p->y && again->width == p->width && again->height == p->height &&
             again->centred == p->centred && again->fullscreen == p->fullscreen);
  return 0;
}
