#include "model_page/encapsulated_html.h"

#include <array>

#include "base/line_break.h"
#include "model_page/html_scanner.h"
#include "model_page/links.h"
#include "model_page/text_encoding.h"
#include "page/link_target.h"

namespace tessarine {

namespace {

enum class Keep : uint8_t {
  kElement,         // written
  kTagOnly,         // the tag goes, what it holds stays
  kRawText,         // the element goes with its text, which is no markup (script, style...)
  kContent,         // the element goes with everything it holds
  kRestOfDocument,  // plaintext: everything after it is text; it all goes
};

struct ElementRule {
  std::string_view name;
  Keep keep;
};

constexpr std::array<ElementRule, 26> kRules = {{
    {"script", Keep::kRawText},
    {"style", Keep::kRawText},
    {"title", Keep::kRawText},
    {"xmp", Keep::kRawText},
    {"iframe", Keep::kRawText},
    {"noembed", Keep::kRawText},
    {"noframes", Keep::kRawText},
    {"noscript", Keep::kRawText},
    {"object", Keep::kContent},
    {"applet", Keep::kContent},
    {"svg", Keep::kContent},
    {"math", Keep::kContent},
    {"template", Keep::kContent},
    {"xml", Keep::kContent},
    {"frameset", Keep::kContent},
    {"html", Keep::kTagOnly},
    {"head", Keep::kTagOnly},
    {"body", Keep::kTagOnly},
    {"meta", Keep::kTagOnly},
    {"link", Keep::kTagOnly},
    {"base", Keep::kTagOnly},
    {"frame", Keep::kTagOnly},
    {"param", Keep::kTagOnly},
    {"embed", Keep::kTagOnly},
    {"plaintext", Keep::kRestOfDocument},
    {"isindex", Keep::kTagOnly},
}};

Keep RuleOf(std::string_view name) {
  for (const ElementRule& rule : kRules) {
    if (EqualsIgnoringCase(name, rule.name)) return rule.keep;
  }
  return Keep::kElement;
}

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == ':' || c == '.';
}

bool IsName(std::string_view name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name) {
    if (!IsNameCharacter(c)) return false;
  }
  return true;
}

// The characters a named reference stands for, of those that can change how a URL or a style
// is read. Others stay as written.
char NamedCharacter(std::string_view name) {
  struct Named {
    std::string_view name;
    char c;
  };
  static constexpr Named kNamed[] = {
      {"colon", ':'}, {"tab", '\t'},   {"newline", '\n'}, {"lpar", '('}, {"rpar", ')'},
      {"bsol", '\\'}, {"sol", '/'},    {"ast", '*'},      {"amp", '&'},  {"quot", '"'},
      {"apos", '\''}, {"lt", '<'},     {"gt", '>'},       {"semi", ';'}, {"num", '#'},
      {"excl", '!'},  {"period", '.'}, {"comma", ','},    {"nbsp", ' '}, {"commat", '@'},
  };
  for (const Named& named : kNamed) {
    if (EqualsIgnoringCase(name, named.name)) return named.c;
  }
  return 0;
}

// `value` as a browser reads it, lower-cased, for the safety checks: character references
// resolved (characters beyond ASCII as "?").
void DecodeForCheck(std::string_view value, std::string& decoded) {
  decoded.clear();
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c != '&') {
      decoded.push_back(Lower(c));
      continue;
    }
    size_t p = i + 1;
    if (p < value.size() && value[p] == '#') {
      ++p;
      const bool hex = p < value.size() && (value[p] == 'x' || value[p] == 'X');
      if (hex) ++p;
      uint32_t code = 0;
      const size_t digits_start = p;
      for (; p < value.size(); ++p) {
        char d = Lower(value[p]);
        int digit = (d >= '0' && d <= '9') ? d - '0' : (hex && d >= 'a' && d <= 'f') ? d - 'a' + 10 : -1;
        if (digit < 0) break;
        if (code < 0x110000) code = code * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
      }
      if (p == digits_start) {
        decoded.push_back('&');
        continue;
      }
      if (p < value.size() && value[p] == ';') ++p;
      decoded.push_back(code < 0x80 ? Lower(static_cast<char>(code)) : '?');
      i = p - 1;
      continue;
    }
    size_t end = p;
    while (end < value.size() && end - p < 8 &&
           ((value[end] >= 'a' && value[end] <= 'z') || (value[end] >= 'A' && value[end] <= 'Z'))) {
      ++end;
    }
    char named = NamedCharacter(value.substr(p, end - p));
    if (named == 0) {
      decoded.push_back('&');
      continue;
    }
    if (end < value.size() && value[end] == ';') ++end;
    decoded.push_back(named);
    i = end - 1;
  }
}

