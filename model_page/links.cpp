#include "model_page/links.h"

#include "model_page/text_encoding.h"
#include "page/link_target.h"

namespace tessarine {

namespace {

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
         c == '.';
}

// Whether `name` is a note anchor's name: "hts" or "dssl" followed by digits only.
bool LooksLikeNoteAnchor(std::string_view name) {
  for (std::string_view prefix : {"hts", "dssl"}) {
    if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix &&
        name.find_first_not_of("0123456789", prefix.size()) == std::string_view::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string_view TrimTarget(std::string_view target) {
  size_t first = target.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  target.remove_prefix(first);
  target = target.substr(0, target.find_last_not_of(" \t\r\n") + 1);
  if (target.front() == '"') {
    target.remove_prefix(1);
    target = target.substr(0, target.find('"'));
  }
  return target;
}

bool AppendLinkOpen(std::string& out, std::string_view target) {
  std::string href;
  AppendHtmlText(href, TrimTarget(target), Escape::kAttribute);
  if (IsScriptTarget(href)) return false;
  out.append("<a href=\"").append(href).append("\">");
  return true;
}

void AppendLocalLinkOpen(std::string& out, std::string_view bookmark) {
  bookmark = TrimTarget(bookmark);
  if (!bookmark.empty() && bookmark.front() == '#') bookmark.remove_prefix(1);
  out.append("<a href=\"#");
  AppendAnchorName(out, bookmark);
  out.append("\">");
}

void AppendAnchorName(std::string& out, std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  size_t first = name.find_first_not_of(' ');
  name = first == std::string_view::npos ? std::string_view()
                                         : name.substr(first, name.find_last_not_of(' ') - first + 1);
  if (name.empty() || LooksLikeNoteAnchor(name)) out.push_back('_');
  for (char c : name) {
    if (IsNameCharacter(c)) {
      out.push_back(c);
    } else {
      auto b = static_cast<unsigned char>(c);
      out.push_back('_');
      out.push_back(kHex[b >> 4]);
      out.push_back(kHex[b & 0xF]);
    }
  }
}

}  // namespace tessarine
