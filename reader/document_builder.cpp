#include "reader/document_builder.h"

#include <algorithm>
#include <cstddef>

#include "reader/code_pages.h"
#include "reader/formatting.h"
#include "reader/utf8.h"

namespace tessarine::reader {

namespace {

// Gives back what a string or vector grew beyond its contents, once it is complete.
void Tighten(std::string& s) {
  if (s.capacity() > s.size() + s.size() / 4 + 32) s.shrink_to_fit();
}

// A list marker as shown: without the tabs and spaces the writer put around it, and with bullets
// for the private-use symbols of bullet fonts.
std::string ShownMarker(std::string_view marker) {
  const size_t begin = marker.find_first_not_of("\t ");
  if (begin == std::string_view::npos) return "";
  return MapCharacters(marker.substr(begin, marker.find_last_not_of("\t ") + 1 - begin), BulletOf);
}

}  // namespace

DocumentBuilder::DocumentBuilder(model::Document& document, const RowDefinitions& definitions,
                                 ListTable& lists, BodyHandoff* handoff, const Tokenizer* tokens)
    : document_(document), definitions_(definitions), lists_(lists), handoff_(handoff), tokens_(tokens) {
  flows_.emplace_back(definitions_);
}

void DocumentBuilder::PushNoteFlow(uint32_t note) {
  flows_.emplace_back(definitions_);
  flow().target = Flow::Target::kNote;
  flow().note = note;
}

bool DocumentBuilder::PushTextBoxFlow() {
  // Nesting text boxes would move the inner ones' blocks again at every level.
  if (flow().target == Flow::Target::kTextBox) return false;
  flows_.emplace_back(definitions_);
  flow().target = Flow::Target::kTextBox;
  return true;
}

void DocumentBuilder::PopFlow(const ParagraphProps& props) {
  if (flows_.size() <= 1) return;
  if (ParagraphHasContent()) EndParagraph(props);
  Flow& f = flow();
  CloseTables(f);
  if (f.target != Flow::Target::kTextBox) {
    flows_.pop_back();
    return;
  }
  std::vector<model::Block> blocks = std::move(f.text_box);
  flows_.pop_back();
  for (model::Block& block : blocks) flow().waiting.push_back(std::move(block));
}

std::vector<model::Block>& DocumentBuilder::Container(Flow& f) {
  switch (f.target) {
    case Flow::Target::kNote:
      return document_.notes[f.note].blocks;
    case Flow::Target::kTextBox:
      return f.text_box;
    case Flow::Target::kBody:
      break;
  }
  return document_.body;
}

std::string& DocumentBuilder::Text(const model::CharFormat& format) {
  Flow& f = flow();
  std::vector<model::Inline>& inlines = f.paragraph.inlines;
  if (!inlines.empty()) {
    model::Inline& last = inlines.back();
    if (last.kind == model::InlineKind::kText) {
      if (last.format == format && !f.fresh_text) return last.text;
      Tighten(last.text);
    }
  }
  f.fresh_text = false;
  inlines.emplace_back();
  inlines.back().format = format;
  return inlines.back().text;
}

void DocumentBuilder::DropEmptyText() {
  std::vector<model::Inline>& inlines = flow().paragraph.inlines;
  if (!inlines.empty() && inlines.back().kind == model::InlineKind::kText && inlines.back().text.empty()) {
    inlines.pop_back();
  }
}

void DocumentBuilder::Tab(const model::CharFormat& format) {
  model::Inline& tab = flow().paragraph.inlines.emplace_back();
  tab.kind = model::InlineKind::kTab;
  tab.format = format;
}

void DocumentBuilder::LineBreak() {
  flow().paragraph.inlines.emplace_back().kind = model::InlineKind::kLineBreak;
}

void DocumentBuilder::NoteMark(uint32_t note) {
  model::Inline& mark = flow().paragraph.inlines.emplace_back();
  mark.kind = model::InlineKind::kNoteMark;
  mark.index = note;
}

void DocumentBuilder::Bookmark(std::string name) {
  if (name.empty()) return;
  model::Inline& bookmark = flow().paragraph.inlines.emplace_back();
  bookmark.kind = model::InlineKind::kBookmark;
  bookmark.text = std::move(name);
}

void DocumentBuilder::Picture(uint32_t picture) {
  model::Inline& item = flow().paragraph.inlines.emplace_back();
  item.kind = model::InlineKind::kPicture;
  item.index = picture;
}

uint64_t DocumentBuilder::LinkStart(std::string target, bool local) {
  Flow& f = flow();
  if (f.open_link != 0 || target.empty()) return 0;
  model::Inline& start = f.paragraph.inlines.emplace_back();
  start.kind = model::InlineKind::kLinkStart;
  start.local = local;
  start.text = std::move(target);
  f.open_link = ++links_;
  return f.open_link;
}

void DocumentBuilder::LinkEnd(uint64_t link) {
  if (link != 0 && flow().open_link == link) CloseLink();
}

void DocumentBuilder::CloseLink() {
  Flow& f = flow();
  if (f.open_link == 0) return;
  f.open_link = 0;
  std::vector<model::Inline>& inlines = f.paragraph.inlines;
  if (!inlines.empty() && inlines.back().kind == model::InlineKind::kLinkStart) {
    inlines.pop_back();  // a link around nothing
  } else {
    inlines.emplace_back().kind = model::InlineKind::kLinkEnd;
  }
}

bool DocumentBuilder::ParagraphHasContent() const {
  return !flows_.back().paragraph.inlines.empty();
}

bool DocumentBuilder::BeginMarker() {
  Flow& f = flow();
  if (f.in_marker) return false;
  f.in_marker = true;
  f.marker_start = f.paragraph.inlines.size();
  f.fresh_text = true;
  return true;
}

void DocumentBuilder::EndMarker() {
  Flow& f = flow();
  if (!f.in_marker) return;
  f.in_marker = false;
  f.has_marker = true;
  f.marker.clear();
  f.marker_format = model::CharFormat{};
  bool formatted = false;
  // Links keep their ends: one closed inside the marker closes where it stood, one opened there
  // is no link.
  bool closes_earlier_link = false;
  bool opens_link = false;
  std::vector<model::Inline>& inlines = f.paragraph.inlines;
  for (size_t i = f.marker_start; i < inlines.size(); ++i) {
    switch (inlines[i].kind) {
      case model::InlineKind::kText:
        f.marker += inlines[i].text;
        if (!formatted) f.marker_format = inlines[i].format;
        formatted = true;
        break;
      case model::InlineKind::kTab:
        f.marker += '\t';
        break;
      case model::InlineKind::kLinkStart:
        opens_link = true;
        break;
      case model::InlineKind::kLinkEnd:
        if (!opens_link) closes_earlier_link = true;
        opens_link = false;
        break;
      default:
        break;
    }
  }
  while (inlines.size() > f.marker_start) inlines.pop_back();
  if (closes_earlier_link) inlines.emplace_back().kind = model::InlineKind::kLinkEnd;
  if (opens_link) f.open_link = 0;
  f.fresh_text = false;
}

uint32_t DocumentBuilder::LookIndex(const ParagraphProps& props) {
  model::ParagraphLook look;
  look.line_twips = props.line;
  look.line_multiple = props.line_multiple && props.line != 0;
  look.borders = props.borders;
  look.background = ShadingColour(props.pattern_back, props.pattern, props.shading);
  look.tab_stops.assign(props.tabs.begin(), props.tabs.begin() + props.tab_count);
  std::sort(look.tab_stops.begin(), look.tab_stops.end());
  look.tab_stops.erase(std::unique(look.tab_stops.begin(), look.tab_stops.end()), look.tab_stops.end());
  std::vector<model::ParagraphLook>& looks = document_.looks;
  if (looks.empty()) looks.emplace_back();
  if (look == looks.front()) return 0;
  if (last_look_ < looks.size() && looks[last_look_] == look) return last_look_;
  // Looks are few: those of one hash share a short list.
  uint64_t hash =
      static_cast<uint32_t>(look.line_twips) * 31 + look.line_multiple + uint64_t{look.background} * 7;
  for (const model::Border* border :
       {&look.borders.top, &look.borders.left, &look.borders.bottom, &look.borders.right}) {
    hash = hash * 1000003 + static_cast<uint64_t>(border->style) * 131 +
           static_cast<uint32_t>(border->width_twips) * 17 + static_cast<uint32_t>(border->space_twips) * 3 +
           border->colour;
  }
  for (int32_t stop : look.tab_stops) hash = hash * 1000003 + static_cast<uint32_t>(stop);
  std::vector<uint32_t>& same_hash = look_index_[hash];
  for (uint32_t index : same_hash) {
    if (looks[index] == look) return last_look_ = index;
  }
  last_look_ = static_cast<uint32_t>(looks.size());
  same_hash.push_back(last_look_);
  looks.push_back(std::move(look));
  return last_look_;
}

model::Block DocumentBuilder::TakeParagraph(const ParagraphProps& props) {
  CloseLink();
  Flow& f = flow();
  model::ParagraphFormat& format = f.paragraph.format;
  format.alignment = props.alignment;
  format.left_twips = props.left;
  format.right_twips = props.right;
  format.first_line_twips = props.first_line;
  format.space_before_twips = props.before;
  format.space_after_twips = props.after;
  format.heading = props.heading;
  format.look = LookIndex(props);
  // The first run's look: a marker's own formatting words go over it.
  model::CharFormat first_run;
  for (const model::Inline& item : f.paragraph.inlines) {
    if (item.kind == model::InlineKind::kText || item.kind == model::InlineKind::kTab) {
      first_run = item.format;
      break;
    }
  }
  if (f.has_marker && f.marker_format.font == -1) f.marker_format.font = first_run.font;
  if (props.list > 0) {
    // Every item counts, so that the numbers stay right where the writer's markers stop.
    std::string counted = lists_.NextMarker(props.list, props.list_level);
    format.list = props.list;
    format.list_level = props.list_level;
    format.list_marker = ShownMarker(f.has_marker ? f.marker : counted);
    format.marker_format =
        f.has_marker ? f.marker_format : lists_.MarkerFormat(props.list, props.list_level, first_run);
  } else if (f.has_marker) {
    format.list = 0;  // an item of the older kind ("\pntext"), which names no list
    format.list_marker = ShownMarker(f.marker);
    format.marker_format = f.marker_format;
  }
  if (f.in_marker) {
    // A paragraph that ends inside its marker keeps the marker as text, joined to the text
    // before it when the two look alike.
    std::vector<model::Inline>& inlines = f.paragraph.inlines;
    const size_t start = f.marker_start;
    if (start > 0 && start < inlines.size() && inlines[start - 1].kind == model::InlineKind::kText &&
        inlines[start].kind == model::InlineKind::kText &&
        inlines[start - 1].format == inlines[start].format) {
      inlines[start - 1].text += inlines[start].text;
      inlines.erase(inlines.begin() + static_cast<std::ptrdiff_t>(start));
    }
    f.in_marker = false;
  }
  f.marker.clear();
  f.has_marker = false;
  if (!f.paragraph.inlines.empty() && f.paragraph.inlines.back().kind == model::InlineKind::kText) {
    Tighten(f.paragraph.inlines.back().text);
  }
  model::Block block;
  block.content.emplace<model::Paragraph>(std::move(f.paragraph));
  f.paragraph = model::Paragraph{};
  return block;
}

void DocumentBuilder::StartFirstSection() {
  if (!document_.body.empty() || section_open_) return;
  if (first_columns_ > 1)
    document_.body.emplace_back().content.emplace<model::SectionBreak>().columns = first_columns_;
  first_columns_ = 1;
}

void DocumentBuilder::CloseTables(Flow& f) {
  std::vector<model::Block>& container = Container(f);
  f.tables.CloseAll(container);
  for (model::Block& waiting : f.waiting) AppendWithin(std::move(waiting), model::kMaxTableDepth, container);
  f.waiting.clear();
}

void DocumentBuilder::Place(model::Block block, int depth) {
  depth = std::clamp(depth, 0, model::kMaxTableDepth);
  Flow& f = flow();
  if (f.target == Flow::Target::kBody) {
    StartFirstSection();
    section_open_ = false;
  }
  std::vector<model::Block>& container = Container(f);
  f.tables.OpenTo(depth, container);
  std::vector<model::Block>& into = depth == 0 ? container : f.tables.CellBlocks();
  into.push_back(std::move(block));
  for (model::Block& waiting : f.waiting)
    AppendWithin(std::move(waiting), model::kMaxTableDepth - depth, into);
  f.waiting.clear();
  // Place ended any open section break, so every block of the body is final.
  if (handoff_ != nullptr && f.target == Flow::Target::kBody && document_.body.size() > handoff_->blocks()) {
    handoff_->BodyGrew(document_, tokens_ != nullptr ? tokens_->position() : 0);
  }
}

void DocumentBuilder::EndParagraph(const ParagraphProps& props) {
  Place(TakeParagraph(props), props.TableDepth());
}

void DocumentBuilder::EndCell(int depth, const ParagraphProps& props) {
  depth = std::clamp(depth, 1, model::kMaxTableDepth);
  Flow& f = flow();
  f.tables.OpenTo(depth, Container(f));
  if (ParagraphHasContent() || f.tables.CellBlocks().empty()) {
    Place(TakeParagraph(props), depth);
  } else {
    f.marker.clear();
    f.has_marker = false;
  }
  f.tables.EndCell();
}

void DocumentBuilder::EndRow(int depth, const RowDefinition& definition) {
  depth = std::clamp(depth, 1, model::kMaxTableDepth);
  Flow& f = flow();
  f.tables.OpenTo(depth, Container(f));
  if (ParagraphHasContent()) {
    ParagraphProps props;
    props.table_depth = static_cast<int16_t>(depth);
    Place(TakeParagraph(props), depth);
  }
  f.tables.EndRow(definition);
}

void DocumentBuilder::SectionBreak(const ParagraphProps& props) {
  if (ParagraphHasContent()) EndParagraph(props);
  Flow& f = flow();
  if (f.target != Flow::Target::kBody) return;
  StartFirstSection();
  CloseTables(f);
  document_.body.emplace_back().content.emplace<model::SectionBreak>();
  section_open_ = true;
}

void DocumentBuilder::SetColumns(int columns) {
  columns = std::clamp(columns, 1, 1000);
  if (section_open_) {
    std::get<model::SectionBreak>(document_.body.back().content).columns = columns;
  } else if (document_.body.empty()) {
    first_columns_ = columns;
  }
}

void DocumentBuilder::Finish(const ParagraphProps& props) {
  while (flows_.size() > 1) PopFlow(props);
  if (ParagraphHasContent()) EndParagraph(props);
  CloseTables(flow());
}

}  // namespace tessarine::reader
