#include "app/commands/html_edit.h"

#include "base/output_name.h"

namespace tessarine {

namespace {

constexpr std::string_view kBackgroundStart = "body {background-image:url(";

char16_t Lower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool MatchesAt(std::u16string_view text, std::string_view pattern, size_t at) {
  if (at + pattern.size() > text.size()) return false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (Lower(text[at + i]) != Lower(static_cast<unsigned char>(pattern[i]))) return false;
  }
  return true;
}

void AppendAscii(std::u16string& out, std::string_view ascii) {
  for (char c : ascii) out.push_back(static_cast<unsigned char>(c));
}

}  // namespace

size_t FindIgnoringCase(std::u16string_view text, std::string_view pattern, size_t from) {
  if (pattern.empty() || text.size() < pattern.size()) return std::u16string_view::npos;
  const char16_t first_lower = Lower(static_cast<unsigned char>(pattern[0]));
  for (size_t at = from; at + pattern.size() <= text.size(); ++at) {
    if (Lower(text[at]) == first_lower && MatchesAt(text, pattern, at)) return at;
  }
  return std::u16string_view::npos;
}

std::u16string PictureBlock(PicturePlacement placement, std::u16string_view path) {
  std::u16string block;
  switch (placement) {
    case PicturePlacement::kFloatRight:
      AppendAscii(block, "<div style=\"float:right\">\r\n");
      break;
    case PicturePlacement::kFloatLeft:
      AppendAscii(block, "<div style=\"float:left\">\r\n");
      break;
    case PicturePlacement::kNoFloat:
      AppendAscii(block, "<div>\r\n");
      break;
  }
  AppendAscii(block, "<img src=\"");
  block.append(path);
  AppendAscii(block, "\"></div>\r\n");
  return block;
}

std::optional<size_t> PictureInsertionPoint(std::u16string_view text, size_t caret) {
  size_t first = FindIgnoringCase(text, "<p");
  if (first == std::u16string_view::npos || first > caret) return std::nullopt;
  for (size_t at = caret < text.size() ? caret : text.size() - 1;; --at) {
    if (MatchesAt(text, "<p", at)) return at;
    if (at == first) return first;
  }
}

BackgroundEdit PlanBackground(std::u16string_view text, size_t caret) {
  BackgroundEdit edit;
  size_t start = FindIgnoringCase(text, kBackgroundStart);
  if (start != std::u16string_view::npos) {
    edit.remove_from = start;
    edit.insert_at = start;
    size_t close = FindIgnoringCase(text, ")", start);
    if (close != std::u16string_view::npos) {
      size_t end = close + 2 < text.size() ? close + 2 : text.size();
      edit.remove_count = end - start;
    }
    return edit;
  }
  size_t style_end = FindIgnoringCase(text, "</style>");
  if (style_end != std::u16string_view::npos) {
    edit.insert_at = style_end;
    return edit;
  }
  size_t head_end = FindIgnoringCase(text, "</head>");
  if (head_end != std::u16string_view::npos) {
    edit.insert_at = head_end;
    edit.own_style_block = true;
    return edit;
  }
  edit.insert_at = caret < text.size() ? caret : text.size();
  return edit;
}

std::u16string BackgroundRule(std::u16string_view path, bool own_style_block) {
  std::u16string rule;
  if (own_style_block) AppendAscii(rule, "<STYLE TYPE=\"text/css\">\r\n");
  AppendAscii(rule, kBackgroundStart);
  rule.append(path);
  AppendAscii(rule, ")}\r\n");
  if (own_style_block) AppendAscii(rule, "</STYLE>\r\n");
  return rule;
}

bool IsHtmlText(std::u16string_view text) {
  size_t at = FindIgnoringCase(text, "</html>");
  return at != std::u16string_view::npos && at > 0;
}

std::string SaveTargetFor(std::string_view chosen) {
  std::string target(chosen);
  if (!EndsWithIgnoringCase(chosen, ".htm") && !EndsWithIgnoringCase(chosen, ".html")) target.append(".htm");
  return target;
}

}  // namespace tessarine
