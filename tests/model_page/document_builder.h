// Model documents built by hand for the page writer's tests, and the parts of a written page
// the tests look at.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/document.h"

namespace tessarine::testing {

// Text of the tests is at the page's size (10 points with the default settings), so that pages
// show only what each test is about; Size(0) is text without a size of its own.
inline constexpr int32_t kPageHalfPoints = 20;

// Character formats: Format().Bold().Font(1).Size(24) ...
struct Format {
  model::CharFormat value{.half_points = kPageHalfPoints};
  Format& Bold() { return value.bold = true, *this; }
  Format& Italic() { return value.italic = true, *this; }
  Format& Underline() { return value.underline = true, *this; }
  Format& Strike() { return value.strike = true, *this; }
  Format& Super() { return value.baseline = model::Baseline::kSuperscript, *this; }
  Format& Sub() { return value.baseline = model::Baseline::kSubscript, *this; }
  Format& Caps() { return value.caps = true, *this; }
  Format& Font(int32_t index) { return value.font = index, *this; }
  Format& Size(int32_t half_points) { return value.half_points = half_points, *this; }
  Format& Colour(model::Colour colour) { return value.colour = colour, *this; }
  Format& Background(model::Colour colour) { return value.background = colour, *this; }
  operator model::CharFormat() const { return value; }
};

inline model::Inline Text(std::string text, model::CharFormat format = Format()) {
  model::Inline item;
  item.text = std::move(text);
  item.format = format;
  return item;
}
inline model::Inline Item(model::InlineKind kind, std::string text = {}, uint32_t index = 0) {
  model::Inline item;
  item.kind = kind;
  item.text = std::move(text);
  item.index = index;
  return item;
}
inline model::Inline Tab() {
  model::Inline item = Item(model::InlineKind::kTab);
  item.format = Format();
  return item;
}
inline model::Inline Break() {
  return Item(model::InlineKind::kLineBreak);
}
inline model::Inline Mark(uint32_t note) {
  return Item(model::InlineKind::kNoteMark, {}, note);
}
inline model::Inline LinkStart(std::string target, bool local = false) {
  model::Inline item = Item(model::InlineKind::kLinkStart, std::move(target));
  item.local = local;
  return item;
}
inline model::Inline LinkEnd() {
  return Item(model::InlineKind::kLinkEnd);
}
inline model::Inline Bookmark(std::string name) {
  return Item(model::InlineKind::kBookmark, std::move(name));
}
inline model::Inline Picture(uint32_t index) {
  return Item(model::InlineKind::kPicture, {}, index);
}

inline model::Paragraph Paragraph(std::vector<model::Inline> inlines, model::ParagraphFormat format = {}) {
  return model::Paragraph{std::move(format), std::move(inlines)};
}
inline model::Block Para(std::vector<model::Inline> inlines, model::ParagraphFormat format = {}) {
  return model::Block{Paragraph(std::move(inlines), std::move(format))};
}
inline model::Block Para(std::string text) {
  return Para({Text(std::move(text))});
}

inline model::Cell Cell(int32_t right, std::vector<model::Block> blocks,
                        model::Merge horizontal = model::Merge::kNone,
                        model::Merge vertical = model::Merge::kNone) {
  model::Cell cell;
  cell.blocks = std::move(blocks);
  cell.right_twips = right;
  cell.horizontal = horizontal;
  cell.vertical = vertical;
  return cell;
}
inline model::Cell Cell(int32_t right, std::string text, model::Merge horizontal = model::Merge::kNone,
                        model::Merge vertical = model::Merge::kNone) {
  std::vector<model::Block> blocks;
  if (!text.empty()) blocks.push_back(Para(std::move(text)));
  return Cell(right, std::move(blocks), horizontal, vertical);
}
inline model::Row Row(std::vector<model::Cell> cells, int32_t left = 0) {
  return model::Row{std::move(cells), left};
}
inline model::Block Table(std::vector<model::Row> rows) {
  return model::Block{model::Table{std::move(rows)}};
}
inline model::Block Section(int columns) {
  return model::Block{model::SectionBreak{columns}};
}

inline model::Note Note(model::NoteKind kind, std::vector<model::Block> blocks) {
  model::Note note;
  note.kind = kind;
  note.blocks = std::move(blocks);
  return note;
}

inline model::Document Document(std::vector<model::Block> body) {
  model::Document document;
  document.body = std::move(body);
  return document;
}

// The body of a written page: what stands between the body tag's line and the notes' rule (or
// the page's end).
std::string BodyOf(const std::string& page);
// What follows the notes' rule, up to the page's end; empty without notes.
std::string NotesOf(const std::string& page);
// The page written with the default settings, and its body.
std::string PageOf(const model::Document& document);
std::string BodyOfDocument(const model::Document& document);

// UTF-8 text of the tests in code page 1251, for comparing with pages.
std::string Cp1251(const std::string& utf8);

// Checks that every element opened in `html` is closed, in order, and that links and paragraphs
// do not nest: "" when they are, otherwise what is wrong. Void elements (br, img, hr) need no end
// tag.
std::string CheckWellFormed(const std::string& html);

}  // namespace tessarine::testing
