#include "tests/fidelity/page_structure.h"

#include <algorithm>
#include <map>

#include "base/cp1251.h"
#include "tests/fidelity/page_text.h"

namespace tessarine::testing {

namespace {

bool IsSpace(char32_t c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0;
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return out;
}

int NumberAttribute(std::string_view tag, std::string_view name) {
  bool found = false;
  const std::string value = Attribute(tag, name, &found);
  const int n = found ? std::atoi(value.c_str()) : 1;
  return n > 1 ? n : 1;
}

// Words with the formats any of their characters has.
class WordCollector {
 public:
  WordCollector(WordRule is_word, PageStructure& out) : is_word_(is_word), out_(out) {}

  void Add(char32_t c, bool bold, bool italic, bool underline) {
    if (!is_word_(c)) {
      End();
      return;
    }
    AppendUtf8(word_, c);
    bold_ |= bold;
    italic_ |= italic;
    underline_ |= underline;
  }
  void End() {
    if (word_.empty()) return;
    if (bold_) out_.bold.insert(word_);
    if (italic_) out_.italic.insert(word_);
    if (underline_) out_.underline.insert(word_);
    word_.clear();
    bold_ = italic_ = underline_ = false;
  }

 private:
  WordRule is_word_;
  PageStructure& out_;
  std::string word_;
  bool bold_ = false, italic_ = false, underline_ = false;
};

// The first characters of a line, once the line has begun.
class LineStart {
 public:
  explicit LineStart(std::vector<std::string>& out) : out_(out) {}
  void Begin() {
    End();
    open_ = true;
  }
  void Add(char32_t c) {
    if (!open_ || (text_.empty() && IsSpace(c))) return;
    AppendUtf8(text_, c);
    if (++length_ == kLength) End();
  }
  void End() {
    if (open_ && !text_.empty()) out_.push_back(text_);
    open_ = false;
    text_.clear();
    length_ = 0;
  }

 private:
  static constexpr int kLength = 24;
  std::vector<std::string>& out_;
  bool open_ = false;
  std::string text_;
  int length_ = 0;
};

// The formats a tag's style attribute sets (font-weight:bold or 600 and above,
// font-style:italic, text-decoration:underline).
struct StyledElement {
  std::string name;
  bool bold = false, italic = false, underline = false;
};

StyledElement StyleOf(std::string_view tag, const std::string& name) {
  StyledElement e{name};
  bool found = false;
  std::string style = Lower(Attribute(tag, "style", &found));
  style.erase(std::remove(style.begin(), style.end(), ' '), style.end());
  for (std::string_view weight : {"font-weight:bold", "font-weight:bolder", "font-weight:600",
                                  "font-weight:700", "font-weight:800", "font-weight:900"}) {
    const size_t at = style.find(weight);
    if (at != std::string::npos && (at + weight.size() == style.size() || style[at + weight.size()] == ';')) {
      e.bold = true;
    }
  }
  e.italic = style.find("font-style:italic") != std::string::npos ||
             style.find("font-style:oblique") != std::string::npos;
  const size_t decoration = style.find("text-decoration:");
  e.underline =
      decoration != std::string::npos && style.find("underline", decoration) < style.find(';', decoration);
  return e;
}

// The tables open at a point of the page, as PageTables. The pages' column layout (exactly
// <table border=0 width=90%>) is no table of the document: a table in one of its cells stands
// where the layout stands.
class OpenTables {
 public:
  explicit OpenTables(std::vector<PageTable>& tables) : tables_(tables) {}

