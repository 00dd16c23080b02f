// Input: the contents of config.txt.
#include <cstdint>
#include <string_view>

#include "check.h"
#include "persist/settings.h"

using namespace quandel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (bool whole : {true, false}) {
    const Settings s = ParseSettings(text, whole);
    FUZZ_CHECK(s.drawMode <= 3);
    // The file written for these values reads back to them.
    const Settings again = ParseSettings(SettingsText(s));
    FUZZ_CHECK(again.recordingOff == s.recordingOff && again.drawMode == s.drawMode);
  }
  return 0;
}
