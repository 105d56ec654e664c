#include "model_page/encapsulated_html.h"

#include <array>

#include "base/line_break.h"
#include "model_page/html_attributes.h"
#include "model_page/html_scanner.h"
#include "model_page/html_style_sheet.h"
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
    AppendMessageBaseRules(flags_.more_rules);
    HtmlScanner scanner(html, StyleQuotes::kOutlook);
    HtmlToken token;
    for (;;) {
      scanner.Next(token);
      if (token.kind == HtmlTokenKind::kEnd || !token.complete) break;
      switch (token.kind) {
        case HtmlTokenKind::kText:
          if (!open_ && token.text.find_first_not_of(" \t\r\n\f") != std::string_view::npos) Open(nullptr);
          AppendConvertedHtml(out_, token.text, true);
          break;
        case HtmlTokenKind::kStartTag:
          StartTag(scanner, token);
          if (stop_) return;
          break;
        case HtmlTokenKind::kEndTag:
          if (IsName(token.name) && RuleOf(token.name) == Keep::kElement) EndTag(token.name);
          break;
        default:
          break;  // comments and declarations go
      }
    }
  }

  // Closes the element that holds the message, when it was opened.
  void Close() {
    if (open_) out_.append("</div>");
  }

 private:
  // Opens the element that holds the message, with what the message's body tag `body` (when
  // there is one) gives its text: colours, style, language and direction.
  void Open(const HtmlToken* body) {
    open_ = true;
    out_.append("<div class=\"");
    out_.append(kMessageClass);
    out_.push_back('"');
    if (body != nullptr) {
      std::string style;
      for (const HtmlAttribute& attribute : body->attributes) {
        if (EqualsIgnoringCase(attribute.name, "text") && IsColourValue(attribute.value)) {
          style.append("color:").append(attribute.value).push_back(';');
        } else if (EqualsIgnoringCase(attribute.name, "bgcolor") && IsColourValue(attribute.value)) {
          style.append("background-color:").append(attribute.value).push_back(';');
        } else if (EqualsIgnoringCase(attribute.name, "style")) {
          style.append(attribute.value);
        } else if (EqualsIgnoringCase(attribute.name, "lang") || EqualsIgnoringCase(attribute.name, "dir")) {
          AppendSafeAttribute(out_, "div", attribute);
        } else {
          LinkColour(attribute);
        }
      }
      if (!style.empty()) AppendSafeAttribute(out_, "div", HtmlAttribute{"style", style});
    }
    out_.push_back('>');
  }

  // The link colours of the body tag ("link", "vlink", "alink"): of no more weight than the
  // message's own link rules, which outweigh them as the body tag's attributes are outweighed.
  void LinkColour(const HtmlAttribute& attribute) {
    static constexpr std::string_view kStates[][2] = {
        {"link", "link"}, {"vlink", "visited"}, {"alink", "active"}};
    for (const auto& [name, state] : kStates) {
      if (!EqualsIgnoringCase(attribute.name, name) || !IsColourValue(attribute.value)) continue;
      std::string& rules = flags_.more_rules;
      rules.append(":where(.").append(kMessageClass).append(") a:").append(state).append(" {color:");
      rules.append(attribute.value).append("}").append(kLineBreak);
    }
  }

  // Whether `value` is a colour as a body tag gives it: "#" and hexadecimal digits, or a name.
  static bool IsColourValue(std::string_view value) {
    if (value.empty() || value.size() > 24) return false;
    const bool hex = value[0] == '#';
    for (char c : value.substr(hex ? 1 : 0)) {
      const char l = Lower(c);
      if (!((l >= 'a' && l <= 'z') || (hex && l >= '0' && l <= '9'))) return false;
    }
    return value.size() > (hex ? 1u : 0u);
  }

  void StartTag(HtmlScanner& scanner, HtmlToken& token) {
    if (!IsName(token.name)) return;
    switch (RuleOf(token.name)) {
      case Keep::kTagOnly:
        if (!open_ && EqualsIgnoringCase(token.name, "body")) Open(&token);
        return;
      case Keep::kRawText:
        if (token.self_closing) return;
        if (EqualsIgnoringCase(token.name, "style")) {
          const bool applies = IsScreenStyle(token);
          const std::string_view css = scanner.SkipRawText(token.name);
          if (applies) AppendMessageStyleSheet(flags_.more_rules, css);
        } else {
          scanner.SkipRawText(token.name);
        }
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
    if (!open_) Open(nullptr);
    out_.push_back('<');
    AppendLower(token.name);
    for (const HtmlAttribute& attribute : token.attributes) {
      if (IsName(attribute.name) && AppendSafeAttribute(out_, token.name, attribute) &&
          EqualsIgnoringCase(attribute.name, "href")) {
        flags_.has_hyperlinks = true;
      }
    }
    out_.push_back('>');
    if (EqualsIgnoringCase(token.name, "div") && !token.self_closing) ++divs_;
  }

  void EndTag(std::string_view name) {
    if (EqualsIgnoringCase(name, "div")) {
      // The element that holds the message stays open whatever the message closes.
      if (divs_ == 0) return;
      --divs_;
    }
    if (!open_) Open(nullptr);
    out_.append("</");
    AppendLower(name);
    out_.push_back('>');
  }

  // Whether the style element `token` is for the screen: of no type but CSS, for no media that
  // leave the screen out.
  static bool IsScreenStyle(const HtmlToken& token) {
    for (const HtmlAttribute& attribute : token.attributes) {
      std::string value;
      for (char c : attribute.value) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') value.push_back(Lower(c));
      }
      if (EqualsIgnoringCase(attribute.name, "type") && !value.empty() && value != "text/css") return false;
      if (EqualsIgnoringCase(attribute.name, "media") && !value.empty() &&
          value.find("screen") == std::string::npos && value.find("all") == std::string::npos) {
        return false;
      }
    }
    return true;
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
  bool open_ = false;  // the element that holds the message is open
  int divs_ = 0;       // the message's own div elements open
};

}  // namespace

bool HoldsMarkup(std::string_view html) {
  HtmlScanner scanner(html);
  HtmlToken token;
  for (scanner.Next(token); token.kind != HtmlTokenKind::kEnd; scanner.Next(token)) {
    if (token.kind != HtmlTokenKind::kText) return true;
  }
  return false;
}

void AppendEncapsulatedHtml(std::string& out, std::string_view html, StylesheetFlags& flags) {
  Sanitizer sanitizer(out, flags);
  sanitizer.Run(html);
  sanitizer.Close();
  if (out.size() < 2 || out.compare(out.size() - 2, 2, kLineBreak) != 0) out.append(kLineBreak);
}

}  // namespace tessarine