  void Open(std::string_view tag) {
    if (tag == "table border=0 width=90%") {
      open_.push_back({-1, false});
      return;
    }
    PageTable table;
    for (size_t k = open_.size(); k-- > 0;) {
      if (open_[k].index < 0) continue;
      if (open_[k].in_cell) {
        table.parent = open_[k].index;
        table.depth = tables_[table.parent].depth + 1;
      }
      break;
    }
    open_.push_back({static_cast<int>(tables_.size()), false});
    tables_.push_back(std::move(table));
  }
  void Close() {
    if (!open_.empty()) open_.pop_back();
  }
  void Row() {
    if (PageTable* table = Innermost()) {
      table->rows.emplace_back();
      open_.back().in_cell = false;
    }
  }
  void Cell(std::string_view tag) {
    if (PageTable* table = Innermost()) {
      if (table->rows.empty()) table->rows.emplace_back();  // a cell without <tr>
      table->rows.back().push_back({NumberAttribute(tag, "colspan"), NumberAttribute(tag, "rowspan"), {}});
      open_.back().in_cell = true;
    }
  }
  void CellEnd() {
    if (Innermost() != nullptr) open_.back().in_cell = false;
  }
  void Text(char32_t c) {
    PageTable* table = Innermost();
    if (table != nullptr && open_.back().in_cell) AppendUtf8(table->rows.back().back().text, c);
  }

 private:
  struct Level {
    int index;  // into tables_; -1 for a column layout
    bool in_cell;
  };
  // The innermost open table when it is no layout, else nullptr.
  PageTable* Innermost() {
    return open_.empty() || open_.back().index < 0 ? nullptr : &tables_[open_.back().index];
  }

