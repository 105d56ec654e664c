// Builds the document model from what the reader meets in reading order: characters and other
// inline items go into the paragraph being read, paragraph and cell ends place it, rows and
// sections end where RTF says. Text flows into the body, into a note, or into a text box, one
// flow at a time; a flow that starts inside another (a footnote in a paragraph) ends first.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/document.h"
#include "reader/body_handoff.h"
#include "reader/group_state.h"
#include "reader/list_table.h"
#include "reader/table_builder.h"
#include "reader/tokens.h"

namespace tessarine::reader {

class DocumentBuilder {
 public:
  // Builds into `document`, whose body flow is the first; `definitions` and `lists` must outlive
  // the builder. With a `handoff`, the body's blocks are offered to it as they are placed
  // (body_handoff.h), with the position of `tokens` in the input.
  DocumentBuilder(model::Document& document, const RowDefinitions& definitions, ListTable& lists,
                  BodyHandoff* handoff = nullptr, const Tokenizer* tokens = nullptr);

  // Text now flows into note `note` of the document, or into a new text box, until PopFlow. A
  // text box's blocks follow the paragraph it stands in. A text box inside a text box flows on
  // in the outer one: PushTextBoxFlow then returns false and no PopFlow is due.
  void PushNoteFlow(uint32_t note);
  bool PushTextBoxFlow();
  // Ends the current flow (not the body's): its last paragraph (when it has anything, in
  // `props`) and its tables.
  void PopFlow(const ParagraphProps& props);

  // The string to append text in `format` to: the last item of the paragraph when it is text of
  // that format, else a new item. Call DropEmptyText when nothing may have been appended.
  std::string& Text(const model::CharFormat& format);
  void DropEmptyText();
  void Tab(const model::CharFormat& format);
  void LineBreak();
  void NoteMark(uint32_t note);
  void Bookmark(std::string name);
  void Picture(uint32_t picture);
  // Starts a link; returns its number for LinkEnd, or 0 when a link is open already (links do
  // not nest) or the target is empty.
  uint64_t LinkStart(std::string target, bool local);
  // Ends link `link` when it is still open (a paragraph end ends links too).
  void LinkEnd(uint64_t link);
  // True when the paragraph being read has any item.
  bool ParagraphHasContent() const;

  // The writer's marker of the list item being read ("\listtext", "\pntext"): what comes into
  // the paragraph from BeginMarker to EndMarker is taken out again as its marker (text and tabs).
  // A paragraph that ends in between keeps it as text: some writers put the whole paragraph in
  // the marker's group. BeginMarker returns false when a marker is being read already.
  bool BeginMarker();
  void EndMarker();

  // Ends the paragraph being read (with `props`) into the body, note or text box, or into a
  // table cell as deep as its props say.
  void EndParagraph(const ParagraphProps& props);
  // "\cell" and "\nestcell": the paragraph being read, unless it is empty and the cell has
  // blocks, ends the cell of the table at `depth`.
  void EndCell(int depth, const ParagraphProps& props);
  // "\row" and "\nestrow": ends the row of the table at `depth` with its definition.
  void EndRow(int depth, const RowDefinition& definition);
  // "\sect": ends the paragraph being read when it has anything, and every table, and starts a
  // section. Only in the body; elsewhere it ends the paragraph.
  void SectionBreak(const ParagraphProps& props);
  // "\cols": how many columns the current section has ("\sectd": 1).
  void SetColumns(int columns);

  // Ends everything still open at the end of the document.
  void Finish(const ParagraphProps& props);

 private:
  struct Flow {
    explicit Flow(const RowDefinitions& definitions) : tables(definitions) {}
    enum class Target { kBody, kNote, kTextBox } target = Target::kBody;
    uint32_t note = 0;
    model::Paragraph paragraph;
    std::string marker;               // the writer's list marker of the paragraph
    model::CharFormat marker_format;  // the format of its first text
    bool has_marker = false;
    bool in_marker = false;   // between BeginMarker and EndMarker
    size_t marker_start = 0;  // the paragraph's first item of the marker being read
    bool fresh_text = false;  // the next text starts an item of its own
    uint64_t open_link = 0;   // the number of the link open in the paragraph, 0 for none
    TableBuilder tables;
    std::vector<model::Block> text_box;  // Target::kTextBox: its blocks
    std::vector<model::Block> waiting;   // blocks of text boxes in the paragraph being read
  };

  Flow& flow() { return flows_.back(); }
  std::vector<model::Block>& Container(Flow& flow);
  // Places `block` in the current flow at table depth `depth`, then the blocks waiting for it.
  void Place(model::Block block, int depth);
  // Ends the tables of `flow` into its container, then the text boxes' blocks waiting there.
  void CloseTables(Flow& flow);
  // Makes the paragraph being read a block (resetting it) with its format from `props`.
  model::Block TakeParagraph(const ParagraphProps& props);
  // The index in Document::looks of the look `props` give (added when new).
  uint32_t LookIndex(const ParagraphProps& props);
  void CloseLink();
  void StartFirstSection();

  model::Document& document_;
  const RowDefinitions& definitions_;
  ListTable& lists_;
  BodyHandoff* handoff_;
  const Tokenizer* tokens_;
  std::vector<Flow> flows_;
  uint64_t links_ = 0;                                              // links started so far
  uint32_t last_look_ = 0;                                          // the look of the paragraph before
  std::unordered_map<uint64_t, std::vector<uint32_t>> look_index_;  // Document::looks by hash
  int first_columns_ = 1;      // the columns of the first section, before the body has blocks
  bool section_open_ = false;  // the body's last block is a SectionBreak that "\cols" may change
};

}  // namespace tessarine::reader
