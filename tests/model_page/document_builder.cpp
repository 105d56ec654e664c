#include "tests/model_page/document_builder.h"

#include <algorithm>
#include <vector>

#include "base/cp1251.h"
#include "model_page/write_page.h"

namespace tessarine::testing {

std::string BodyOf(const std::string& page) {
  size_t start = page.find("<body bgcolor=");
  if (start == std::string::npos) return {};
  start = page.find("\r\n", start) + 2;
  size_t end = page.find("<hr color=", start);
  if (end == std::string::npos) end = page.rfind("</body>");
  return page.substr(start, end - start);
}

std::string NotesOf(const std::string& page) {
  size_t start = page.find("<hr color=");
  if (start == std::string::npos) return {};
  start = page.find('>', start) + 1;
  return page.substr(start, page.rfind("</body>") - start);
}

std::string PageOf(const model::Document& document) {
  return WriteModelPage(document, Settings{}).page;
}

std::string BodyOfDocument(const model::Document& document) {
  return BodyOf(PageOf(document));
}

std::string Cp1251(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    auto b = static_cast<unsigned char>(utf8[i]);
    char32_t c = b;
    size_t n = 1;
    if (b >= 0xF0) {
      c = b & 0x07, n = 4;
    } else if (b >= 0xE0) {
      c = b & 0x0F, n = 3;
    } else if (b >= 0xC0) {
      c = b & 0x1F, n = 2;
    }
    for (size_t k = 1; k < n && i + k < utf8.size(); ++k) c = (c << 6) | (utf8[i + k] & 0x3F);
    i += n;
    int byte = UnicodeToCp1251(c);
    if (byte >= 0) {
      out.push_back(static_cast<char>(byte));
    } else {
      out += "&#" + std::to_string(static_cast<uint32_t>(c)) + ";";
    }
  }
  return out;
}

std::string CheckWellFormed(const std::string& html) {
  static const std::vector<std::string> kVoid = {"br", "img", "hr"};
  std::vector<std::string> open;
  size_t at = 0;
  while ((at = html.find('<', at)) != std::string::npos) {
    size_t end = html.find('>', at);
    if (end == std::string::npos) return "a tag is not ended at " + std::to_string(at);
    std::string tag = html.substr(at + 1, end - at - 1);
    at = end + 1;
    if (tag.empty() || tag[0] == '!') continue;
    const bool closing = tag[0] == '/';
    std::string name = tag.substr(closing ? 1 : 0);
    name = name.substr(0, name.find_first_of(" \t\r\n"));
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    if (std::find(kVoid.begin(), kVoid.end(), name) != kVoid.end()) continue;
    auto is_paragraph = [](const std::string& n) {
      return n == "p" || (n.size() == 2 && n[0] == 'h' && n[1] >= '1' && n[1] <= '6');
    };
    if (!closing) {
      for (const std::string& outer : open) {
        if (name == "a" && outer == "a") return "a link inside a link at " + std::to_string(at);
        if (is_paragraph(name) && is_paragraph(outer))
          return "a paragraph inside a paragraph at " + std::to_string(at);
      }
      open.push_back(name);
      continue;
    }
    if (open.empty() || open.back() != name) {
      return "</" + name + "> closes <" + (open.empty() ? std::string("nothing") : open.back()) + "> at " +
             std::to_string(at);
    }
    open.pop_back();
  }
  if (!open.empty()) return "<" + open.back() + "> is never closed";
  return {};
}

}  // namespace tessarine::testing
