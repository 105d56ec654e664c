#include "choice/words.h"

#include <algorithm>
#include <string>
#include <utility>

#include "base/cp1251.h"
#include "page/link_target.h"

namespace tessarine {

namespace {

// The tags that start a new line of a page's layout.
bool EndsWord(std::string_view tag) {
  if (tag.starts_with('/')) tag.remove_prefix(1);
  char name[8];
  size_t n = 0;
  for (; n < tag.size() && n < sizeof name; ++n) {
    const char ch = tag[n];
    if (ch >= 'A' && ch <= 'Z') {
      name[n] = static_cast<char>(ch + 0x20);
    } else if ((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) {
      name[n] = ch;
    } else {
      break;
    }
  }
  const std::string_view lower(name, n);
  static constexpr std::string_view kBreaking[] = {"p",   "br", "td", "th",  "tr", "table", "h1",
                                                   "h2",  "h3", "h4", "h5",  "h6", "hr",    "li",
                                                   "div", "ul", "ol", "sup", "sub"};
  for (std::string_view b : kBreaking) {
    if (lower == b) return true;
  }
  return false;
}

// The character the entity or numeric reference at `i` (an '&') stands for, with its end in
// `end`; 0 when none that pages use stands there. Looks at a few characters only, so a page
// full of bare '&' costs no more than any other text.
char32_t DecodeEntity(std::string_view page, size_t i, size_t* end) {
  const std::string_view rest = page.substr(i, 8);
  for (const auto& [entity, c] : {std::pair{std::string_view("&lt;"), U'<'},
                                  {"&gt;", U'>'},
                                  {"&amp;", U'&'},
                                  {"&quot;", U'"'},
                                  {"&nbsp;", U' '}}) {
    if (rest.starts_with(entity)) {
      *end = i + entity.size();
      return c;
    }
  }
  unsigned long value = 0;
  const size_t length = NumericReferenceLength(page.substr(i, 12), value);
  if (length == 0 || value == 0 || value > 0x10FFFF) return 0;
  *end = i + length;
  return static_cast<char32_t>(value);
}

void AddBlocks(const std::vector<model::Block>& blocks, WordSet& words);

void AddParagraph(const model::Paragraph& paragraph, WordSet& words) {
  words.AddText(paragraph.format.list_marker);
  words.Break();
  model::Baseline baseline = model::Baseline::kNormal;
  for (const model::Inline& item : paragraph.inlines) {
    if (item.kind == model::InlineKind::kText) {
      if (item.format.baseline != baseline) words.Break();
      baseline = item.format.baseline;
      words.AddText(item.text);
    } else if (item.kind == model::InlineKind::kTab || item.kind == model::InlineKind::kLineBreak ||
               item.kind == model::InlineKind::kNoteMark || item.kind == model::InlineKind::kPicture) {
      words.Break();
    }
  }
  words.Break();
}

// Tables nest at most kMaxTableDepth deep, so the recursion is bounded.
void AddBlocks(const std::vector<model::Block>& blocks, WordSet& words) {
  for (const model::Block& block : blocks) {
    if (const auto* paragraph = std::get_if<model::Paragraph>(&block.content)) {
      AddParagraph(*paragraph, words);
    } else if (const auto* table = std::get_if<model::Table>(&block.content)) {
      for (const model::Row& row : table->rows) {
        for (const model::Cell& cell : row.cells) AddBlocks(cell.blocks, words);
      }
    }
  }
}

}  // namespace

void AddPageWords(std::string_view page, WordSet& words) {
  const size_t body = page.find("<body");
  if (body == std::string_view::npos) return;
  size_t end = page.rfind("</body>");
  if (end == std::string_view::npos || end < body) end = page.size();
  size_t i = page.find('>', body);
  i = i == std::string_view::npos ? end : i + 1;
  while (i < end) {
    const char c = page[i];
    if (c == '<') {
      const size_t close = page.find('>', i);
      if (close == std::string_view::npos) break;
      if (EndsWord(page.substr(i + 1, close - i - 1))) words.Break();
      i = close + 1;
    } else if (c == '&') {
      size_t after = i + 1;
      const char32_t decoded = DecodeEntity(page, i, &after);
      words.Add(decoded == 0 ? U'&' : decoded);
      i = decoded == 0 ? i + 1 : after;
    } else {
      const auto b = static_cast<unsigned char>(c);
      if (b >= 0xC0) {  // Cyrillic А to я, folded: U+0430 to U+044F in UTF-8
        const unsigned lower = 0x430 + ((b - 0xC0) & 0x1F);
        words.Append(static_cast<char>(0xC0 | (lower >> 6)));
        words.Append(static_cast<char>(0x80 | (lower & 0x3F)));
      } else if ((b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')) {
        words.Append(c);
      } else if (b >= 'A' && b <= 'Z') {
        words.Append(static_cast<char>(b + 0x20));
      } else {
        words.Add(Cp1251ToUnicode(b));
      }
      ++i;
    }
  }
  words.Break();
}

void AddDocumentWords(const model::Document& document, WordSet& words) {
  AddBlocks(document.body, words);
  for (const model::Note& note : document.notes) AddBlocks(note.blocks, words);
  words.Break();
}

}  // namespace tessarine
