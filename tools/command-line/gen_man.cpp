// Writes a program's manual page from its command-line table: gen-man PROGRAM VERSION OUT.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "help_text.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gen-man quandel|quandel-replay VERSION OUT\n");
    return 2;
  }
  const bool replay = std::strcmp(argv[1], "quandel-replay") == 0;
  if (!replay && std::strcmp(argv[1], "quandel") != 0) {
    std::fprintf(stderr, "gen-man: no page for %s\n", argv[1]);
    return 2;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out << quandel::ManPage(replay ? quandel::ReplayHelp() : quandel::QuandelHelp(), argv[2]);
  out.close();
  if (!out) {
    std::fprintf(stderr, "gen-man: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
