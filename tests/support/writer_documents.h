// The documents of real writers (tests/data/writers/): which RTF files there are, and what each
// should hold, read from the expectation written beside its sources. Independent of any reader:
// the reader's tests and the page tests both check against it.
//
// An expectation (tests/data/writers/expected/<name>.txt, UTF-8) lists the document's blocks in
// order, one line each, followed by lines about the block before them:
//
//   h1: <text>, h2: <text>        a heading of that level
//   p: <text>                     a paragraph (inside a table: one more paragraph of the last cell)
//   item <level> <marker>: <text> a list item of level 1 to 3; marker "1.", "a)", "i." as shown,
//                                 "•" for any bullet (a marker without letters or digits)
//   table / row / end table       a table, its next row, its end; "table" while a cell is open
//                                 starts a table nested in that cell
//   cell [colspan=N] [rowspan=N]: <text>
//                                 the row's next cell; cells covered by a span have no line
//   columns N                     the blocks from here on are in a section of N columns
//
//   bold: <words>   (also italic, underline, strike, sup, sub)
//                                 the block's words in that format, in order; a word counts as
//                                 formatted when any of its characters is
//   font <name>: <words>, colour <rrggbb>: <words>
//   link <url>: <words>           the block's words inside a link to the web page <url>
//   locallink <name>: <words>     ... inside a link to the bookmark <name>
//   anchor <name>                 a bookmark <name> in the block
//   note: <text>, endnote: <text>, comment: <text>
//                                 a note of that kind whose mark is in the block
//   picture png|jpeg <w>x<h>      a picture in the block, its size in points
//   breaks N, tabs N              line breaks and tabs in the block
//   chars: <text>...              characters (outside the word rule) the block's text holds
//
// Per-writer exceptions, each with its reason after '#':
//   skip <writer>[,<writer>]: <check>...   those checks do not apply to the writer's document.
//       Checks are the line keywords above (h1 and h2 are "heading", item levels and markers are
//       "list", table structure is "table") and "markers": the writer shows no list markers, so
//       their words are not expected either (implies "list").
//   marker <writer> <marker> <shown>        the writer shows <marker> as <shown>.
//   [not <writers>] <line>                  the line is not part of those writers' documents.
//   [only <writers>] <line>                 the line is part of those writers' documents only.
//   [unchecked <writers>] <line>            the line is part of the document, its check is not
//                                           made for those writers (for "table": the table's
//                                           structure).
// '#' starts a comment, blank lines are ignored. Words are runs of letters and digits (Words()).
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine::testing {

// Every writer, in the order of tests/data/writers/<writer>/. The first six made every document
// of the prose sources (those with a .fodt); the others are optional
// (scripts/make-writer-documents.sh leaves out what does not install) or write some sources only.
inline constexpr std::array<std::string_view, 15> kWriters = {
    "lo-fodt",  "lo-docx",  "lo-html",   "abiword",         "pandoc", "swing",       "latex2rtf", "enscript",
    "openjade", "fop",      "pygments",  "highlight",       "wvrtf",  "html-to-rtf", "rtf-writer-perl"};
inline constexpr size_t kRequiredWriters = 6;

struct WriterDocument {
  std::string writer;  // a name of kWriters
  std::string name;    // the source's name, e.g. "garden_ru"
  std::filesystem::path rtf;
  std::filesystem::path expectation;
};

// Every <writer>/<name>.rtf under `writers_dir` that has expected/<name>.txt, by writer then name.
// A writer whose documents differ from their sources throughout (one that moves notes to the end
// as text, adds a table of contents, writes no paragraphs) has expected/<name>.<writer>.txt, the
// document as that writer writes it, instead.
inline std::vector<WriterDocument> WriterDocuments(const std::filesystem::path& writers_dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(writers_dir / "expected", ec)) {
    const std::string stem = entry.path().stem().string();
    if (entry.path().extension() == ".txt" && stem.find('.') == std::string::npos) names.push_back(stem);
  }
  std::sort(names.begin(), names.end());
  std::vector<WriterDocument> documents;
  for (std::string_view writer : kWriters) {
    for (const std::string& name : names) {
      std::filesystem::path rtf = writers_dir / writer / (name + ".rtf");
      if (!std::filesystem::exists(rtf, ec)) continue;
      std::filesystem::path own = writers_dir / "expected" / (name + "." + std::string(writer) + ".txt");
      documents.push_back({std::string(writer), name, rtf,
                           std::filesystem::exists(own, ec) ? own : writers_dir / "expected" / (name + ".txt")});
    }
  }
  return documents;
}

