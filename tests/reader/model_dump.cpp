#include "tests/reader/model_dump.h"

#include <cstdio>
#include <vector>

namespace tessarine::testing {

namespace {

std::string Hex(model::Colour colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06x", static_cast<unsigned>(colour));
  return buffer;
}

std::string Format(const model::CharFormat& f, Detail detail) {
  std::vector<std::string> tags;
  if (f.bold) tags.push_back("b");
  if (f.italic) tags.push_back("i");
  if (f.underline) tags.push_back("u");
  if (f.strike) tags.push_back("s");
  if (f.caps) tags.push_back("caps");
  if (f.small_caps) tags.push_back("scaps");
  if (f.baseline == model::Baseline::kSuperscript) tags.push_back("sup");
  if (f.baseline == model::Baseline::kSubscript) tags.push_back("sub");
  if (detail == Detail::kFull) {
    if (f.font >= 0) tags.push_back("f" + std::to_string(f.font));
    if (f.half_points > 0) tags.push_back("fs" + std::to_string(f.half_points));
    if (f.colour != model::kNoColour) tags.push_back("c" + Hex(f.colour));
    if (f.background != model::kNoColour) tags.push_back("bg" + Hex(f.background));
  }
  if (tags.empty()) return "";
  std::string out = "{";
  for (size_t i = 0; i < tags.size(); ++i) out += (i ? "," : "") + tags[i];
  return out + "}";
}

// "t:s1w10c112233p20" for each side with a border: its style, width, colour and space.
std::string Borders(const model::Borders& borders) {
  std::string out;
  const std::pair<const char*, const model::Border*> sides[] = {
      {"t", &borders.top}, {"l", &borders.left}, {"b", &borders.bottom}, {"r", &borders.right}};
  for (const auto& [name, border] : sides) {
    if (border->style == model::BorderStyle::kNone) continue;
    out += std::string(" ") + name + ":s" + std::to_string(static_cast<int>(border->style));
    if (border->width_twips) out += "w" + std::to_string(border->width_twips);
    if (border->colour != model::kNoColour) out += "c" + Hex(border->colour);
    if (border->space_twips) out += "p" + std::to_string(border->space_twips);
  }
  return out;
}

void Line(int indent, const std::string& text, std::string& out) {
  out.append(static_cast<size_t>(indent), ' ').append(text).push_back('\n');
}

void Blocks(const model::Document& document, const std::vector<model::Block>& blocks, int indent,
            Detail detail, std::string& out);

void Paragraph(const model::Document& document, const model::Paragraph& p, int indent, Detail detail,
               std::string& out) {
  const model::ParagraphFormat& f = p.format;
  std::string line = "p";
  static const char* const kAlign[] = {"", " center", " right", " justify"};
  line += kAlign[static_cast<int>(f.alignment)];
  if (f.heading) line += " h" + std::to_string(f.heading);
  if (f.list >= 0)
    line +=
        " list=" + std::to_string(f.list) + "/" + std::to_string(f.list_level) + " \"" + f.list_marker + "\"";
  if (detail == Detail::kFull) {
    if (f.left_twips) line += " left=" + std::to_string(f.left_twips);
    if (f.right_twips) line += " right=" + std::to_string(f.right_twips);
    if (f.first_line_twips) line += " first=" + std::to_string(f.first_line_twips);
    if (f.space_before_twips) line += " before=" + std::to_string(f.space_before_twips);
    if (f.space_after_twips) line += " after=" + std::to_string(f.space_after_twips);
    if (const model::ParagraphLook* look = model::FindLook(document, f)) {
      if (look->line_twips)
        line += " line=" + std::to_string(look->line_twips) + (look->line_multiple ? "x" : "");
      line += Borders(look->borders);
      if (look->background != model::kNoColour) line += " bg" + Hex(look->background);
      for (int32_t stop : look->tab_stops) line += " tx" + std::to_string(stop);
    }
    if (!f.list_marker.empty()) line += " marker" + Format(f.marker_format, detail);
  }
  line += " |";
  for (const model::Inline& item : p.inlines) {
    line += " ";
    switch (item.kind) {
      case model::InlineKind::kText:
        line += Format(item.format, detail) + "\"" + item.text + "\"";
        break;
      case model::InlineKind::kTab:
        line += "<tab>";
        break;
      case model::InlineKind::kLineBreak:
        line += "<br>";
        break;
      case model::InlineKind::kNoteMark:
        line += "<note " + std::to_string(item.index) + ">";
        break;
      case model::InlineKind::kLinkStart:
        line += std::string(item.local ? "<local " : "<link ") + item.text + ">";
        break;
      case model::InlineKind::kLinkEnd:
        line += "</link>";
        break;
      case model::InlineKind::kBookmark:
        line += "<bookmark " + item.text + ">";
        break;
      case model::InlineKind::kPicture:
        line += "<pic " + std::to_string(item.index) + ">";
        break;
    }
  }
  Line(indent, line, out);
}

const char* MergeName(model::Merge merge) {
  return merge == model::Merge::kFirst ? "first" : merge == model::Merge::kContinue ? "continue" : "";
}

void Table(const model::Document& document, const model::Table& table, int indent, Detail detail,
           std::string& out) {
  Line(indent, "table", out);
  for (const model::Row& row : table.rows) {
    Line(indent + 1, "row left=" + std::to_string(row.left_twips), out);
    for (const model::Cell& cell : row.cells) {
      std::string line = "cell right=" + std::to_string(cell.right_twips);
      if (cell.horizontal != model::Merge::kNone) line += std::string(" h=") + MergeName(cell.horizontal);
      if (cell.vertical != model::Merge::kNone) line += std::string(" v=") + MergeName(cell.vertical);
      if (cell.background != model::kNoColour) line += " bg" + Hex(cell.background);
      if (detail == Detail::kFull) {
        if (cell.own_borders) line += " borders" + Borders(cell.borders);
        static const char* const kVertical[] = {"", " middle", " bottom"};
        line += kVertical[static_cast<int>(cell.vertical_alignment)];
      }
      Line(indent + 2, line, out);
      Blocks(document, cell.blocks, indent + 3, detail, out);
    }
  }
}

void Blocks(const model::Document& document, const std::vector<model::Block>& blocks, int indent,
            Detail detail, std::string& out) {
  for (const model::Block& block : blocks) {
    if (const auto* p = std::get_if<model::Paragraph>(&block.content)) {
      Paragraph(document, *p, indent, detail, out);
    } else if (const auto* t = std::get_if<model::Table>(&block.content)) {
      Table(document, *t, indent, detail, out);
    } else if (const auto* s = std::get_if<model::SectionBreak>(&block.content)) {
      Line(indent, "section cols=" + std::to_string(s->columns), out);
    }
  }
}

}  // namespace

std::string DumpBody(const model::Document& document, Detail detail) {
  std::string out;
  Blocks(document, document.body, 0, detail, out);
  return out;
}

std::string Dump(const model::Document& document, Detail detail) {
  std::string out = DumpBody(document, detail);
  static const char* const kKinds[] = {"footnote", "endnote", "comment"};
  for (size_t i = 0; i < document.notes.size(); ++i) {
    const model::Note& note = document.notes[i];
    std::string line = "note " + std::to_string(i) + " " + kKinds[static_cast<int>(note.kind)];
    if (!note.author.empty()) line += " by \"" + note.author + "\"";
    Line(0, line, out);
    Blocks(document, note.blocks, 1, detail, out);
  }
  static const char* const kFormats[] = {"png", "jpeg", "wmf", "emf", "other", "dib", "ddb"};
  for (size_t i = 0; i < document.pictures.size(); ++i) {
    const model::Picture& picture = document.pictures[i];
    Line(0,
         "picture " + std::to_string(i) + " " + kFormats[static_cast<int>(picture.format)] + " " +
             std::to_string(picture.width_twips) + "x" + std::to_string(picture.height_twips) + " " +
             std::to_string(picture.data.size()) + " bytes",
         out);
  }
  if (!document.info.title.empty()) Line(0, "title \"" + document.info.title + "\"", out);
  if (!document.info.author.empty()) Line(0, "author \"" + document.info.author + "\"", out);
  if (document.from_html) Line(0, "html \"" + document.html + "\"", out);
  if (detail == Detail::kFull) {
    if (document.background != model::kNoColour) Line(0, "background " + Hex(document.background), out);
    if (document.default_tab_twips != 720)
      Line(0, "deftab " + std::to_string(document.default_tab_twips), out);
  }
  return out;
}

}  // namespace tessarine::testing
