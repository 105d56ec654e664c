#include "passes/tables/column_layout.h"

#include <algorithm>

#include "base/line_break.h"
#include "passes/scan/scan.h"

namespace tessarine {

namespace {

// The 1-based position of the last `open` in `done` when it comes after the last `close`
// (the element is open at the end of `done`), otherwise -1.
long OpenAt(std::string_view done, std::string_view open, std::string_view close) {
  const long o = LastIndexOf(done, open);
  return o > LastIndexOf(done, close) ? o : -1;
}

// The whole opening tag that starts at 1-based `at`: through its first ">", or to the end.
std::string TagAt(std::string_view done, long at) {
  std::string_view tag = CopyFrom(done, at);
  const long gt = Pos(">", tag);
  return std::string(gt > 0 ? CopyLeft(tag, gt) : tag);
}

void Move(std::string& rest, size_t count, std::string& done) {
  count = std::min(count, rest.size());
  done.append(rest, 0, count);
  rest.erase(0, count);
}

// Whether the tag that starts at `html[at]` ("<") is one of the elements a cut balances.
bool IsBalancedTag(std::string_view html, size_t at) {
  size_t i = at + 1;
  if (i < html.size() && html[i] == '/') ++i;
  size_t end = i;
  while (end < html.size() && html[end] >= 'a' && html[end] <= 'z') ++end;
  if (end >= html.size() || (html[end] != '>' && html[end] != ' ')) return false;
  const std::string_view name = html.substr(i, end - i);
  return name == "p" || name == "span" || name == "b" || name == "i" || name == "u";
}

}  // namespace

bool HasContent(std::string_view html) {
  size_t i = 0;
  while (i < html.size()) {
    const char c = html[i];
    if (c == '<') {
      if (!IsBalancedTag(html, i)) return true;
      const size_t close = html.find('>', i);
      if (close == std::string_view::npos) return true;  // a cut-off tag is shown as text
      i = close + 1;
    } else if (c == ' ' || c == '\r' || c == '\n') {
      ++i;
    } else {
      return true;
    }
  }
  return false;
}

void BalanceTagsAtCut(std::string& done, std::string& rest) {
  const long p = OpenAt(done, "<p", "</p");
  const long span = OpenAt(done, "<span", "</span");
  const bool b = OpenAt(done, "<b>", "</b") > 0;
  const bool i = OpenAt(done, "<i>", "</i") > 0;
  const bool u = OpenAt(done, "<u>", "</u") > 0;
  const std::string p_tag = p > 0 ? TagAt(done, p) : std::string();
  const std::string span_tag = span > 0 ? TagAt(done, span) : std::string();
  std::string reopen;
  if (span > 0) done.append("</span>").append(kLineBreak);
  if (u) done.append("</u>");
  if (i) done.append("</i>");
  if (b) done.append("</b>");
  if (p > 0) {
    done.append("</p>").append(kLineBreak);
    reopen.append(p_tag);
  }
  if (b) reopen.append("<b>");
  if (i) reopen.append("<i>");
  if (u) reopen.append("<u>");
  reopen.append(span_tag);
  rest.insert(0, reopen);
}

void AppendColumns(std::string_view html, int columns, std::string& out) {
  const size_t piece = html.size() / static_cast<size_t>(columns) + 25;
  const std::string width = std::to_string(100 / columns);
  std::string rest(html);
  std::string done;
  for (int k = 1; k < columns; ++k) {
    Move(rest, piece - 1, done);
    // The cut moves on to a point between tags: after the next space when it comes before the
    // next "<", else before that "<"; inside a tag, after its ">".
    const std::string_view window = std::string_view(rest).substr(0, std::min(piece - 1, rest.size()));
    const size_t s = window.find(' ');
    const size_t l = window.find('<');
    const size_t g = window.find('>');
    if (l != std::string_view::npos && (g == std::string_view::npos || g > l)) {
      if (s != std::string_view::npos && s < l) {
        if (s == 0) {
          rest.erase(0, 1);
        } else {
          Move(rest, s + 1, done);
        }
      } else {
        Move(rest, l, done);
      }
    } else if (g != std::string_view::npos) {
      Move(rest, g + 1, done);
    }
    BalanceTagsAtCut(done, rest);
    done.append("</td>").append(kLineBreak).append("<td width=").append(width).append("%>");
  }
  out.append("<table border=0 width=90%>").append(kLineBreak).append("<tr>").append(kLineBreak);
  out.append("<td width=").append(width).append("%>").append(done).append(rest).append("</td>");
  out.append(kLineBreak).append("</tr></table>").append(kLineBreak);
}

}  // namespace tessarine
