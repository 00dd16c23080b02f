#include "help_text.h"

#include <getopt.h>

#include <algorithm>
#include <cstring>
#include <sstream>

namespace quandel {

namespace {

constexpr size_t kColumns = 80;

// `text` wrapped to kColumns, every line after the first indented by `indent`; the first line
// starts at column `at`.
std::string Wrap(const std::string& text, size_t at, size_t indent) {
  std::istringstream words(text);
  std::string out, word;
  size_t column = at;
  bool first = true;
  while (words >> word) {
    if (!first && column + 1 + word.size() > kColumns) {
      out += '\n';
      out.append(indent, ' ');
      column = indent;
    } else if (!first) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    first = false;
  }
  return out;
}

std::vector<std::string> Paragraphs(const std::string& text) {
  std::vector<std::string> parts;
  for (size_t from = 0; from <= text.size();) {
    const size_t end = std::min(text.find("\n\n", from), text.size());
    parts.push_back(text.substr(from, end - from));
    from = end + 2;
  }
  return parts;
}

std::string OptionName(const HelpOption& o) {
  std::string name = "--" + std::string(o.name);
  if (o.shortName) name = std::string("-") + o.shortName + ", " + name;
  if (o.value) name += std::string(" ") + o.value;
  return name;
}

// Text safe in roff: backslashes and dashes escaped, no line starting with a control character.
std::string Roff(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\')
      out += "\\\\";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  std::string safe;
  for (size_t i = 0; i < out.size(); ++i) {
    if ((i == 0 || out[i - 1] == '\n') && (out[i] == '.' || out[i] == '\'')) safe += "\\&";
    safe += out[i];
  }
  return safe;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return s;
}

}  // namespace

void PrintHelp(std::FILE* to, const HelpPage& page) {
  const std::string program = page.program;
  std::string text;
  // A term in the first 20 columns and its explanation wrapped beside it.
  auto item = [&](const std::string& term, const char* what) {
    text.append("  ").append(term);
    if (term.size() + 2 < 20) {
      text.append(18 - term.size(), ' ');
    } else {
      text.append("\n").append(20, ' ');
    }
    text.append(Wrap(what, 20, 20)).append("\n");
  };
  for (size_t i = 0; i < page.usage.size(); ++i) {
    text.append(i == 0 ? "usage: " : "       ").append(program).append(" ");
    // A bracketed group is never broken across lines.
    std::string usage = page.usage[i];
    for (size_t k = 0, depth = 0; k < usage.size(); ++k) {
      depth += usage[k] == '[' ? 1 : usage[k] == ']' ? -1 : 0;
      if (depth > 0 && usage[k] == ' ') usage[k] = '\x01';
    }
    usage = Wrap(usage, 8 + program.size(), 8 + program.size());
    std::replace(usage.begin(), usage.end(), '\x01', ' ');
    text.append(usage).append("\n");
  }
  for (const std::string& p : Paragraphs(page.description)) text.append("\n").append(Wrap(p, 0, 0)).append("\n");
  text.append("\noptions:\n");
  for (const HelpOption& o : page.options) item(OptionName(o), o.text);
  for (const HelpSection& s : page.sections) {
    text.append("\n").append(s.title).append(":\n");
    for (const auto& [term, what] : s.items) item(term, what);
  }
  std::fputs(text.c_str(), to);
}

std::string ManPage(const HelpPage& page, const std::string& version) {
  const std::string name = Roff(page.program);
  std::string m = ".TH " + Upper(name) + " 6 \"\" \"Quandel " + version + "\" \"Games\"\n";
  m += ".SH NAME\n" + name + " \\- " + Roff(page.summary) + "\n.SH SYNOPSIS\n";
  for (size_t i = 0; i < page.usage.size(); ++i)
    m += (i ? ".br\n" : "") + std::string(".B ") + name + "\n" + Roff(page.usage[i]) + "\n";
  m += ".SH DESCRIPTION\n";
  const auto paragraphs = Paragraphs(page.description);
  for (size_t i = 0; i < paragraphs.size(); ++i) m += (i ? ".PP\n" : "") + Roff(paragraphs[i]) + "\n";
  m += ".SH OPTIONS\n";
  for (const HelpOption& o : page.options) {
    m += ".TP\n";
    std::string names = "\\-\\-" + Roff(o.name);
    if (o.shortName) names = std::string("\\-") + o.shortName + ", " + names;
    m += o.value ? ".BI \"" + names + " \" " + Roff(o.value) + "\n" : ".B " + names + "\n";
    m += Roff(o.text) + "\n";
  }
  for (const HelpSection& s : page.sections) {
    m += ".SH " + Upper(Roff(s.title)) + "\n";
    for (const auto& [term, what] : s.items) m += ".TP\n.B " + Roff(term) + "\n" + Roff(what) + "\n";
  }
  m += ".SH SEE ALSO\n" + Roff(page.seeAlso) + "\n";
  return m;
}

std::string ParseCommandLine(const HelpPage& page, int argc, char** argv, const TakeOption& take,
                             std::vector<std::string>& operands) {
  // getopt_long returns a long option's place in the table plus kLong, a short one its letter.
  constexpr int kLong = 1000;
  std::vector<option> longOptions;
  std::string shortOptions = ":";  // quiet: the messages below name the option
  for (size_t i = 0; i < page.options.size(); ++i) {
    const HelpOption& o = page.options[i];
    longOptions.push_back({o.name, o.value ? required_argument : no_argument, nullptr, kLong + static_cast<int>(i)});
    if (o.shortName) shortOptions += std::string(1, o.shortName) + (o.value ? ":" : "");
  }
  longOptions.push_back({nullptr, 0, nullptr, 0});
  optind = 0;  // a fresh scan, also on a second call
  for (int code; (code = getopt_long(argc, argv, shortOptions.c_str(), longOptions.data(), nullptr)) != -1;) {
    const std::string word = argv[optind - 1];
    const std::string named =
        optopt > 0 && optopt < kLong ? std::string("-") + char(optopt) : word.substr(0, word.find('='));
    // glibc names a known option given a value it does not take by its code in optopt.
    if (code == '?' && optopt >= kLong) return named + " takes no value";
    if (code == '?') return "unknown option " + named;
    if (code == ':') return named + " needs a value";
    const auto o = code >= kLong ? page.options.begin() + (code - kLong)
                                 : std::find_if(page.options.begin(), page.options.end(),
                                                [&](const HelpOption& h) { return h.shortName == code; });
    const std::string wrong = take(o->name, o->value ? optarg : nullptr);
    if (!wrong.empty()) return "--" + std::string(o->name) + " " + optarg + ": " + wrong;
  }
  for (int i = optind; i < argc; ++i) operands.emplace_back(argv[i]);
  return "";
}

}  // namespace quandel
