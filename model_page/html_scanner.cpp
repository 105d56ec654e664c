#include "model_page/html_scanner.h"

namespace tessarine {

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

void HtmlScanner::Next(HtmlToken& token) {
  token.attributes.clear();
  token.name = {};
  token.self_closing = false;
  token.complete = true;
  const size_t n = html_.size();
  if (at_ >= n) {
    token.kind = HtmlTokenKind::kEnd;
    token.text = {};
    return;
  }
  const size_t start = at_;
  if (html_[at_] == '<' && at_ + 1 < n) {
    const char next = html_[at_ + 1];
    if (IsLetter(next)) {
      token.kind = HtmlTokenKind::kStartTag;
      ReadTag(token, at_ + 1);
      token.text = html_.substr(start, at_ - start);
      return;
    }
    if (next == '/' && at_ + 2 < n && IsLetter(html_[at_ + 2])) {
      token.kind = HtmlTokenKind::kEndTag;
      ReadTag(token, at_ + 2);
      token.text = html_.substr(start, at_ - start);
      return;
    }
    if (next == '!' || next == '?' || next == '/') {
      token.kind = HtmlTokenKind::kDeclaration;
      const bool comment = html_.substr(at_, 4) == "<!--";
      size_t end = comment ? html_.find("-->", at_ + 2) : html_.find('>', at_ + 2);
      if (end == std::string_view::npos) {
        token.complete = false;
        at_ = n;
      } else {
        at_ = end + (comment ? 3 : 1);
      }
      token.text = html_.substr(start, at_ - start);
      return;
    }
  }
  // Text up to the next "<" that starts a tag or declaration.
  token.kind = HtmlTokenKind::kText;
  size_t p = at_ + 1;
  for (;;) {
    p = html_.find('<', p);
    if (p == std::string_view::npos || p + 1 >= n) {
      p = n;
      break;
    }
    const char next = html_[p + 1];
    if (IsLetter(next) || next == '/' || next == '!' || next == '?') break;
    ++p;
  }
  at_ = p;
  token.text = html_.substr(start, at_ - start);
}

void HtmlScanner::ReadTag(HtmlToken& token, size_t name_start) {
  const size_t n = html_.size();
  size_t p = name_start;
  while (p < n && !IsSpace(html_[p]) && html_[p] != '/' && html_[p] != '>') ++p;
  token.name = html_.substr(name_start, p - name_start);
  for (;;) {
    bool slash = false;
    while (p < n && (IsSpace(html_[p]) || html_[p] == '/')) slash = html_[p++] == '/';
    if (p >= n) {
      token.complete = false;
      break;
    }
    if (html_[p] == '>') {
      token.self_closing = slash;
      ++p;
      break;
    }
    // An attribute: its name (an "=" in front counts as part of it), then maybe "=" and a value.
    const size_t attribute_start = p++;
    while (p < n && !IsSpace(html_[p]) && html_[p] != '/' && html_[p] != '>' && html_[p] != '=') ++p;
    HtmlAttribute attribute{html_.substr(attribute_start, p - attribute_start), {}};
    size_t q = p;
    while (q < n && IsSpace(html_[q])) ++q;
    if (q < n && html_[q] == '=') {
      ++q;
      while (q < n && IsSpace(html_[q])) ++q;
      if (q < n && (html_[q] == '"' || html_[q] == '\'')) {
        const size_t close = QuotedValueEnd(
            q, style_quotes_ == StyleQuotes::kOutlook && EqualsIgnoringCase(attribute.name, "style"));
        if (close == std::string_view::npos) {
          token.complete = false;
          p = n;
          break;
        }
        attribute.value = html_.substr(q + 1, close - q - 1);
        p = close + 1;
      } else {
        const size_t value_start = q;
        while (q < n && !IsSpace(html_[q]) && html_[q] != '>') ++q;
        attribute.value = html_.substr(value_start, q - value_start);
        p = q;
      }
    }
    token.attributes.push_back(attribute);
  }
  at_ = p;
}

size_t HtmlScanner::QuotedValueEnd(size_t open, bool style) {
  const char quote = html_[open];
  const size_t first = html_.find(quote, open + 1);
  if (!style || first == std::string_view::npos) return first;
  if (next_tag_end_ != std::string_view::npos && next_tag_end_ <= open) {
    next_tag_end_ = html_.find('>', open + 1);
  }
  const size_t limit = next_tag_end_ == std::string_view::npos ? html_.size() : next_tag_end_;
  // At most a few quoted names in one value: each byte is looked at a bounded number of times.
  constexpr int kMostQuotes = 16;
  size_t p = first;
  for (int count = 1; count <= kMostQuotes && p != std::string_view::npos && p < limit; ++count) {
    const size_t after = p + 1;
    if (count % 2 == 1 &&
        (after == html_.size() || IsSpace(html_[after]) || html_[after] == '/' || html_[after] == '>')) {
      return p;
    }
    p = html_.find(quote, after);
  }
  return first;
}

std::string_view HtmlScanner::SkipRawText(std::string_view name) {
  const size_t n = html_.size();
  const size_t start = at_;
  size_t p = at_;
  for (;;) {
    p = html_.find("</", p);
    if (p == std::string_view::npos) {
      at_ = n;
      return html_.substr(start);
    }
    const size_t after = p + 2 + name.size();
    if (after <= n && EqualsIgnoringCase(html_.substr(p + 2, name.size()), name) &&
        (after == n || IsSpace(html_[after]) || html_[after] == '/' || html_[after] == '>')) {
      const size_t close = html_.find('>', after);
      at_ = close == std::string_view::npos ? n : close + 1;
      return html_.substr(start, p - start);
    }
    p += 2;
  }
}

}  // namespace tessarine