// Decodes the UTF-8 character at `*i` and moves past it; a bad byte reads as U+FFFD.
inline char32_t NextCodePoint(std::string_view s, size_t* i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = byte(*i);
  size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || *i + n > s.size()) {
    ++*i;
    return 0xFFFD;
  }
  char32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
  for (size_t k = 1; k < n; ++k) {
    if ((byte(*i + k) & 0xC0) != 0x80) {
      ++*i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (byte(*i + k) & 0x3F);
  }
  *i += n;
  return cp;
}

// True for a letter or digit: ASCII ones, and every other character but Latin-1 punctuation and
// signs, the punctuation, symbol, arrow and box blocks (U+2000–U+2BFF), CJK punctuation, private
// use (symbol-font bullets) and the replacement character.
inline bool IsWordChar(char32_t c) {
  if (c < 0x80) return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c <= 0xBF || c == 0xD7 || c == 0xF7) return false;
  if (c >= 0x2000 && c <= 0x2BFF) return false;
  if (c >= 0x3000 && c <= 0x303F) return false;
  if (c >= 0xE000 && c <= 0xF8FF) return false;
  if (c >= 0xFE00 && c <= 0xFE0F) return false;
  if (c >= 0xFF00 && c <= 0xFF0F) return false;
  return c != 0xFFFD && c != 0xFEFF;
}

