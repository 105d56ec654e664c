// Footnotes and comments: a numbered link in the text, the note collected for the page's end.
//
// Footnotes and comments share FootnoteCount, so notes are numbered 1, 2, 3 ... in document
// order. The link in the text is named "hts<N>" and points to "#dssl<N>"; the note is named
// "dssl<N>" and points back to "#hts<N>".
#pragma once

#include <string>
#include <string_view>

#include "passes/pipeline/conversion_state.h"

namespace tessarine {

// Cuts the word that stands before a note mark off the end of `output` and returns it: the
// text after the last ">" or after the last space before the final character, whichever comes
// later (so no mark-up goes with it); all of `output` when there is neither. Scans back only as
// far as that character.
std::string CutWordBeforeMark(std::string& output);

// A footnote group (one holding "\super" and "\footnote"): the word before the mark becomes
// the link to the note, followed by the bold superscript number; the note's text (the groups
// from the first one without nested groups after "\footnote" on, its first "<br>" removed) is
// appended to FootnotesText. Sets HasFootnotes.
void ConvertFootnote(std::string_view group, ConversionState& st);

// A comment reference: `at` is the 1-based position of "{\*\atrfstart" in `group`. Writes the
// text before the reference (as a span of the paragraph), then the commented words as the link
// to the note, and sets CommentPending so that the next complex group gives the note's text.
// `run_count` is a copy of the paragraph's counter.
void ConvertCommentReference(std::string_view group, long at, int run_count, ConversionState& st);

// The complex group after a comment reference: clears CommentPending and, when the group holds
// "\pard\plain", appends the note numbered by the reference to FootnotesText. Without
// "\pard\plain" the group is dropped.
void ConvertCommentText(std::string_view group, ConversionState& st);

}  // namespace tessarine
