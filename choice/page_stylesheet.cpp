#include "choice/page_stylesheet.h"

namespace tessarine {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// `selector` in lower case with its runs of white space made single spaces, trimmed.
std::string Normalised(std::string_view selector) {
  std::string out;
  for (char c : selector) {
    if (IsSpace(c)) {
      if (!out.empty() && out.back() != ' ') out.push_back(' ');
    } else {
      out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c);
    }
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

// The rule's declarations go to where `selector` says; false for a selector not known.
bool Apply(std::string_view selector_text, const Declarations& rule, PageStylesheet& sheet) {
  const std::string selector = Normalised(selector_text);
  Declarations* target = nullptr;
  if (selector == "body") {
    target = &sheet.body;
  } else if (selector == "p") {
    target = &sheet.p;
  } else if (selector == "td") {
    target = &sheet.td;
  } else if (selector == "td p") {
    target = &sheet.td_p;
  } else if (selector == "a:link" || selector == "a:visited") {
    target = &sheet.link;
  } else if (selector == "a:hover" || selector == "a:active") {
    return true;
  } else if (selector.starts_with("a.")) {
    const size_t colon = selector.find(':');
    if (colon == std::string::npos) return false;
    const std::string state = selector.substr(colon + 1);
    const std::string name = selector.substr(2, colon - 2);
    if (name.empty() || name.find_first_of(" .:#[") != std::string::npos) return false;
    if (state == "hover" || state == "active") return true;
    if (state != "link" && state != "visited") return false;
    for (auto& [known, declarations] : sheet.link_classes) {
      if (known == name) target = &declarations;
    }
    if (target == nullptr) target = &sheet.link_classes.emplace_back(name, Declarations{}).second;
  } else {
    return false;
  }
  // Only the page's body may have a background picture; only cells a vertical alignment.
  if (rule.background && target != &sheet.body) return false;
  if (rule.cell_layout && target != &sheet.td) return false;
  Merge(rule, false, *target);
  return true;
}

}  // namespace

bool ParseStylesheet(std::string_view css, FontNames& fonts, PageStylesheet& sheet) {
  while (true) {
    size_t i = 0;
    while (i < css.size() && IsSpace(css[i])) ++i;
    css.remove_prefix(i);
    if (css.empty()) return true;
    const size_t open = css.find('{');
    if (open == std::string_view::npos) return false;
    const size_t close = css.find('}', open);
    if (close == std::string_view::npos) return false;
    const std::string_view selectors = css.substr(0, open);
    const std::string_view body = css.substr(open + 1, close - open - 1);
    css.remove_prefix(close + 1);
    if (selectors.find_first_of("@/<>") != std::string_view::npos ||
        body.find('{') != std::string_view::npos || body.find("/*") != std::string_view::npos) {
      return false;
    }
    Declarations rule;
    if (!ParseDeclarations(body, fonts, rule)) return false;
    std::string_view rest = selectors;
    while (true) {
      const size_t comma = rest.find(',');
      if (!Apply(rest.substr(0, comma), rule, sheet)) return false;
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
  }
}

}  // namespace tessarine
