// The structured RTF reader: reads the tokens of a document in one pass, keeps the state of
// each group on an explicit stack, and hands what the groups hold to the destination tables and
// the document builder. ReadRtfDocument (read_rtf.h) is its public face.
//
// The work is split by concept: reader.cpp runs the tokens, groups and text; reader_words.cpp
// acts on control words; reader_destinations.cpp starts and ends destinations.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/document.h"
#include "reader/colour_table.h"
#include "reader/document_builder.h"
#include "reader/font_table.h"
#include "reader/formatting.h"
#include "reader/group_state.h"
#include "reader/keywords.h"
#include "reader/list_table.h"
#include "reader/pictures.h"
#include "reader/style_sheet.h"
#include "reader/table_builder.h"
#include "reader/text_decoder.h"
#include "reader/tokens.h"

namespace tessarine::reader {

// How deep groups may nest on the stack. Deeper groups share the state of the deepest one (their
// braces are still counted), so hostile nesting costs no memory.
inline constexpr size_t kMaxGroupDepth = 1024;

class Reader {
 public:
  // With a `handoff`, the body's blocks are offered to it while the document is read
  // (body_handoff.h).
  explicit Reader(std::string_view rtf, BodyHandoff* handoff = nullptr);
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  // Reads the whole document once; call once.
  model::Document Run();

 private:
  // Something a destination started that ends with the group it started in.
  enum class EndingKind : uint8_t {
    kFontTable,
    kFontEntry,
    kStyleEntry,
    kList,
    kListLevel,
    kListOverride,
    kField,
    kFieldResult,
    kNote,
    kTextBox,
    kPicture,
    kBookmark,
    kShape,
    kMarker,
    kStyleSheet,
    kBackground,
    kBackgroundColour,
  };
  struct Ending {
    size_t depth;  // the stack size of the group
    EndingKind kind;
    int32_t detail;  // kFieldResult: the field; kPicture, kBookmark: the Destination around it;
                     // kTextBox: 1 when the text box has a flow of its own
  };
  struct Field {
    std::string instruction;  // UTF-8
    Destination outer;        // where the field's result goes
    int32_t outer_field;      // the field whose instruction holds this one, or -1
    uint64_t link = 0;        // the link the result opened (DocumentBuilder::LinkStart)
  };

  // reader.cpp
  GroupState& state() { return stack_.back(); }
  FormattingTables Tables() const { return FormattingTables{fonts_, colours_, styles_, default_font_}; }
  void OpenGroup();
  void CloseGroup();
  void SkipRestOfGroup();
  void Text(std::string_view text);
  bool ReadTextInPlace();
  void LevelText(std::string_view text);
  void Binary(std::string_view bytes);
  void Character(char32_t c);
  void Unicode(int32_t value);
  std::string* CollectedText();  // where the text of the current destination is collected
  bool WritesHtml() const;
  // Text of the running flow (kText), unless hidden or deleted: `decode(out)` appends it to the
  // paragraph in the group's format, and to the encapsulated HTML when that is written.
  template <typename Decode>
  void AppendToFlow(Decode&& decode);

  // reader_words.cpp
  void Word(const Token& token);
  bool ReadWordInPlace();
  void Symbol(char symbol);
  void Act(const Keyword& keyword, bool has_param, int32_t param);
  void Par();
  void Tab();
  void RowWord(Action action, int32_t value);
  RowDefinition& RowBeingDefined();
  void BorderWord(Action action, int32_t value);
  void ApplyDefaultFont();
  model::CharFormat FlowFormat() const;

  // reader_destinations.cpp
  void BeginDestination(Action action);
  void End(const Ending& ending);
  void PushEnding(EndingKind kind, int32_t detail = 0);
  void BeginNote(model::NoteKind kind);
  void BeginFieldResult();
  void EndPicture(Destination outer);

  Tokenizer tokens_;
  model::Document document_;
  std::vector<GroupState> stack_;
  size_t overflow_ = 0;          // groups open beyond kMaxGroupDepth
  uint32_t skip_ = 0;            // fallback characters of a "\u" still to leave out
  char32_t high_surrogate_ = 0;  // the first half of a "\u" surrogate pair
  TextDecoder decoder_;
  FontTable fonts_;
  ColourTable colours_;
  StyleSheet styles_;
  ListTable lists_;
  RowDefinitions rows_;
  DocumentBuilder builder_;
  PictureBuilder picture_;
  std::vector<Field> fields_;
  std::vector<Ending> endings_;
  std::vector<uint64_t> shapes_;     // for each open "\shp": what shapes had given when it started
  uint64_t shape_output_ = 0;        // pictures and text boxes the shapes have given so far
  int32_t default_font_ = -1;        // "\deffN"
  int32_t last_note_ = -1;           // the note "\ftnalt" makes an endnote
  bool shape_picture_read_ = false;  // a "\shppict" came: the "\nonshppict" after it is skipped
  // Which border the border words describe (reader/keywords.h kParagraphBorder ...).
  struct BorderTarget {
    enum class Kind : uint8_t { kNone, kParagraph, kCell } kind = Kind::kNone;
    int32_t side = 0;  // 0 top, 1 left, 2 bottom, 3 right, 4 all four
  };
  BorderTarget border_target_;
  int background_ = 0;           // "\background" groups open: their shapes' pictures are left out
  std::string style_name_;       // the name of the style being defined
  int32_t style_based_on_ = -1;  // its "\sbasedon"
  std::string bookmark_;         // the name of the bookmark being read
  std::string comment_id_;       // "\atnid" and "\atnauthor" of the next comment
  std::string comment_author_;
  std::string shape_property_;  // the "\sn" name of the shape property being read
  std::string shape_value_;     // the "\sv" text of the page background's "fillColor"
};

}  // namespace tessarine::reader
