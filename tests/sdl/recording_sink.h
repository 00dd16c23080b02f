#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace quandel::test {

// Every call as one line, e.g. "down 1 m2 320,240" (a fractional position would show its digits).
struct RecordingSink : InputSink {
  std::vector<std::string> calls;
  void MouseMove(int16_t b, int16_t m, float x, float y) override { Add("move", b, m, x, y); }
  void MouseDown(int16_t b, int16_t m, float x, float y) override { Add("down", b, m, x, y); }
  void WheelTowardsUser() override { calls.push_back("towards"); }
  void WheelAwayFromUser() override { calls.push_back("away"); }
  void CloseRequested() override { calls.push_back("close"); }
  void KeyUp(Key k) override { calls.push_back(k == Key::kLeft ? "up Left" : "up another key"); }
  void Add(const char* what, int b, int m, float x, float y) {
    char line[96];
    std::snprintf(line, sizeof line, "%s %d m%d %g,%g", what, b, m, x, y);
    calls.push_back(line);
  }
};

}  // namespace quandel::test
