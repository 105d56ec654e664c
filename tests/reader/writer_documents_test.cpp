// The reader on documents of real writers (tests/data/writers/): every writer's RTF of every
// source document is read and compared with the expectation written with the source — every word
// in order, headings, formatted words, list items, tables and their spans, notes and their marks,
// links, bookmarks, pictures and columns. Each failure names the writer, the document and the
// check, so a writer/construct pair that fails is plain from the message.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "model/document.h"
#include "model/plain_text.h"
#include "reader/read_rtf.h"
#include "tests/support/paths.h"
#include "tests/support/writer_documents.h"

namespace tessarine {
namespace {

using testing::BlockFact;
using testing::BlockKind;
using testing::Expectation;
using testing::ExpectedBlock;
using testing::ExpectedTable;
using testing::WriterDocument;

std::filesystem::path WritersDir() {
  return testing::DataDir() / "writers";
}

// ---------------------------------------------------------------------------------------------
// The model's body as words, each with what the checks ask of it.

struct ModelWord {
  std::string text;
  size_t paragraph = 0;  // index into ModelView::paragraphs
  bool bold = false, italic = false, underline = false, strike = false, sup = false, sub = false;
  std::string font;  // the font of the word's first character
  model::Colour colour = model::kNoColour;
  std::string link;  // the target of the link around the word's first character
  bool local_link = false;
};

struct ModelParagraph {
  const model::Paragraph* paragraph = nullptr;
  int columns = 1;                          // of the section it is in
  std::vector<const model::Table*> tables;  // the tables holding it, outermost first
  std::string text;                         // its text, markers and all
};

struct ModelView {
  std::vector<ModelWord> words;
  std::vector<ModelParagraph> paragraphs;
};

class ModelWalker {
 public:
  explicit ModelWalker(const model::Document& document) : document_(document) {}

  ModelView Walk() {
    if (!document_.body.empty() &&
        std::holds_alternative<model::SectionBreak>(document_.body.front().content)) {
      columns_ = std::get<model::SectionBreak>(document_.body.front().content).columns;
    }
    WalkBlocks(document_.body);
    return std::move(view_);
  }

 private:
  void WalkBlocks(const std::vector<model::Block>& blocks) {
    for (const model::Block& block : blocks) {
      if (const auto* paragraph = std::get_if<model::Paragraph>(&block.content)) {
        WalkParagraph(*paragraph);
      } else if (const auto* table = std::get_if<model::Table>(&block.content)) {
        tables_.push_back(table);
        for (const model::Row& row : table->rows) {
          for (const model::Cell& cell : row.cells) WalkBlocks(cell.blocks);
        }
        tables_.pop_back();
      } else if (const auto* section = std::get_if<model::SectionBreak>(&block.content)) {
        if (tables_.empty()) columns_ = section->columns;
      }
    }
  }

  void WalkParagraph(const model::Paragraph& paragraph) {
    size_t index = view_.paragraphs.size();
    view_.paragraphs.push_back({&paragraph, columns_, tables_, {}});
    std::string& text = view_.paragraphs.back().text;
    EndWord();
    model::CharFormat plain;
    Append(paragraph.format.list_marker, plain, index, text);
    EndWord();
    link_.clear();
    local_link_ = false;
    for (const model::Inline& item : paragraph.inlines) {
      switch (item.kind) {
        case model::InlineKind::kText:
          Append(item.text, item.format, index, text);
          break;
        case model::InlineKind::kTab:
        case model::InlineKind::kLineBreak:
          text.push_back(item.kind == model::InlineKind::kTab ? '\t' : '\n');
          EndWord();
          break;
        case model::InlineKind::kLinkStart:
          link_ = item.text;
          local_link_ = item.local;
          break;
        case model::InlineKind::kLinkEnd:
          link_.clear();
          local_link_ = false;
          break;
        default:
          break;
      }
    }
    EndWord();
  }

