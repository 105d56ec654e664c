// The document model walked in the order its page shows it.
#include <string>

#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "choice/document_items.h"

namespace tessarine {
namespace {

model::Inline Text(const char* text) {
  model::Inline item;
  item.text = text;
  return item;
}

model::Inline Mark(model::InlineKind kind, uint32_t index = 0, const char* text = "") {
  model::Inline item;
  item.kind = kind;
  item.index = index;
  item.text = text;
  return item;
}

model::Block Paragraph(std::vector<model::Inline> inlines, const char* marker = "") {
  model::Paragraph paragraph;
  paragraph.inlines = std::move(inlines);
  paragraph.format.list_marker = marker;
  return {paragraph};
}

// The walk as text: characters ("*" after a list marker's), " " for each space, "|" for a line
// start, and the marks.
std::string Walk(const model::Document& document) {
  DocumentItems items(document);
  std::string out;
  static constexpr const char* kMarks[] = {"",    " ",    "|", "[T", "[R",    "[C", "T]",
                                           "<a ", "</a>", "^", "{N", "[pic]", ""};
  for (int guard = 0; guard < 1000; ++guard) {
    const DocumentItem* item = items.NextInRun();
    if (item == nullptr) item = &items.Next();
    if (item->kind == ShownItem::kEnd) break;
    if (item->kind == ShownItem::kCharacter) {
      AppendUtf8(out, item->character);
      if (item->format == nullptr) out += '*';
      continue;
    }
    out += kMarks[static_cast<int>(item->kind)];
    if (item->kind == ShownItem::kLinkStart)
      out.append(item->local ? "#" : "").append(item->target).append(">");
  }
  return out;
}

TEST(DocumentItemsTest, WalksTheDocumentAsItsPageShowsIt) {
  model::Document document;
  document.pictures = {{model::PictureFormat::kPng, "", 0, 0}, {model::PictureFormat::kOther, "", 0, 0}};
  document.body.push_back(
      Paragraph({Text("Ab, \xD0\xB2\xD1\x8B!"), Mark(model::InlineKind::kTab), Text("c"),
                 Mark(model::InlineKind::kNoteMark), Mark(model::InlineKind::kLineBreak),
                 Mark(model::InlineKind::kPicture, 0), Mark(model::InlineKind::kPicture, 1),
                 Mark(model::InlineKind::kBookmark, 0, "here"), Text("d")},
                "1."));
  // Links: one that starts closes the one before; one left open ends with its paragraph.
  model::Inline local = Mark(model::InlineKind::kLinkStart, 0, "here");
  local.local = true;
  document.body.push_back(
      Paragraph({Mark(model::InlineKind::kLinkStart, 0, "http://a/"), Text("e"), local, Text("f"),
                 Mark(model::InlineKind::kLinkEnd), Mark(model::InlineKind::kLinkEnd),
                 Mark(model::InlineKind::kLinkStart, 0, "http://b/"), Text("g")}));
  model::Table table;
  model::Cell first, merged, below;
  first.blocks.push_back(Paragraph({Text("x")}));
  merged.horizontal = model::Merge::kContinue;
  merged.blocks.push_back(Paragraph({Text("lost")}));
  below.blocks.push_back(Paragraph({Text("y")}));
  table.rows = {{{first, merged}, 0}, {{below}, 0}};
  document.body.push_back({table});
  document.body.push_back({model::SectionBreak{2}});
  model::Note note;
  note.blocks.push_back(Paragraph({Text("n")}));
  document.notes.push_back(note);

  EXPECT_EQ(Walk(document),
            "|1*  Ab \xD0\xB2\xD1\x8B  c^|[pic] d|"
            "|<a http://a/>e</a><a #here>f</a><a http://b/>g</a>|"
            "[T[R[C|x|[R[C|y|T]|"
            "{N|n|");
  EXPECT_FALSE(ShowsNothing(document));
  EXPECT_TRUE(ShowsNothing(model::Document{}));
}

}  // namespace
}  // namespace tessarine