// The words of a UTF-8 text, in order.
inline std::vector<std::string> Words(std::string_view utf8) {
  std::vector<std::string> words;
  std::string word;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t start = i;
    if (IsWordChar(NextCodePoint(utf8, &i))) {
      word.append(utf8.substr(start, i - start));
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

enum class BlockKind : uint8_t { kParagraph, kHeading, kItem, kCell };

// A line about a block: "bold: ...", "link <url>: ...", "anchor <name>", "picture png 48x36" ...
struct BlockFact {
  std::string check;     // the keyword: "bold", "font", "link", "note", "picture", "breaks" ...
  std::string argument;  // "<url>", "<name>", "png 48x36", "2"; empty for the format checks
  std::string text;      // the text after ':'
  bool checked = true;   // false when the writer is exempt ("skip", "[unchecked]")
};

struct ExpectedBlock {
  BlockKind kind = BlockKind::kParagraph;
  int heading = 0;     // 1 or 2 for h1 and h2
  int list_level = 0;  // 1 to 3 for items
  std::string marker;  // items: the marker the writer shows ("•" for any bullet)
  std::string text;
  int table = -1;   // the innermost table (index into Expectation::tables) holding the block
  int columns = 0;  // N after "columns N" (for the first block after it only), else 0
  bool heading_checked = true;
  bool list_checked = true;
  bool marker_words = true;  // the marker's words are among the document's words
  std::vector<BlockFact> facts;

  std::vector<std::string> WordsOfBlock() const {
    std::vector<std::string> words = marker_words ? Words(marker) : std::vector<std::string>{};
    for (std::string& w : Words(text)) words.push_back(std::move(w));
    return words;
  }
};

struct ExpectedCell {
  int colspan = 1;
  int rowspan = 1;
  std::vector<size_t> blocks;  // the cell's own blocks (not those of nested tables)
};

struct ExpectedTable {
  int parent = -1;  // the table whose cell holds this one
  int depth = 1;    // 1 for a table in the body
  bool checked = true;
  std::vector<std::vector<ExpectedCell>> rows;
};

struct Expectation {
  std::vector<ExpectedBlock> blocks;  // in document order
  std::vector<ExpectedTable> tables;  // in the order their "table" lines come
  std::set<std::string> skipped;      // checks that do not apply to the whole document
  std::vector<std::string> errors;    // lines that could not be read
};

namespace writer_documents_detail {

inline std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

inline std::vector<std::string> Split(std::string_view s, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= s.size()) {
    size_t end = s.find(separator, start);
    if (end == std::string_view::npos) end = s.size();
    std::string_view part = Trim(s.substr(start, end - start));
    if (!part.empty()) parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

inline bool Lists(const std::vector<std::string>& writers, std::string_view writer) {
  return std::find(writers.begin(), writers.end(), writer) != writers.end();
}

}  // namespace writer_documents_detail

// Reads an expectation as it applies to `writer`. Lines that cannot be read are listed in
// `errors` (a test should fail on them); everything else is kept.
inline Expectation ParseExpectation(std::string_view text, std::string_view writer) {
  using namespace writer_documents_detail;
  Expectation e;
  std::map<std::string, std::string> markers;
  std::vector<int> open_tables;  // the tables whose "end table" has not come
  std::vector<int> open_cells;   // per open table: 1 while one of its cells is open
  int pending_columns = 0;
  std::istringstream lines{std::string(text)};
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    std::string_view line = raw;
    if (size_t hash = line.find(" #"); hash != std::string_view::npos) line = line.substr(0, hash);
    line = Trim(line);
    if (line.empty() || line.front() == '#') continue;
    auto error = [&](std::string_view what) {
      e.errors.push_back("line " + std::to_string(number) + ": " + std::string(what) + ": " + raw);
    };
    bool checked = true;
    if (line.front() == '[') {
      size_t close = line.find(']');
      if (close == std::string_view::npos) {
        error("no ]");
        continue;
      }
      std::string_view filter = line.substr(1, close - 1);
      size_t space = filter.find(' ');
      std::string_view how = filter.substr(0, space);
      std::vector<std::string> writers =
          Split(space == std::string_view::npos ? "" : filter.substr(space + 1), ',');
      line = Trim(line.substr(close + 1));
      bool listed = Lists(writers, writer);
      if (how == "not") {
        if (listed) continue;
      } else if (how == "only") {
        if (!listed) continue;
      } else if (how == "unchecked") {
        checked = !listed;
      } else {
        error("unknown filter");
        continue;
      }
    }
    // The text starts after the first ": " (a URL's "https:" is no separator), or a final ':'.
    size_t colon = line.find(": ");
    if (colon == std::string_view::npos && !line.empty() && line.back() == ':') colon = line.size() - 1;
    std::string_view head = Trim(line.substr(0, colon));
    std::string_view body = colon == std::string_view::npos ? "" : Trim(line.substr(colon + 1));
    size_t space = head.find(' ');
    std::string keyword(head.substr(0, space));
    std::string_view argument = space == std::string_view::npos ? "" : Trim(head.substr(space + 1));

    if (keyword == "skip") {
      if (Lists(Split(argument, ','), writer)) {
        for (std::string& check : Split(body, ' ')) e.skipped.insert(check);
      }
      continue;
    }
    if (keyword == "marker") {
      std::vector<std::string> parts = Split(line, ' ');
      if (parts.size() != 4) {
        error("marker <writer> <marker> <shown>");
      } else if (parts[1] == writer) {
        markers[parts[2]] = parts[3];
      }
      continue;
    }
    if (keyword == "columns") {
      pending_columns = std::atoi(std::string(argument).c_str());
      continue;
    }
    if (keyword == "table") {
      ExpectedTable table;
      table.checked = checked;
      if (!open_tables.empty()) {
        if (!open_cells.back() || e.tables[open_tables.back()].rows.empty()) {
          error("a nested table outside a cell");
          continue;
        }
        table.parent = open_tables.back();
        table.depth = e.tables[table.parent].depth + 1;
      }
      open_tables.push_back(static_cast<int>(e.tables.size()));
      open_cells.push_back(0);
      e.tables.push_back(table);
      continue;
    }
    if (keyword == "end") {
      if (open_tables.empty()) {
        error("end without table");
      } else {
        open_tables.pop_back();
        open_cells.pop_back();
      }
      continue;
    }
    if (keyword == "row") {
      if (open_tables.empty()) {
        error("row outside a table");
      } else {
        e.tables[open_tables.back()].rows.emplace_back();
        open_cells.back() = 0;
      }
      continue;
    }

    ExpectedBlock block;
    block.text = std::string(body);
    block.heading_checked = checked;
    block.list_checked = checked;
    if (keyword == "h1" || keyword == "h2") {
      block.kind = BlockKind::kHeading;
      block.heading = keyword[1] - '0';
    } else if (keyword == "p") {
      block.kind = BlockKind::kParagraph;
    } else if (keyword == "item") {
      std::vector<std::string> parts = Split(argument, ' ');
      if (parts.size() != 2) {
        error("item <level> <marker>");
        continue;
      }
      block.kind = BlockKind::kItem;
      block.list_level = std::atoi(parts[0].c_str());
      block.marker = markers.count(parts[1]) ? markers[parts[1]] : parts[1];
    } else if (keyword == "cell") {
      if (open_tables.empty() || e.tables[open_tables.back()].rows.empty()) {
        error("cell outside a row");
        continue;
      }
      block.kind = BlockKind::kCell;
      ExpectedCell cell;
      for (const std::string& span : Split(argument, ' ')) {
        if (span.rfind("colspan=", 0) == 0)
          cell.colspan = std::atoi(span.c_str() + 8);
        else if (span.rfind("rowspan=", 0) == 0)
          cell.rowspan = std::atoi(span.c_str() + 8);
        else
          error("unknown cell attribute");
      }
      e.tables[open_tables.back()].rows.back().push_back(cell);
      open_cells.back() = 1;
    } else {
      // A fact about the block before.
      if (e.blocks.empty()) {
        error("a fact before any block");
        continue;
      }
      static constexpr std::string_view kFacts[] = {
          "bold",      "italic", "underline", "strike",  "sup",     "sub",     "font",   "colour", "link",
          "locallink", "anchor", "note",      "endnote", "comment", "picture", "breaks", "tabs",   "chars"};
      if (std::find(std::begin(kFacts), std::end(kFacts), keyword) == std::end(kFacts)) {
        error("unknown line");
        continue;
      }
      BlockFact fact{keyword, std::string(argument), std::string(body), checked && !e.skipped.count(keyword)};
      e.blocks.back().facts.push_back(std::move(fact));
      continue;
    }
    if (!open_tables.empty()) {
      block.table = open_tables.back();
      ExpectedTable& table = e.tables[block.table];
      if (block.kind != BlockKind::kCell && (!open_cells.back() || table.rows.empty())) {
        error("a block inside a table but outside a cell");
        continue;
      }
      table.rows.back().back().blocks.push_back(e.blocks.size());
    }
    block.columns = pending_columns;
    pending_columns = 0;
    e.blocks.push_back(std::move(block));
  }
  if (!open_tables.empty()) e.errors.push_back("a table without its end");

  // Document-wide exemptions apply to every line, whichever came first.
  bool no_markers = e.skipped.count("markers") > 0;
  if (no_markers) e.skipped.insert("list");
  for (ExpectedBlock& block : e.blocks) {
    if (e.skipped.count("heading")) block.heading_checked = false;
    if (e.skipped.count("list")) block.list_checked = false;
    block.marker_words = !no_markers;
    for (BlockFact& fact : block.facts) {
      if (e.skipped.count(fact.check)) fact.checked = false;
    }
  }
  if (e.skipped.count("table")) {
    for (ExpectedTable& table : e.tables) table.checked = false;
  }
  return e;
}

// Reads and parses the expectation file of `document`; a missing file gives an error.
inline Expectation LoadExpectation(const WriterDocument& document) {
  std::ifstream in(document.expectation, std::ios::binary);
  if (!in) {
    Expectation e;
    e.errors.push_back("cannot read " + document.expectation.string());
    return e;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseExpectation(text, document.writer);
}

}  // namespace tessarine::testing
