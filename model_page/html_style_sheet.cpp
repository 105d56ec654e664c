#include "model_page/html_style_sheet.h"

#include "base/cp1251.h"
#include "base/line_break.h"
#include "model_page/html_attributes.h"
#include "model_page/html_scanner.h"
#include "model_page/text_encoding.h"

namespace tessarine {

namespace {

constexpr size_t kNone = std::string_view::npos;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// `css` without its comments (one that is not closed runs to the end).
std::string WithoutComments(std::string_view css) {
  std::string out;
  out.reserve(css.size());
  for (size_t at = 0; at < css.size();) {
    const size_t open = css.find("/*", at);
    if (open == kNone) {
      out.append(css.substr(at));
      break;
    }
    out.append(css.substr(at, open - at));
    const size_t close = css.find("*/", open + 2);
    if (close == kNone) break;
    at = close + 2;
  }
  return out;
}

// Where the string opened by the quote at `open` ends: at its closing quote or at the line end
// that cuts it short; the end of `css` without either.
size_t StringEnd(std::string_view css, size_t open) {
  for (size_t p = open + 1; p < css.size(); ++p) {
    if (css[p] == css[open] || css[p] == '\n') return p;
  }
  return css.size();
}

// The first of `stops` at or after `from` outside strings; kNone without one.
size_t FindOutsideStrings(std::string_view css, size_t from, std::string_view stops) {
  for (size_t p = from; p < css.size(); ++p) {
    if (css[p] == '"' || css[p] == '\'') {
      p = StringEnd(css, p);
    } else if (stops.find(css[p]) != kNone) {
      return p;
    }
  }
  return kNone;
}

// The "}" that closes the block opened at `open`, blocks inside it counted; the end of `css`
// without one.
size_t BlockEnd(std::string_view css, size_t open) {
  int depth = 1;
  for (size_t p = open + 1; p < css.size(); ++p) {
    if (css[p] == '"' || css[p] == '\'') {
      p = StringEnd(css, p);
    } else if (css[p] == '{') {
      ++depth;
    } else if (css[p] == '}' && --depth == 0) {
      return p;
    }
  }
  return css.size();
}

// Whether `selectors` is made only of the characters of names, classes, ids, pseudo-classes,
// "*", "," and combinators, with no empty selector in the list.
bool AreSafeSelectors(std::string_view selectors) {
  bool empty = true;
  for (char c : selectors) {
    if (c == ',') {
      if (empty) return false;
      empty = true;
    } else if (IsNameCharacter(c) || c == '.' || c == '#' || c == ':' || c == '*' || c == '>' || c == '+' ||
               c == '~') {
      empty = false;
    } else if (!IsSpace(c)) {
      return false;
    }
  }
  return !empty;
}

// Whether the name at the front of `selector` is `name` (letter case ignored) and ends there.
bool StartsWithName(std::string_view selector, std::string_view name) {
  return selector.size() >= name.size() && EqualsIgnoringCase(selector.substr(0, name.size()), name) &&
         (selector.size() == name.size() || !IsNameCharacter(selector[name.size()]));
}

// Appends `selector` (trimmed, safe) under the message's element, its runs of spaces as one.
void AppendScopedSelector(std::string& out, std::string_view selector) {
  out.push_back('.');
  out.append(kMessageClass);
  if (StartsWithName(selector, "html")) {
    selector.remove_prefix(4);
    while (!selector.empty() && (IsSpace(selector.front()) || selector.front() == '>'))
      selector.remove_prefix(1);
  }
  if (StartsWithName(selector, "body")) {
    selector.remove_prefix(4);
  } else if (!selector.empty()) {
    out.push_back(' ');
  }
  bool space = false;
  for (char c : selector) {
    if (IsSpace(c)) {
      space = true;
      continue;
    }
    if (space) out.push_back(' ');
    space = false;
    out.push_back(c);
  }
}

// Appends the declaration `declaration` (trimmed) in code page 1251 when it is safe; returns
// whether it was.
bool AppendSafeDeclaration(std::string& out, std::string_view declaration) {
  const size_t colon = declaration.find(':');
  if (colon == kNone || colon == 0) return false;
  for (char c : Trimmed(declaration.substr(0, colon))) {
    if (!IsNameCharacter(c)) return false;
  }
  std::string lower;
  lower.reserve(declaration.size());
  char quote = 0;  // the quote of the string the declaration is in
  for (char c : declaration) {
    if (c == '"' || c == '\'') quote = quote == 0 ? c : quote == c ? 0 : quote;
    const auto byte = static_cast<unsigned char>(c);
    if ((byte < 0x20 && !IsSpace(c)) || byte == 0x7F || c == '\\' || c == '<' || c == '>' || c == '@' ||
        c == '&' || c == '{' || c == '}') {
      return false;
    }
    lower.push_back(Lower(c));
  }
  if (quote != 0) return false;  // a string not closed would take the rules after it along
  if (IsUnsafeStyle(lower) || LoadsFromOutside(lower)) return false;
  const size_t start = out.size();
  for (size_t i = 0, size = 0; i < declaration.size(); i += size) {
    const char32_t c = DecodeUtf8(declaration.substr(i), size);
    if (c < 0x80) {
      out.push_back(IsSpace(static_cast<char>(c)) ? ' ' : static_cast<char>(c));
      continue;
    }
    const int byte = UnicodeToCp1251(c);
    if (byte < 0 || c == U'\uFFFD' || c < 0xA0) {
      out.resize(start);
      return false;
    }
    out.push_back(static_cast<char>(byte));
  }
  return true;
}

// Appends the rule of `selectors` and the declarations `block` when both are safe and some
// declaration is left.
void AppendRule(std::string& out, std::string_view selectors, std::string_view block) {
  selectors = Trimmed(selectors);
  if (!AreSafeSelectors(selectors)) return;
  const size_t start = out.size();
  for (size_t at = 0; at <= selectors.size();) {
    size_t comma = selectors.find(',', at);
    if (comma == kNone) comma = selectors.size();
    if (at != 0) out.append(", ");
    AppendScopedSelector(out, Trimmed(selectors.substr(at, comma - at)));
    at = comma + 1;
  }
  out.append(" {");
  const size_t declarations = out.size();
  for (size_t at = 0; at < block.size();) {
    size_t end = FindOutsideStrings(block, at, ";");
    if (end == kNone) end = block.size();
    const std::string_view declaration = Trimmed(block.substr(at, end - at));
    if (!declaration.empty()) {
      const size_t before = out.size();
      if (out.size() != declarations) out.append("; ");
      if (!AppendSafeDeclaration(out, declaration)) out.resize(before);
    }
    at = end + 1;
  }
  if (out.size() == declarations) {
    out.resize(start);
    return;
  }
  out.push_back('}');
  out.append(kLineBreak);
}

}  // namespace

void AppendMessageBaseRules(std::string& out) {
  // ":where" weighs nothing: these rules outweigh the page's "p" rule by coming after it, and any
  // rule of the message (under the message's class) outweighs them.
  out.append(":where(.");
  out.append(kMessageClass);
  out.append(") p {font-size:inherit; font-family:inherit; margin-left:0; margin-right:0; text-indent:0}");
  out.append(kLineBreak);
}

void AppendMessageStyleSheet(std::string& out, std::string_view source) {
  const std::string css = WithoutComments(source);
  const std::string_view text = css;
  for (size_t at = 0; at < text.size();) {
    const char c = text[at];
    if (IsSpace(c) || c == ';' || c == '}') {
      ++at;
    } else if (text.substr(at, 4) == "<!--") {
      at += 4;
    } else if (text.substr(at, 3) == "-->") {
      at += 3;
    } else if (c == '@') {
      // An at-rule goes whole: up to its ";" or with its block.
      const size_t end = FindOutsideStrings(text, at, ";{");
      if (end == kNone) break;
      at = text[end] == ';' ? end + 1 : BlockEnd(text, end) + 1;
    } else {
      const size_t open = FindOutsideStrings(text, at, "{");
      if (open == kNone) break;
      const size_t close = BlockEnd(text, open);
      AppendRule(out, text.substr(at, open - at), text.substr(open + 1, close - open - 1));
      at = close + 1;
    }
  }
}

}  // namespace tessarine
