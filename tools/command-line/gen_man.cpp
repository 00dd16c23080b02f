// Writes a program's manual page from its command-line table: gen-man PROGRAM VERSION OUT.
#include <cstdio>
#include <fstream>
#include <string>

#include "help_text.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gen-man quandel|quandel-replay|quandel-video VERSION OUT\n");
    return 2;
  }
  const std::string program = argv[1];
  const quandel::HelpPage* page = program == "quandel"          ? &quandel::QuandelHelp()
                                  : program == "quandel-replay" ? &quandel::ReplayHelp()
                                  : program == "quandel-video"  ? &quandel::VideoHelp()
                                                                : nullptr;
  if (!page) {
    std::fprintf(stderr, "gen-man: no page for %s\n", argv[1]);
    return 2;
  }
  std::ofstream out(argv[3], std::ios::binary);
  out << quandel::ManPage(*page, argv[2]);
  out.close();
  if (!out) {
    std::fprintf(stderr, "gen-man: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