  // Adds the characters of `utf8` in `format` to the paragraph's text and words.
  void Append(std::string_view utf8, const model::CharFormat& format, size_t paragraph, std::string& text) {
    text.append(utf8);
    size_t i = 0;
    while (i < utf8.size()) {
      size_t start = i;
      if (!testing::IsWordChar(testing::NextCodePoint(utf8, &i))) {
        EndWord();
        continue;
      }
      if (!in_word_) {
        in_word_ = true;
        ModelWord word;
        word.paragraph = paragraph;
        if (format.font >= 0 && static_cast<size_t>(format.font) < document_.fonts.size()) {
          word.font = document_.fonts[format.font];
        }
        word.colour = format.colour;
        word.link = link_;
        word.local_link = local_link_;
        view_.words.push_back(std::move(word));
      }
      ModelWord& word = view_.words.back();
      word.text.append(utf8.substr(start, i - start));
      word.bold |= format.bold;
      word.italic |= format.italic;
      word.underline |= format.underline;
      word.strike |= format.strike;
      word.sup |= format.baseline == model::Baseline::kSuperscript;
      word.sub |= format.baseline == model::Baseline::kSubscript;
    }
  }

  void EndWord() { in_word_ = false; }

  const model::Document& document_;
  ModelView view_;
  std::vector<const model::Table*> tables_;
  int columns_ = 1;
  bool in_word_ = false;
  std::string link_;
  bool local_link_ = false;
};

std::vector<std::string> WordsOfBlocks(const std::vector<model::Block>& blocks) {
  model::Document document;
  document.body = blocks;
  std::string text;
  model::AppendPlainText(document, model::WithNotes::kNo, text);
  return testing::Words(text);
}

// ---------------------------------------------------------------------------------------------
// Aligning the expected words with the model's: a longest common subsequence, so that one lost or
// extra word does not move every later check off its block.

// For each expected word, the index of the model word it matches, or -1.
std::vector<int> Align(const std::vector<std::string>& expected, const std::vector<std::string>& found) {
  const size_t n = expected.size(), m = found.size();
  std::vector<std::vector<uint16_t>> lcs(n + 1, std::vector<uint16_t>(m + 1, 0));
  for (size_t i = n; i-- > 0;) {
    for (size_t j = m; j-- > 0;) {
      lcs[i][j] = expected[i] == found[j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    }
  }
  std::vector<int> match(n, -1);
  size_t i = 0, j = 0;
  while (i < n && j < m) {
    if (expected[i] == found[j]) {
      match[i++] = static_cast<int>(j++);
    } else if (lcs[i + 1][j] >= lcs[i][j + 1]) {
      ++i;
    } else {
      ++j;
    }
  }
  return match;
}

std::string Join(const std::vector<std::string>& words, size_t from = 0, size_t to = SIZE_MAX) {
  std::string out;
  for (size_t i = from; i < std::min(to, words.size()); ++i) {
    if (!out.empty()) out.push_back(' ');
    out.append(words[i]);
  }
  return out;
}

// Where the sequences first differ, with a few words of context on each side.
std::string FirstDifference(const std::vector<std::string>& expected, const std::vector<std::string>& found) {
  size_t i = 0;
  while (i < expected.size() && i < found.size() && expected[i] == found[i]) ++i;
  size_t from = i > 4 ? i - 4 : 0;
  return "first difference at word " + std::to_string(i) + ": expected \"" + Join(expected, from, i + 6) +
         "\", found \"" + Join(found, from, i + 6) + "\"";
}

std::string ColourName(model::Colour colour) {
  if (colour == model::kNoColour) return "auto";
  char hex[16];
  std::snprintf(hex, sizeof hex, "%06x", static_cast<unsigned>(colour));
  return hex;
}

// ---------------------------------------------------------------------------------------------
// Checks known to fail on a writer's document, with why: each should go once the reader handles
// what the writer wrote. A known check that passes fails the test, so the list stays true.

struct KnownFailure {
  const char* document;  // writer/name
  const char* check;     // "words", "list", "note" ...
  const char* reason;
};

constexpr KnownFailure kKnownFailures[] = {
    {"rtf-writer-perl/garden_ru", "list",
     "old-style numbering gives each item its level by \\pnlvlN; the reader reads every item as level 1"},
};

bool IsKnownFailure(const WriterDocument& document, std::string_view check) {
  const std::string name = document.writer + "/" + document.name;
  return std::any_of(std::begin(kKnownFailures), std::end(kKnownFailures),
                     [&](const KnownFailure& known) { return name == known.document && check == known.check; });
}

// ---------------------------------------------------------------------------------------------
// The checks of one document.

class DocumentCheck {
 public:
  DocumentCheck(const WriterDocument& document, const Expectation& expectation, const model::Document& model)
      : document_(document), e_(expectation), model_(model), view_(ModelWalker(model).Walk()) {
    for (size_t b = 0; b < e_.blocks.size(); ++b) {
      first_word_.push_back(expected_words_.size());
      for (std::string& w : e_.blocks[b].WordsOfBlock()) {
        expected_words_.push_back(std::move(w));
        word_block_.push_back(b);
      }
    }
    first_word_.push_back(expected_words_.size());
    for (const ModelWord& w : view_.words) found_words_.push_back(w.text);
    match_ = Align(expected_words_, found_words_);
  }

  void Run() {
    CheckWords();
    for (size_t b = 0; b < e_.blocks.size(); ++b) CheckBlock(b);
    for (size_t t = 0; t < e_.tables.size(); ++t) CheckTable(t);
    CheckNotes();
    const std::string name = document_.writer + "/" + document_.name;
    for (const KnownFailure& known : kKnownFailures) {
      if (name == known.document && !known_failed_.count(known.check)) {
        ADD_FAILURE() << name << ": [" << known.check << "] passes now; take it off the known failures";
      }
    }
  }

 private:
  void Fail(std::string_view check, const std::string& message) {
    if (IsKnownFailure(document_, check)) {
      known_failed_.insert(std::string(check));
      return;
    }
    ADD_FAILURE() << document_.writer << " " << document_.name << ": [" << check << "] " << message;
  }

  // The model paragraphs that words of block `b` were found in, in order.
  std::vector<size_t> ParagraphsOf(size_t b) const {
    std::vector<size_t> paragraphs;
    for (size_t i = first_word_[b]; i < first_word_[b + 1]; ++i) {
      if (match_[i] < 0) continue;
      size_t p = view_.words[match_[i]].paragraph;
      if (paragraphs.empty() || paragraphs.back() != p) paragraphs.push_back(p);
    }
    return paragraphs;
  }

  // The first model paragraph of block `b`, or none when none of its words were found.
  const ModelParagraph* ParagraphOf(size_t b) const {
    std::vector<size_t> paragraphs = ParagraphsOf(b);
    return paragraphs.empty() ? nullptr : &view_.paragraphs[paragraphs.front()];
  }

  std::string BlockName(size_t b) const {
    const ExpectedBlock& block = e_.blocks[b];
    if (block.text.size() <= 60) return "\"" + block.text + "\"";
    size_t cut = 57;
    while (cut > 0 && (static_cast<unsigned char>(block.text[cut]) & 0xC0) == 0x80)
      --cut;  // a whole character
    return "\"" + block.text.substr(0, cut) + "...\"";
  }

  void CheckWords() {
    if (expected_words_ == found_words_) return;
    long missing = std::count(match_.begin(), match_.end(), -1);
    long extra = static_cast<long>(found_words_.size()) - (static_cast<long>(match_.size()) - missing);
    Fail("words", std::to_string(missing) + " of " + std::to_string(expected_words_.size()) +
                      " words missing, " + std::to_string(extra) + " extra; " +
                      FirstDifference(expected_words_, found_words_));
  }

  void CheckBlock(size_t b) {
    const ExpectedBlock& block = e_.blocks[b];
    const ModelParagraph* paragraph = ParagraphOf(b);
    if (paragraph == nullptr) {
      if (first_word_[b] < first_word_[b + 1]) Fail("block", "no word of " + BlockName(b) + " found");
      return;
    }
    const model::ParagraphFormat& format = paragraph->paragraph->format;
    if (block.heading_checked && format.heading != block.heading) {
      Fail("heading", BlockName(b) + ": heading level " + std::to_string(format.heading) + ", expected " +
                          std::to_string(block.heading));
    }
    if (block.list_checked) CheckList(b, format);
    if (block.columns > 0 && !e_.skipped.count("columns") && paragraph->columns != block.columns) {
      Fail("columns", BlockName(b) + ": in a section of " + std::to_string(paragraph->columns) +
                          " columns, expected " + std::to_string(block.columns));
    }
    std::vector<const model::Picture*> pictures;
    int breaks = 0, tabs = 0;
    std::vector<std::string> anchors;
    std::string text;
    for (size_t p : ParagraphsOf(b)) {
      text += view_.paragraphs[p].text;
      for (const model::Inline& item : view_.paragraphs[p].paragraph->inlines) {
        if (item.kind == model::InlineKind::kLineBreak) ++breaks;
        if (item.kind == model::InlineKind::kTab) ++tabs;
        if (item.kind == model::InlineKind::kBookmark) anchors.push_back(item.text);
        if (item.kind == model::InlineKind::kPicture && item.index < model_.pictures.size()) {
          pictures.push_back(&model_.pictures[item.index]);
        }
      }
    }
    size_t picture = 0;
    for (const BlockFact& fact : block.facts) {
      if (!fact.checked) continue;
      if (fact.check == "breaks" || fact.check == "tabs") {
        int found = fact.check == "breaks" ? breaks : tabs;
        if (found != std::atoi(fact.argument.c_str())) {
          Fail(fact.check, BlockName(b) + ": " + std::to_string(found) + ", expected " + fact.argument);
        }
      } else if (fact.check == "anchor") {
        if (std::find(anchors.begin(), anchors.end(), fact.argument) == anchors.end()) {
          Fail("anchor", BlockName(b) + ": no bookmark \"" + fact.argument + "\"" +
                             (HasBookmark(fact.argument) ? " (there is one elsewhere)" : ""));
        }
      } else if (fact.check == "picture") {
        CheckPicture(b, fact, picture < pictures.size() ? pictures[picture] : nullptr);
        ++picture;
      } else if (fact.check == "chars") {
        for (const std::string& chars : testing::writer_documents_detail::Split(fact.text, ' ')) {
          if (text.find(chars) == std::string::npos) Fail("chars", BlockName(b) + ": no \"" + chars + "\"");
        }
      } else if (fact.check != "note" && fact.check != "endnote" && fact.check != "comment") {
        CheckWordFact(b, fact);
      }
    }
  }

  void CheckList(size_t b, const model::ParagraphFormat& format) {
    const ExpectedBlock& block = e_.blocks[b];
    // LibreOffice writes a space before its markers ("{\listtext\pard\plain  1.\tab}").
    const std::string marker(testing::writer_documents_detail::Trim(format.list_marker));
    if (block.kind != BlockKind::kItem) {
      if (!marker.empty()) {
        Fail("list", BlockName(b) + ": shows the marker \"" + format.list_marker + "\", expected none");
      }
      return;
    }
    bool bullet = block.marker == "•";
    bool marker_ok = bullet ? !marker.empty() && testing::Words(marker).empty() : marker == block.marker;
    if (format.list < 0 || format.list_level != block.list_level - 1 || !marker_ok) {
      Fail("list",
           BlockName(b) + ": " +
               (format.list < 0
                    ? std::string("no list item")
                    : "level " + std::to_string(format.list_level + 1) + " marker \"" + marker + "\"") +
               ", expected level " + std::to_string(block.list_level) + " marker \"" + block.marker + "\"");
    }
  }

  // The facts that name words of the block: formats, fonts, colours and links.
  void CheckWordFact(size_t b, const BlockFact& fact) {
    std::vector<std::string> found;
    for (size_t i = first_word_[b]; i < first_word_[b + 1]; ++i) {
      if (match_[i] < 0) continue;
      const ModelWord& w = view_.words[match_[i]];
      bool has = false;
      if (fact.check == "bold")
        has = w.bold;
      else if (fact.check == "italic")
        has = w.italic;
      else if (fact.check == "underline")
        has = w.underline;
      else if (fact.check == "strike")
        has = w.strike;
      else if (fact.check == "sup")
        has = w.sup;
      else if (fact.check == "sub")
        has = w.sub;
      else if (fact.check == "font")
        has = w.font == fact.argument;
      else if (fact.check == "colour")
        has = ColourName(w.colour) == fact.argument;
      else if (fact.check == "link")
        has = !w.local_link && w.link == fact.argument;
      else if (fact.check == "locallink") {
        has = (w.local_link && w.link == fact.argument) || w.link == "#" + fact.argument;
      }
      if (has) found.push_back(w.text);
    }
    std::vector<std::string> expected = testing::Words(fact.text);
    if (found != expected) {
      std::string what = fact.argument.empty() ? fact.check : fact.check + " " + fact.argument;
      Fail(fact.check, BlockName(b) + ": " + what + " words \"" + Join(found) + "\", expected \"" +
                           Join(expected) + "\"");
    }
  }

  void CheckPicture(size_t b, const BlockFact& fact, const model::Picture* picture) {
    std::vector<std::string> parts = testing::writer_documents_detail::Split(fact.argument, ' ');
    std::string format = parts.empty() ? "" : parts[0];
    int width = 0, height = 0;
    if (parts.size() > 1) std::sscanf(parts[1].c_str(), "%dx%d", &width, &height);
    if (picture == nullptr) {
      Fail("picture", BlockName(b) + ": no picture for \"" + fact.argument + "\"");
      return;
    }
    std::string found = picture->format == model::PictureFormat::kPng    ? "png"
                        : picture->format == model::PictureFormat::kJpeg ? "jpeg"
                        : picture->format == model::PictureFormat::kWmf  ? "wmf"
                        : picture->format == model::PictureFormat::kEmf  ? "emf"
                                                                         : "other";
    // Points to twips: ±1 pt is ±20 twips.
    bool size_ok = std::abs(picture->width_twips - width * 20) <= 20 &&
                   std::abs(picture->height_twips - height * 20) <= 20;
    if (found != format || !size_ok || picture->data.empty()) {
      char size[64];
      std::snprintf(size, sizeof size, "%.1fx%.1f pt", picture->width_twips / 20.0,
                    picture->height_twips / 20.0);
      Fail("picture", BlockName(b) + ": " + found + " " + size + ", " + std::to_string(picture->data.size()) +
                          " bytes; expected " + fact.argument);
    }
  }

  bool HasBookmark(const std::string& name) const {
    for (const ModelParagraph& p : view_.paragraphs) {
      for (const model::Inline& item : p.paragraph->inlines) {
        if (item.kind == model::InlineKind::kBookmark && item.text == name) return true;
      }
    }
    return false;
  }

  // The table's rows as text: one line per row, each cell as "[words colspan=N rowspan=N]".
  static std::string Describe(
      const std::vector<std::vector<std::pair<std::string, std::pair<int, int>>>>& rows) {
    std::string out;
    for (const auto& row : rows) {
      out += "\n    row";
      for (const auto& [text, span] : row) {
        out += " [" + text;
        if (span.first != 1) out += " colspan=" + std::to_string(span.first);
        if (span.second != 1) out += " rowspan=" + std::to_string(span.second);
        out += "]";
      }
    }
    return out;
  }

  std::string DescribeExpected(const ExpectedTable& table) const {
    std::vector<std::vector<std::pair<std::string, std::pair<int, int>>>> rows;
    for (const auto& row : table.rows) {
      rows.emplace_back();
      for (const testing::ExpectedCell& cell : row) {
        std::vector<std::string> words;
        for (size_t b : cell.blocks) {
          for (std::string& w : e_.blocks[b].WordsOfBlock()) words.push_back(std::move(w));
        }
        rows.back().push_back({Join(words), {cell.colspan, cell.rowspan}});
      }
    }
    return Describe(rows);
  }

  // Spans come from the merge flags and from cell boundaries: a cell spans every column boundary
  // that any row of the table has between its left and right edges. Boundaries closer than
  // kSameEdge count as one, as a writer's rounding may set them apart.
  static std::string DescribeModel(const model::Table& table) {
    constexpr int32_t kSameEdge = 30;
    std::set<int32_t> all;
    for (const model::Row& row : table.rows) {
      for (const model::Cell& cell : row.cells) all.insert(cell.right_twips);
    }
    std::vector<int32_t> edges;
    for (int32_t edge : all) {
      if (edges.empty() || edge - edges.back() >= kSameEdge) edges.push_back(edge);
    }
    // How many boundaries lie at or left of `x`.
    auto boundaries_to = [&](int32_t x) {
      return static_cast<int>(std::upper_bound(edges.begin(), edges.end(), x + kSameEdge - 1) -
                              edges.begin());
    };
    struct Placed {
      const model::Cell* cell;
      int column;  // how many boundaries lie left of the cell
      int colspan;
    };
    std::vector<std::vector<Placed>> placed;
    for (const model::Row& row : table.rows) {
      placed.emplace_back();
      int32_t left = row.left_twips;
      for (const model::Cell& cell : row.cells) {
        int column = boundaries_to(left);
        int colspan = std::max(1, boundaries_to(cell.right_twips) - column);
        if (cell.horizontal == model::Merge::kContinue && !placed.back().empty()) {
          placed.back().back().colspan += colspan;
        } else {
          placed.back().push_back({&cell, column, colspan});
        }
        left = std::max(left, cell.right_twips);
      }
    }
    std::vector<std::vector<std::pair<std::string, std::pair<int, int>>>> rows;
    for (size_t r = 0; r < placed.size(); ++r) {
      rows.emplace_back();
      for (const Placed& p : placed[r]) {
        if (p.cell->vertical == model::Merge::kContinue) continue;
        int rowspan = 1;
        if (p.cell->vertical == model::Merge::kFirst) {
          for (size_t below = r + 1; below < placed.size(); ++below) {
            auto same = std::find_if(placed[below].begin(), placed[below].end(),
                                     [&](const Placed& q) { return q.column == p.column; });
            if (same == placed[below].end() || same->cell->vertical != model::Merge::kContinue) break;
            ++rowspan;
          }
        }
        std::vector<model::Block> own;
        for (const model::Block& block : p.cell->blocks) {
          if (!std::holds_alternative<model::Table>(block.content)) own.push_back(block);
        }
        rows.back().push_back({Join(WordsOfBlocks(own)), {p.colspan, rowspan}});
      }
    }
    return Describe(rows);
  }

  void CheckTable(size_t t) {
    const ExpectedTable& table = e_.tables[t];
    if (!table.checked) return;
    // The table is found through the first of its words that the reader kept.
    const ModelParagraph* paragraph = nullptr;
    for (const auto& row : table.rows) {
      for (const testing::ExpectedCell& cell : row) {
        for (size_t b : cell.blocks) {
          if (paragraph == nullptr) paragraph = ParagraphOf(b);
        }
      }
    }
    std::string name = "table " + std::to_string(t + 1) + (table.depth > 1 ? " (nested)" : "");
    if (paragraph == nullptr) {
      Fail("table", name + ": none of its words found");
      return;
    }
    if (static_cast<int>(paragraph->tables.size()) != table.depth) {
      Fail("table", name + ": its first cell's text is in a table of depth " +
                        std::to_string(paragraph->tables.size()) + ", expected " +
                        std::to_string(table.depth));
      if (static_cast<int>(paragraph->tables.size()) < table.depth) return;
    }
    const model::Table& found = *paragraph->tables[table.depth - 1];
    std::string expected = DescribeExpected(table);
    std::string described = DescribeModel(found);
    if (described != expected) Fail("table", name + ":" + described + "\n  expected:" + expected);
  }

  void CheckNotes() {
    struct Kind {
      model::NoteKind kind;
      const char* check;
    };
    for (Kind kind : {Kind{model::NoteKind::kFootnote, "note"}, Kind{model::NoteKind::kEndnote, "endnote"},
                      Kind{model::NoteKind::kComment, "comment"}}) {
      if (e_.skipped.count(kind.check)) continue;
      std::vector<std::pair<size_t, const BlockFact*>> expected;
      for (size_t b = 0; b < e_.blocks.size(); ++b) {
        for (const BlockFact& fact : e_.blocks[b].facts) {
          if (fact.check == kind.check && fact.checked) expected.push_back({b, &fact});
        }
      }
      std::vector<size_t> found;
      for (size_t n = 0; n < model_.notes.size(); ++n) {
        if (model_.notes[n].kind == kind.kind) found.push_back(n);
      }
      if (found.size() != expected.size()) {
        Fail(kind.check,
             std::to_string(found.size()) + " found, expected " + std::to_string(expected.size()));
      }
      for (size_t k = 0; k < std::min(found.size(), expected.size()); ++k) {
        const auto& [b, fact] = expected[k];
        std::vector<std::string> words = WordsOfBlocks(model_.notes[found[k]].blocks);
        std::vector<std::string> expected_words = testing::Words(fact->text);
        if (words != expected_words) {
          Fail(kind.check, "text \"" + Join(words) + "\", expected \"" + Join(expected_words) + "\"");
        }
        CheckNoteMark(kind.check, found[k], b);
      }
    }
  }

  // The note's mark stands in the body, in the paragraph of the block the note follows.
  void CheckNoteMark(std::string_view check, size_t note, size_t b) {
    std::vector<size_t> paragraphs = ParagraphsOf(b);
    bool anywhere = false;
    for (size_t p = 0; p < view_.paragraphs.size(); ++p) {
      for (const model::Inline& item : view_.paragraphs[p].paragraph->inlines) {
        if (item.kind != model::InlineKind::kNoteMark || item.index != note) continue;
        anywhere = true;
        if (std::find(paragraphs.begin(), paragraphs.end(), p) != paragraphs.end()) return;
      }
    }
    Fail(check, "the mark of note " + std::to_string(note + 1) + " is " +
                    (anywhere ? "not in " + BlockName(b) : std::string("not in the body")));
  }

  const WriterDocument& document_;
  const Expectation& e_;
  const model::Document& model_;
  ModelView view_;
  std::vector<std::string> expected_words_;
  std::vector<size_t> word_block_;  // the block of each expected word
  std::vector<size_t> first_word_;  // per block, its first word in expected_words_; one more at the end
  std::vector<std::string> found_words_;
  std::vector<int> match_;
  std::set<std::string> known_failed_;  // the known failures that did fail
};

}  // namespace
}  // namespace tessarine

namespace tessarine::testing {
// Test names and failures show the document as "<writer>/<name>.rtf".
void PrintTo(const WriterDocument& document, std::ostream* out) {
  *out << document.writer << "/" << document.name << ".rtf";
}
}  // namespace tessarine::testing

namespace tessarine {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class WriterDocumentsTest : public ::testing::TestWithParam<WriterDocument> {};

TEST_P(WriterDocumentsTest, ReaderGivesWhatTheWriterWrote) {
  const WriterDocument& document = GetParam();
  Expectation expectation = testing::LoadExpectation(document);
  for (const std::string& error : expectation.errors) ADD_FAILURE() << document.expectation << ": " << error;
  std::string rtf = ReadFile(document.rtf);
  ASSERT_FALSE(rtf.empty()) << document.rtf;
  model::Document model = ReadRtfDocument(rtf);
  DocumentCheck(document, expectation, model).Run();
}

std::string TestName(const ::testing::TestParamInfo<WriterDocument>& info) {
  std::string name = info.param.writer + "_" + info.param.name;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
}

INSTANTIATE_TEST_SUITE_P(Writers, WriterDocumentsTest,
                         ::testing::ValuesIn(testing::WriterDocuments(WritersDir())), TestName);

// Every prose source (a .fodt) reached every writer that must make it, and every expectation reads.
TEST(WriterDocumentsListTest, EveryRequiredWriterMadeEveryDocument) {
  std::vector<WriterDocument> documents = testing::WriterDocuments(WritersDir());
  std::set<std::string> names;
  for (const WriterDocument& d : documents) {
    if (std::filesystem::exists(WritersDir() / "sources" / (d.name + ".fodt"))) names.insert(d.name);
  }
  EXPECT_GE(names.size(), 5u);
  for (size_t w = 0; w < testing::kRequiredWriters; ++w) {
    for (const std::string& name : names) {
      bool made = std::any_of(documents.begin(), documents.end(), [&](const WriterDocument& d) {
        return d.writer == testing::kWriters[w] && d.name == name;
      });
      EXPECT_TRUE(made) << testing::kWriters[w] << " did not make " << name;
    }
  }
}

}  // namespace
}  // namespace tessarine
