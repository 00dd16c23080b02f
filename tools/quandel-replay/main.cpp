// quandel-replay: plays a replay file headlessly and reports how it ended, or traces every frame.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/headless_replay.h"
#include "game/trace.h"
#include "platform/headless/headless_platform.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: quandel-replay [--trace] FILE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool trace = false;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--trace") {
      trace = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage();
    } else if (file.empty()) {
      file = arg;
    } else {
      return Usage();
    }
  }
  if (file.empty()) return Usage();

  quandel::HeadlessReplayOptions options;
  if (trace) {
    options.onPass = [](quandel::App& app, quandel::HeadlessPlatform& platform) {
      const std::string line = quandel::TraceLine(app.state, platform.TakeSoundLog());
      std::fwrite(line.data(), 1, line.size(), stdout);
      std::fputc('\n', stdout);
    };
  }
  std::string error;
  const auto outcome = quandel::RunReplayFile(file, options, &error);
  if (!outcome) {
    std::fprintf(stderr, "quandel-replay: %s\n", error.c_str());
    return 2;
  }
  if (!trace) std::printf("score=%d stage=%d frames=%d\n", outcome->score, outcome->stage, outcome->frameNo);
  return 0;
}