  std::vector<PageTable>& tables_;
  std::vector<Level> open_;
};

struct Link {
  bool in_notes;
  std::string target;
  std::string own_anchor;  // in the text: the anchor with no text between it and the link;
                           // in the notes: the last anchor before the link (its note's)
};

}  // namespace

bool PageTable::HasRowspan() const {
  for (const auto& row : rows) {
    for (const PageCell& cell : row) {
      if (cell.rowspan > 1) return true;
    }
  }
  return false;
}

bool PageTable::HasColspan() const {
  for (const auto& row : rows) {
    for (const PageCell& cell : row) {
      if (cell.colspan > 1) return true;
    }
  }
  return false;
}

int PageStructure::TopLevelTables() const {
  return static_cast<int>(
      std::count_if(tables.begin(), tables.end(), [](const PageTable& t) { return t.depth == 1; }));
}

int PageStructure::NestedTables() const {
  return static_cast<int>(tables.size()) - TopLevelTables();
}

PageStructure ReadPageStructure(std::string_view page, WordRule is_word) {
  PageStructure out;
  const size_t body = page.find("<body");
  if (body == std::string_view::npos) return out;
  const size_t notes_start = page.rfind("<hr color=");

  std::vector<Link> links;
  std::map<std::string, bool> anchors;  // name -> after the notes' rule
  std::string last_anchor;              // the last anchor named
  bool text_since_anchor = false;
  OpenTables tables(out.tables);
  int bold = 0, italic = 0, underline = 0;  // open <b>, <i>, <u>
  bool link_underline = false;              // inside a link shown underlined
  std::vector<StyledElement> styled;        // open elements whose style formats
  bool styled_bold = false, styled_italic = false, styled_underline = false;
  WordCollector words(is_word, out);
  WordBreaks breaks;
  LineStart line(out.line_starts);

  size_t i = page.find('>', body);
  i = i == std::string_view::npos ? page.size() : i + 1;
  while (i < page.size()) {
    const bool in_notes = notes_start != std::string_view::npos && i >= notes_start;
    if (page[i] == '<') {
      if (page.substr(i, 4) == "<!--") {
        const size_t end = page.find("-->", i);
        i = end == std::string_view::npos ? page.size() : end + 3;
        continue;
      }
      const size_t close = page.find('>', i);
      if (close == std::string_view::npos) break;
      const std::string_view tag = page.substr(i + 1, close - i - 1);
      const std::string name = TagName(tag);
      i = close + 1;
      if (breaks.AtTag(tag)) {
        words.End();
        if (name != "sup" && name != "/sup") line.End();  // a note's number ends no line
      }
      if (StartsLine(name) && !in_notes) line.Begin();
      // Headings show bold, as browsers show them and the pages' stylesheets leave them.
      const bool heading = name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6';
      const bool heading_end = name.size() == 3 && name.starts_with("/h") && name[2] >= '1' && name[2] <= '6';
      if (name == "b" || name == "strong" || heading) ++bold;
      if ((name == "/b" || name == "/strong" || heading_end) && bold > 0) --bold;
      if (name == "i" || name == "em") ++italic;
      if ((name == "/i" || name == "/em") && italic > 0) --italic;
      if (name == "u") ++underline;
      if (name == "/u" && underline > 0) --underline;
      if (name == "a" || name == "/a") {
        // A link the page's stylesheet leaves underlined, as browsers show links; the notes'
        // links (classes sslk and ht) are not.
        bool has_href = false, has_class = false;
        Attribute(tag, "href", &has_href);
        Attribute(tag, "class", &has_class);
        link_underline = name == "a" && has_href && !has_class;
      }
      if (name == "img") ++out.images;
      if (name.starts_with('/') || name == "p" || name == "td" || name == "tr") {
        // Closes the nearest element of its name (a new paragraph or cell closes the last one).
        const std::string open = name.starts_with('/') ? name.substr(1) : name;
        for (size_t k = styled.size(); k-- > 0;) {
          if (styled[k].name == open) {
            styled.erase(styled.begin() + static_cast<long>(k), styled.end());
            break;
          }
        }
      }
      if (!name.empty() && !name.starts_with('/')) {
        StyledElement e = StyleOf(tag, name);
        if (e.bold || e.italic || e.underline) styled.push_back(std::move(e));
      }
      styled_bold = styled_italic = styled_underline = false;
      for (const StyledElement& e : styled) {
        styled_bold |= e.bold;
        styled_italic |= e.italic;
        styled_underline |= e.underline;
      }
      bool found = false;
      for (std::string_view attribute : {"name", "id"}) {
        const std::string anchor = Attribute(tag, attribute, &found);
        if (found && (attribute == "name" ? name == "a" : true)) {
          anchors.emplace(anchor, in_notes);
          last_anchor = anchor;
          text_since_anchor = false;
        }
      }
      if (name == "a") {
        const std::string href = Attribute(tag, "href", &found);
        if (found && href.starts_with('#')) {
          links.push_back({in_notes, href.substr(1), in_notes || !text_since_anchor ? last_anchor : ""});
        } else if (found) {
          out.external_targets.insert(href);
        }
      }
      if (name == "table") {
        tables.Open(tag);
      } else if (name == "/table") {
        tables.Close();
      } else if (name == "tr") {
        tables.Row();
      } else if (name == "td" || name == "th") {
        tables.Cell(tag);
      } else if (name == "/td" || name == "/th" || name == "/tr") {
        tables.CellEnd();
      }
      continue;
    }
    char32_t c = Cp1251ToUnicode(static_cast<unsigned char>(page[i]));
    size_t next = i + 1;
    if (page[i] == '&') {
      const char32_t decoded = ReferenceAt(page, i, &next);
      if (decoded != 0) c = decoded;
    }
    i = next;
    breaks.AtText();
    words.Add(c, bold > 0 || styled_bold, italic > 0 || styled_italic,
              underline > 0 || styled_underline || link_underline);
    line.Add(c);
    if (!IsSpace(c)) text_since_anchor = true;
    tables.Text(c);
  }
  words.End();
  line.End();

  // Pairs of links that reach each other: text -> note and that note's link back.
  std::set<std::pair<std::string, std::string>> back_links;  // (note's anchor, target)
  for (const Link& link : links) {
    auto it = anchors.find(link.target);
    if (it == anchors.end()) {
      ++out.broken_in_page_links;
    } else if (link.in_notes && !it->second) {
      back_links.insert({link.own_anchor, link.target});
    }
  }
  for (const Link& link : links) {
    auto it = anchors.find(link.target);
    if (link.in_notes || it == anchors.end() || !it->second || link.own_anchor.empty()) continue;
    if (back_links.count({link.target, link.own_anchor})) ++out.notes_linked_both_ways;
  }
  return out;
}

}  // namespace tessarine::testing
