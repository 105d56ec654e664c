#include "model_page/encapsulated_html.h"

#include <array>

#include "base/line_break.h"
#include "model_page/html_attributes.h"
#include "model_page/html_scanner.h"
#include "model_page/text_encoding.h"

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
    out_.push_back('<');
    AppendLower(token.name);
    for (const HtmlAttribute& attribute : token.attributes) {
      if (IsName(attribute.name) && AppendSafeAttribute(out_, token.name, attribute) &&
          EqualsIgnoringCase(attribute.name, "href")) {
        flags_.has_hyperlinks = true;
      }
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
  bool stop_ = false;
};

}  // namespace

void AppendEncapsulatedHtml(std::string& out, std::string_view html, StylesheetFlags& flags) {
  Sanitizer(out, flags).Run(html);
  if (out.size() < 2 || out.compare(out.size() - 2, 2, kLineBreak) != 0) out.append(kLineBreak);
}

}  // namespace tessarine
