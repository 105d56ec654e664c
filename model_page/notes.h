// Footnotes, endnotes and comments: numbered in the order of their marks, each mark a link to
// its note and each note a link back, with the anchor names ("htsN" at the mark, "dsslN" at the
// note) and classes ("sslk", "ht") the stylesheet's note rules style.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarine {

struct PageContext;

class NoteNumbers {
 public:
  explicit NoteNumbers(size_t note_count) : numbers_(note_count, 0), anchored_(note_count, 0) {}

  // The document has `note_count` notes now (a count below the one before changes nothing).
  void Grow(size_t note_count) {
    if (note_count <= numbers_.size()) return;
    numbers_.resize(note_count, 0);
    anchored_.resize(note_count, 0);
  }

  // The number of note `index`, given at its first mark (1, 2, ...), and whether the mark's
  // anchor is still to be written (true once per note). 0 for an index that names no note.
  uint32_t Mark(uint32_t index, bool& first_anchor);

  // Numbers the notes that have no number yet, after the others.
  void NumberUnmarked();

  // Note indices in number order (grows while notes are written: a note may mark another).
  const std::vector<uint32_t>& order() const { return order_; }
  uint32_t NumberOf(uint32_t index) const { return numbers_[index]; }
  // Whether a mark's anchor for note `index` has been written: its note may link back.
  bool Anchored(uint32_t index) const { return anchored_[index] != 0; }

 private:
  std::vector<uint32_t> numbers_;  // by note index; 0: not numbered yet
  std::vector<uint8_t> anchored_;  // by note index
  std::vector<uint32_t> order_;
};

// Appends the start of the reference at a note's mark: the mark's anchor at its first mark,
// then the opening of the link to the note, whose text (the word before the mark) follows.
void AppendNoteReferenceOpen(std::string& out, uint32_t number, bool first);

// Appends the end of that link and the bold superscript number.
void AppendNoteReferenceClose(std::string& out, uint32_t number);

// Appends the notes' part of the page, every marked note and then every note without a mark,
// in number order; sets the footnote flag of the stylesheet when there is any.
void AppendNotes(PageContext& context, std::string& out);

}  // namespace tessarine
