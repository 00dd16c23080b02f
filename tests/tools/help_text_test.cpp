#include "help_text.h"

#include <gtest/gtest.h>

namespace quandel {
namespace {

const HelpPage kPage{"prog",
                     "does things",
                     {"[--level N] FILE"},
                     ".starts with a dot\n\nsecond",
                     {{"level", 'l', "N", "how much"}, {"quiet", 0, nullptr, "say less"}},
                     {},
                     "other(6)"};

// The parse's error, or its operands joined by '|', with the options taken as "name=value".
std::string Parse(std::vector<std::string> words, std::string* taken = nullptr) {
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  std::vector<std::string> operands;
  std::string log;
  const std::string wrong = ParseCommandLine(
      kPage, static_cast<int>(argv.size()), argv.data(),
      [&](const std::string& name, const char* value) {
        log += name + "=" + (value ? value : "") + " ";
        return value && std::string(value) == "bad" ? std::string("must be good") : std::string();
      },
      operands);
  if (taken) *taken = log;
  std::string joined;
  for (const std::string& o : operands) joined += o + "|";
  return wrong.empty() ? joined : wrong;
}

TEST(HelpText, OptionsAreTakenAndEveryFaultNamesTheOption) {
  std::string taken;
  EXPECT_EQ(Parse({"prog", "a", "--level", "3", "-l", "4", "--quiet", "--", "-b"}, &taken), "a|-b|");
  EXPECT_EQ(taken, "level=3 level=4 quiet= ");
  struct {
    std::vector<std::string> words;
    const char* said;
  } const cases[] = {
      {{"prog", "--loud"}, "unknown option --loud"},        {{"prog", "-x"}, "unknown option -x"},
      {{"prog", "--level"}, "--level needs a value"},       {{"prog", "--quiet=1"}, "--quiet takes no value"},
      {{"prog", "-l", "bad"}, "--level bad: must be good"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.words), c.said) << c.said;
}

TEST(HelpText, ManualPageEscapesDashesAndLeadingDots) {
  const std::string page = ManPage(kPage, "1.2");
  EXPECT_EQ(page.rfind(".TH PROG 6 \"\" \"Quandel 1.2\"", 0), 0u) << page;
  EXPECT_NE(page.find("\n\\&.starts with a dot\n.PP\nsecond\n"), std::string::npos) << page;
  EXPECT_NE(page.find("\n.BI \"\\-l, \\-\\-level \" N\nhow much\n"), std::string::npos) << page;
  EXPECT_NE(page.find("\n.B \\-\\-quiet\nsay less\n"), std::string::npos) << page;
}

}  // namespace
}  // namespace quandel
