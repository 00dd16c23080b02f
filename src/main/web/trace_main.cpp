// quandel-trace: the headless replay under node, to hold the WebAssembly build to the native
// traces. `quandel-trace [--trace] FILE` prints what `quandel-replay [--trace] FILE` prints.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/headless_replay.h"

int main(int argc, char** argv) {
  const bool trace = argc == 3 && std::strcmp(argv[1], "--trace") == 0;
  if (argc != 2 + trace) {
    std::fprintf(stderr, "usage: quandel-trace [--trace] FILE\n");
    return 2;
  }
  std::string error;
  if (!quandel::PrintReplay(argv[argc - 1], trace, stdout, &error)) {
    std::fprintf(stderr, "quandel-trace: %s\n", error.c_str());
    return 2;
  }
  return 0;
}
