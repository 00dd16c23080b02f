#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace quandel::test {

// Writes every call as one line, e.g. "down 1 m2 320,240".
class RecordingSink : public InputSink {
 public:
  std::vector<std::string> calls;

  void MouseMove(int16_t button, int16_t marker, float x, float y) override { Add("move", button, marker, x, y); }
  void MouseDown(int16_t button, int16_t marker, float x, float y) override { Add("down", button, marker, x, y); }
  void WheelTowardsUser() override { calls.push_back("towards"); }
  void WheelAwayFromUser() override { calls.push_back("away"); }
  void CloseRequested() override { calls.push_back("close"); }

 private:
  void Add(const char* what, int16_t button, int16_t marker, float x, float y) {
    // %g prints whole numbers without a fraction, so a fractional position shows up in a mismatch.
    char line[96];
    std::snprintf(line, sizeof line, "%s %d m%d %g,%g", what, button, marker, x, y);
    calls.push_back(line);
  }
};

}  // namespace quandel::test
