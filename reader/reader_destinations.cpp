// Destinations: the groups that hold something other than the document's running text, how each
// starts and what its end completes.
#include "reader/fields.h"
#include "reader/reader.h"

namespace tessarine::reader {

namespace {

// A shape's colour property: a decimal number 0x00BBGGRR; kNoColour for anything else (the
// system colours have high bits set).
model::Colour FillColour(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  uint64_t value = 0;
  size_t digits = 0;
  for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9' && digits < 10; ++digits)
    value = value * 10 + static_cast<uint64_t>(text[digits] - '0');
  if (digits == 0 || value > 0xFFFFFF) return model::kNoColour;
  return static_cast<model::Colour>(((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF));
}

}  // namespace

void Reader::PushEnding(EndingKind kind, int32_t detail) {
  endings_.push_back(Ending{stack_.size(), kind, detail});
}

void Reader::BeginDestination(Action action) {
  GroupState& s = state();
  const Destination outer = s.destination;
  // Of the page background only its shape's colour is read: its picture, text and results show
  // nowhere.
  if (background_ > 0 && action != Action::kShape && action != Action::kShapeInstance &&
      action != Action::kShapeProperty && action != Action::kShapePropertyName &&
      action != Action::kShapePropertyValue) {
    return SkipRestOfGroup();
  }
  switch (action) {
    case Action::kSkipDestination:
      return SkipRestOfGroup();
    case Action::kFontTable:
      s.destination = Destination::kFontTable;
      return PushEnding(EndingKind::kFontTable);
    case Action::kColourTable:
      s.destination = Destination::kColourTable;
      return;
    case Action::kStyleSheet:
      s.destination = Destination::kStyleSheet;
      s.style_entry = -1;
      return PushEnding(EndingKind::kStyleSheet);
    case Action::kInfo:
      s.destination = Destination::kNone;
      return;
    case Action::kTitle:
      s.destination = Destination::kTitle;
      document_.info.title.clear();
      return;
    case Action::kAuthor:
      s.destination = Destination::kAuthor;
      document_.info.author.clear();
      return;
    case Action::kListTable:
    case Action::kListOverrideTable:
      s.destination = Destination::kListTable;
      return;
    case Action::kListDefinition:
      lists_.BeginList();
      return PushEnding(EndingKind::kList);
    case Action::kListLevelDefinition:
      lists_.BeginLevel();
      s.char_words = 0;  // the level's own formatting words give its marker's look
      return PushEnding(EndingKind::kListLevel);
    case Action::kLevelText:
      s.destination = Destination::kLevelText;
      return;
    case Action::kListOverride:
      lists_.BeginOverride();
      return PushEnding(EndingKind::kListOverride);
    case Action::kListText:
      // Only a marker of the running text is one; elsewhere it is left out.
      if (outer != Destination::kText) {
        s.destination = Destination::kNone;
        return;
      }
      s.in_marker = true;
      if (builder_.BeginMarker()) PushEnding(EndingKind::kMarker);
      return;
    case Action::kField:
      fields_.push_back(Field{std::string(), outer, s.field});
      s.field = static_cast<int32_t>(fields_.size() - 1);
      s.destination = Destination::kNone;
      return PushEnding(EndingKind::kField);
    case Action::kFieldInstruction:
      s.destination = s.field >= 0 ? Destination::kFieldInstruction : Destination::kNone;
      return;
    case Action::kFieldResult:
      return BeginFieldResult();
    case Action::kBookmarkStart:
      s.destination = Destination::kBookmarkName;
      bookmark_.clear();
      return PushEnding(EndingKind::kBookmark, static_cast<int32_t>(outer));
    case Action::kFootnote:
      return BeginNote(model::NoteKind::kFootnote);
    case Action::kAnnotation:
      return BeginNote(model::NoteKind::kComment);
    case Action::kCommentId:
      s.destination = Destination::kCommentId;
      comment_id_.clear();
      return;
    case Action::kCommentAuthor:
      s.destination = Destination::kCommentAuthor;
      comment_author_.clear();
      return;
    case Action::kPicture:
      if (s.hidden || s.deleted) return SkipRestOfGroup();
      picture_.Begin();
      s.destination = Destination::kPicture;
      return PushEnding(EndingKind::kPicture, static_cast<int32_t>(outer));
    case Action::kShapePicture:
      shape_picture_read_ = true;
      return;
    case Action::kNonShapePicture:
      // The picture again for readers that know no "\shppict": read only when there was none.
      if (shape_picture_read_) {
        shape_picture_read_ = false;
        return SkipRestOfGroup();
      }
      return;
    case Action::kShape:
      if (s.hidden || s.deleted) return SkipRestOfGroup();
      s.resumed = outer;
      s.destination = Destination::kNone;
      shapes_.push_back(shape_output_);
      return PushEnding(EndingKind::kShape);
    case Action::kShapeInstance:
    case Action::kShapeProperty:
      s.destination = Destination::kNone;
      return;
    case Action::kShapeText:
      s.destination = Destination::kText;
      ResetParagraphFormatting(s);
      return PushEnding(EndingKind::kTextBox, builder_.PushTextBoxFlow() ? 1 : 0);
    case Action::kShapeResult:
      // What the shape looks like to readers that know no shapes: read only when it gave nothing.
      if (!shapes_.empty() && shape_output_ > shapes_.back()) return SkipRestOfGroup();
      s.destination = s.resumed;
      return;
    case Action::kShapePropertyName:
      s.destination = Destination::kShapePropertyName;
      shape_property_.clear();
      return;
    case Action::kShapePropertyValue:
      // Only the shape's own picture ("pib") is read from its properties, and the page
      // background's colour; the background's picture is left out.
      if (background_ > 0 && shape_property_ == "fillColor") {
        s.destination = Destination::kShapeValue;
        shape_value_.clear();
        return PushEnding(EndingKind::kBackgroundColour);
      }
      if (shape_property_ != "pib" || background_ > 0) return SkipRestOfGroup();
      s.destination = Destination::kNone;
      return;
    case Action::kBackgroundShape:
      s.destination = Destination::kNone;
      ++background_;
      return PushEnding(EndingKind::kBackground);
    case Action::kObject:
    case Action::kUpr:
      s.resumed = outer;
      s.destination = Destination::kNone;
      return;
    case Action::kObjectResult:
    case Action::kUd:
      s.destination = s.resumed;
      return;
    case Action::kNestTableProps:
      s.nested_row = true;
      s.destination = Destination::kNone;
      return;
    case Action::kHtmlTag:
      s.destination = Destination::kHtmlTag;
      return;
    default:
      return;
  }
}

void Reader::BeginNote(model::NoteKind kind) {
  GroupState& s = state();
  if (s.hidden || s.deleted) return SkipRestOfGroup();
  const auto index = static_cast<uint32_t>(document_.notes.size());
  model::Note& note = document_.notes.emplace_back();
  note.kind = kind;
  if (kind == model::NoteKind::kComment) {
    note.author = !comment_author_.empty() ? std::move(comment_author_) : std::move(comment_id_);
    comment_author_.clear();
    comment_id_.clear();
  }
  last_note_ = static_cast<int32_t>(index);
  if (s.destination == Destination::kText) builder_.NoteMark(index);
  builder_.PushNoteFlow(index);
  s.destination = Destination::kText;
  ResetParagraphFormatting(s);
  PushEnding(EndingKind::kNote);
}

void Reader::BeginFieldResult() {
  GroupState& s = state();
  if (s.field < 0 || static_cast<size_t>(s.field) >= fields_.size()) return;
  Field& field = fields_[static_cast<size_t>(s.field)];
  const int32_t index = s.field;
  s.destination = field.outer;
  s.field = field.outer_field;
  if (s.destination == Destination::kText && !s.hidden && !s.deleted && field.link == 0) {
    if (std::optional<LinkTarget> link = HyperlinkOf(field.instruction)) {
      field.link = builder_.LinkStart(std::move(link->target), link->local);
    }
  }
  PushEnding(EndingKind::kFieldResult, index);
}

void Reader::EndPicture(Destination outer) {
  model::Picture picture = picture_.Finish();
  if (outer != Destination::kText && outer != Destination::kNone) return;
  if (picture.data.empty() && picture.width_twips == 0 && picture.height_twips == 0) return;
  const auto index = static_cast<uint32_t>(document_.pictures.size());
  document_.pictures.push_back(std::move(picture));
  builder_.Picture(index);
  ++shape_output_;
}

void Reader::End(const Ending& ending) {
  const GroupState& s = state();
  switch (ending.kind) {
    case EndingKind::kFontTable:
      fonts_.EndEntry(document_.fonts);
      return ApplyDefaultFont();
    case EndingKind::kFontEntry:
      return fonts_.EndEntry(document_.fonts);
    case EndingKind::kStyleEntry:
      if (s.style_entry >= 0) styles_.Define(s.style_entry, s, style_name_, style_based_on_);
      style_name_.clear();
      style_based_on_ = -1;
      return;
    case EndingKind::kStyleSheet:
      return styles_.ResolveBases();
    case EndingKind::kBackground:
      if (background_ > 0) --background_;
      return;
    case EndingKind::kBackgroundColour:
      document_.background = FillColour(shape_value_);
      return;
    case EndingKind::kList:
      return lists_.EndList();
    case EndingKind::kListLevel:
      return lists_.EndLevel(s.page, s.chars, s.char_words);
    case EndingKind::kListOverride:
      return lists_.EndOverride();
    case EndingKind::kField:
      if (!fields_.empty()) fields_.pop_back();
      return;
    case EndingKind::kFieldResult:
      if (static_cast<size_t>(ending.detail) < fields_.size()) builder_.LinkEnd(fields_[ending.detail].link);
      return;
    case EndingKind::kNote:
      return builder_.PopFlow(s.paragraph);
    case EndingKind::kTextBox:
      if (ending.detail != 0) builder_.PopFlow(s.paragraph);
      ++shape_output_;
      return;
    case EndingKind::kPicture:
      return EndPicture(static_cast<Destination>(ending.detail));
    case EndingKind::kBookmark:
      if (static_cast<Destination>(ending.detail) == Destination::kText)
        builder_.Bookmark(std::move(bookmark_));
      bookmark_.clear();
      return;
    case EndingKind::kMarker:
      return builder_.EndMarker();
    case EndingKind::kShape:
      if (!shapes_.empty()) shapes_.pop_back();
      return;
  }
}

}  // namespace tessarine::reader
