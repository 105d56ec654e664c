// What no RTF page may carry in its body, whatever the document: script and the elements that
// run or embed code, event attributes, loads from outside the page, links a click would run.
// Shared by the fuzz targets and the attack tests (tests/choice/safe_pages_test.cpp).
#pragma once

#include <string>
#include <string_view>

#include "model_page/html_scanner.h"

namespace tessarine::fuzzing {

// `value` as a browser reads it, stricter: lower-cased, numeric references read (with or
// without ";"), characters beyond ASCII as "?"; with `squeeze`, control characters and spaces
// left out.
inline std::string ReadValue(std::string_view value, bool squeeze) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    unsigned long c = static_cast<unsigned char>(value[i]);
    if (c == '&' && i + 1 < value.size() && value[i + 1] == '#') {
      const bool hex = i + 2 < value.size() && (value[i + 2] | 0x20) == 'x';
      size_t j = i + (hex ? 3 : 2);
      const size_t first = j;
      unsigned long code = 0;
      for (; j < value.size(); ++j) {
        const char d = static_cast<char>(value[j] | 0x20);
        const bool digit = value[j] >= '0' && value[j] <= '9';
        if (!digit && !(hex && d >= 'a' && d <= 'f')) break;
        code = code * (hex ? 16 : 10) + static_cast<unsigned long>(digit ? value[j] - '0' : d - 'a' + 10);
        if (code > 0x10FFFF) code = 0x10FFFF;
      }
      if (j > first) {
        c = code;
        i = j < value.size() && value[j] == ';' ? j : j - 1;
      }
    }
    if (squeeze && (c <= ' ' || c == 0x7F)) continue;
    out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c < 0x80 ? static_cast<char>(c) : '?');
  }
  return out;
}

// "" when the body of `page` holds none of the forbidden markup and its stylesheet none of the
// forbidden rules, else the first one found.
inline std::string CheckPageMarkup(std::string_view page) {
  static constexpr std::string_view kElements[] = {"script", "iframe", "frame", "frameset", "object",
                                                   "embed",  "applet", "link",  "meta",     "base",
                                                   "style",  "svg",    "math",  "noscript", "template"};
  static constexpr std::string_view kLoading[] = {"src",      "srcset",  "background", "poster", "data",
                                                  "action",   "ping",    "formaction", "lowsrc", "dynsrc",
                                                  "codebase", "classid", "archive",    "srcdoc"};
  const size_t body = page.find("<body");
  if (body == std::string_view::npos) return "";
  // The stylesheet of the head, with the rules a document may bring: nothing that loads, runs
  // or hides what it says, and its end where the page ends it.
  constexpr std::string_view kStyleOpen = "<STYLE TYPE=\"text/css\">";
  const size_t sheet_open = page.substr(0, body).find(kStyleOpen);
  if (sheet_open != std::string_view::npos) {
    const size_t start = sheet_open + kStyleOpen.size();
    const std::string sheet =
        ReadValue(page.substr(start, page.find("</STYLE>\r\n</HEAD>", start) - start), false);
    for (std::string_view word : {"<", "\\", "url(", "image(", "image-set(", "src(", "expression(",
                                  "javascript:", "behavior", "binding", "@import", "@font-face"}) {
      if (sheet.find(word) != std::string::npos) return "stylesheet: " + std::string(word);
    }
  }
  HtmlScanner scanner(page.substr(body));
  HtmlToken token;
  scanner.Next(token);  // the body tag, which the settings write
  for (scanner.Next(token); token.kind != HtmlTokenKind::kEnd; scanner.Next(token)) {
    if (token.kind != HtmlTokenKind::kStartTag) continue;
    for (std::string_view banned : kElements) {
      if (EqualsIgnoringCase(token.name, banned)) return std::string(token.text.substr(0, 80));
    }
    const bool link = EqualsIgnoringCase(token.name, "a") || EqualsIgnoringCase(token.name, "area");
    for (const HtmlAttribute& attribute : token.attributes) {
      const std::string_view name = attribute.name;
      const std::string value = ReadValue(attribute.value, true);
      bool forbidden = name.size() > 2 && (name[0] | 0x20) == 'o' && (name[1] | 0x20) == 'n';
      const bool image_data = EqualsIgnoringCase(name, "src") && EqualsIgnoringCase(token.name, "img") &&
                              value.starts_with("data:image/");
      for (std::string_view loading : kLoading)
        forbidden = forbidden || (EqualsIgnoringCase(name, loading) && !image_data);
      if (EqualsIgnoringCase(name, "href")) {
        forbidden = forbidden || !link;
        for (std::string_view scheme : {"javascript:", "vbscript:", "livescript:", "data:"}) {
          forbidden = forbidden || value.starts_with(scheme);
        }
      }
      if (EqualsIgnoringCase(name, "style")) {
        const std::string style = ReadValue(attribute.value, false);
        for (std::string_view word :
             {"url(", "image-set(", "expression(", "javascript:", "behavior:", "binding:", "@import"}) {
          forbidden = forbidden || style.find(word) != std::string::npos;
        }
      }
      if (forbidden) return std::string(token.text.substr(0, 80));
    }
  }
  return "";
}

}  // namespace tessarine::fuzzing
