// A program's command line described once: the table prints --help, drives the option parser
// and, at build time, becomes the manual page, so the three cannot drift apart.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace quandel {

struct HelpOption {
  const char* name;   // the long name without its dashes
  char shortName;     // a one-letter alias, or 0
  const char* value;  // the value's name (DIR, N), or nullptr for a switch
  const char* text;   // what it does, one paragraph
};

// A titled list of terms (keys, files, exit statuses) with their explanations.
struct HelpSection {
  const char* title;
  std::vector<std::pair<const char*, const char*>> items;
};

struct HelpPage {
  const char* program;
  const char* summary;             // the one line after the name in the manual
  std::vector<const char*> usage;  // what follows the program's name, one form a line
  const char* description;         // paragraphs parted by an empty line
  std::vector<HelpOption> options;
  std::vector<HelpSection> sections;
  const char* seeAlso;  // "quandel(6)"
};

// The --help text: usage, description, options and sections, wrapped to 80 columns.
void PrintHelp(std::FILE* to, const HelpPage& page);
// The manual page in roff, section 6.
std::string ManPage(const HelpPage& page, const std::string& version);

// Reads the command line by the page's options: `take` receives each option's long name and its
// value (nullptr for a switch) and returns "" or what is wrong with the value; every other word
// goes to `operands`. Returns "" or one line naming the option at fault.
using TakeOption = std::function<std::string(const std::string& name, const char* value)>;
std::string ParseCommandLine(const HelpPage& page, int argc, char** argv, const TakeOption& take,
                             std::vector<std::string>& operands);

// The pages of the three programs.
const HelpPage& QuandelHelp();
const HelpPage& ReplayHelp();
const HelpPage& VideoHelp();
// The video export's usage line after the program's name, and the rows of the options only it
// takes; quandel-replay lists them as well, as it hands --video over to quandel-video.
const char* VideoUsage();
const std::vector<HelpOption>& VideoOnlyOptions();

}  // namespace quandel
