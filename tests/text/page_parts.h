// Cuts a page made from text into the parts the tests compare.
#pragma once

#include <string>
#include <string_view>

namespace tessarine::testing {

struct PageParts {
  std::string title;   // between <TITLE> and </TITLE>
  std::string author;  // the author META element's content
  std::string body;    // after the body tag's line, up to the page close
};

inline std::string Between(std::string_view page, std::string_view open, std::string_view close) {
  size_t from = page.find(open);
  if (from == std::string_view::npos) return "<missing " + std::string(open) + ">";
  from += open.size();
  size_t to = page.find(close, from);
  if (to == std::string_view::npos) return "<missing " + std::string(close) + ">";
  return std::string(page.substr(from, to - from));
}

inline PageParts SplitPage(std::string_view page) {
  PageParts parts;
  parts.title = Between(page, "<TITLE>", "</TITLE>");
  parts.author = Between(page, "<META NAME=\"author\" content=\"", "\">\r\n<STYLE");
  constexpr std::string_view kClose = "</body>\r\n</html>";
  size_t body = page.find("<body");
  if (body != std::string_view::npos) body = page.find(">\r\n", body);
  if (body == std::string_view::npos || page.size() < kClose.size() ||
      page.substr(page.size() - kClose.size()) != kClose) {
    parts.body = "<malformed page>";
    return parts;
  }
  body += 3;
  parts.body = std::string(page.substr(body, page.size() - kClose.size() - body));
  return parts;
}

}  // namespace tessarine::testing