// Whether a style attribute's value could run code or hide what it says from this check.
bool IsUnsafeStyle(std::string_view decoded) {
  for (std::string_view word :
       {"expression", "javascript", "vbscript", "behavior", "binding", "@import", "\\", "/*"}) {
    if (decoded.find(word) != std::string_view::npos) return true;
  }
  return false;
}

bool StartsWithImageData(std::string_view decoded) {
  size_t first = 0;
  while (first < decoded.size() && static_cast<unsigned char>(decoded[first]) <= 0x20) ++first;
  return decoded.substr(first, 11) == "data:image/";
}

class Sanitizer {
 public:
  Sanitizer(std::string& out, StylesheetFlags& flags) : out_(out), flags_(flags) {}

  void Run(std::string_view html) {
    HtmlScanner scanner(html);
    HtmlToken token;
    for (;;) {
      scanner.Next(token);
      if (token.kind == HtmlTokenKind::kEnd || !token.complete) break;
      switch (token.kind) {
        case HtmlTokenKind::kText:
          AppendConvertedHtml(out_, token.text, true);
          break;
        case HtmlTokenKind::kStartTag:
          StartTag(scanner, token);
          if (stop_) return;
          break;
        case HtmlTokenKind::kEndTag:
          if (IsName(token.name) && RuleOf(token.name) == Keep::kElement) {
            out_.append("</");
            AppendLower(token.name);
            out_.push_back('>');
          }
          break;
        default:
          break;  // comments and declarations go
      }
    }
  }

 private:
  void StartTag(HtmlScanner& scanner, HtmlToken& token) {
    if (!IsName(token.name)) return;
    switch (RuleOf(token.name)) {
      case Keep::kTagOnly:
        return;
      case Keep::kRawText:
        if (!token.self_closing) scanner.SkipRawText(token.name);
        return;
      case Keep::kContent:
        if (!token.self_closing) SkipContent(scanner, token);
        return;
      case Keep::kRestOfDocument:
        stop_ = true;
        return;
      case Keep::kElement:
        break;
    }
    const bool image = EqualsIgnoringCase(token.name, "img");
    out_.push_back('<');
    AppendLower(token.name);
    for (const HtmlAttribute& attribute : token.attributes) {
      if (!IsName(attribute.name)) continue;
      if (attribute.name.size() >= 2 && Lower(attribute.name[0]) == 'o' && Lower(attribute.name[1]) == 'n')
        continue;
      DecodeForCheck(attribute.value, decoded_);
      if (IsScriptTarget(decoded_) &&
          !(image && EqualsIgnoringCase(attribute.name, "src") && StartsWithImageData(decoded_))) {
        continue;
      }
      if (EqualsIgnoringCase(attribute.name, "style") && IsUnsafeStyle(decoded_)) continue;
      out_.push_back(' ');
      AppendLower(attribute.name);
      out_.append("=\"");
      AppendConvertedHtml(out_, attribute.value, true);
      out_.push_back('"');
      if (EqualsIgnoringCase(attribute.name, "href")) flags_.has_hyperlinks = true;
    }
    out_.push_back('>');
    if (EqualsIgnoringCase(token.name, "table")) flags_.has_tables = true;
  }

  // Skips what the element `token` starts holds, up to its end tag (elements of its name inside
  // it counted), or to the end of the input.
  void SkipContent(HtmlScanner& scanner, HtmlToken& token) {
    const std::string name(token.name);
    int depth = 1;
    while (depth > 0) {
      scanner.Next(token);
      if (token.kind == HtmlTokenKind::kEnd || !token.complete) return;
      if (token.kind == HtmlTokenKind::kStartTag && !token.self_closing) {
        if (EqualsIgnoringCase(token.name, name)) {
          ++depth;
        } else if (RuleOf(token.name) == Keep::kRawText) {
          scanner.SkipRawText(token.name);
        }
      } else if (token.kind == HtmlTokenKind::kEndTag && EqualsIgnoringCase(token.name, name)) {
        --depth;
      }
    }
  }

  void AppendLower(std::string_view name) {
    for (char c : name) out_.push_back(Lower(c));
  }

  std::string& out_;
  StylesheetFlags& flags_;
  std::string decoded_;
  bool stop_ = false;
};

}  // namespace

void AppendEncapsulatedHtml(std::string& out, std::string_view html, StylesheetFlags& flags) {
  Sanitizer(out, flags).Run(html);
  if (out.size() < 2 || out.compare(out.size() - 2, 2, kLineBreak) != 0) out.append(kLineBreak);
}

}  // namespace tessarine
