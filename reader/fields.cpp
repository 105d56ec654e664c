#include "reader/fields.h"

#include <vector>

#include "reader/ascii_case.h"

namespace tessarine::reader {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

struct Argument {
  std::string text;
  bool is_switch = false;  // "\l", "\o" ...
};

// Splits an instruction into words, quoted strings and switches.
std::vector<Argument> Arguments(std::string_view s) {
  std::vector<Argument> out;
  size_t i = 0;
  while (i < s.size()) {
    if (IsSpace(s[i])) {
      ++i;
      continue;
    }
    Argument argument;
    if (s[i] == '"') {
      for (++i; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
        argument.text.push_back(s[i]);
      }
      ++i;  // the closing quote
    } else {
      argument.is_switch = s[i] == '\\';
      for (; i < s.size() && !IsSpace(s[i]) && s[i] != '"'; ++i) argument.text.push_back(s[i]);
    }
    out.push_back(std::move(argument));
  }
  return out;
}

}  // namespace

std::optional<LinkTarget> HyperlinkOf(std::string_view instruction) {
  std::vector<Argument> arguments = Arguments(instruction);
  if (arguments.empty() || arguments[0].is_switch || !EqualsIgnoringCase(arguments[0].text, "hyperlink")) {
    return std::nullopt;
  }
  std::string url, anchor;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const Argument& argument = arguments[i];
    if (argument.is_switch) {
      // Switches with an argument: \l anchor, \o tooltip, \t frame. The others stand alone.
      const bool takes_argument = EqualsIgnoringCase(argument.text, "\\l") ||
                                  EqualsIgnoringCase(argument.text, "\\o") ||
                                  EqualsIgnoringCase(argument.text, "\\t");
      if (takes_argument && i + 1 < arguments.size()) {
        if (EqualsIgnoringCase(argument.text, "\\l")) anchor = arguments[i + 1].text;
        ++i;
      }
    } else if (url.empty()) {
      url = argument.text;
    }
  }
  if (url.empty() && anchor.empty()) return std::nullopt;
  if (url.empty()) return LinkTarget{anchor, true};
  if (!anchor.empty()) url += "#" + anchor;
  return LinkTarget{url, false};
}

}  // namespace tessarine::reader
