// Plain scans of RTF text for the fidelity tests' source scan (source_features.h): control
// words, groups, the text of a small group and the target of a field instruction. They know
// nothing of the readers under test. Positions are 0-based offsets into the text.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tessarine::testing {

// A control word or symbol starting at a backslash.
struct ControlWord {
  std::string_view word;  // letters; for a symbol, the one character after the backslash
  long parameter = 0;
  bool has_parameter = false;
  size_t end = 0;  // just past it, its delimiting space included
};

// The control word or symbol whose backslash stands at `at`; at the end of the text an empty
// word ending there.
ControlWord ReadControlWord(std::string_view rtf, size_t at);

// The end of the group that opens at `open` ("{"): just past its "}", or the end of the text.
// "\bin N" data is passed over.
size_t GroupEnd(std::string_view rtf, size_t open);

// The first control word of the group that opens at `open`, past a "\*"; "" when the group
// starts with text.
std::string_view GroupWord(std::string_view rtf, size_t open);

// The characters of the 256 bytes in a document's code page.
using ByteTable = std::array<char32_t, 256>;

// The code page of the document's header ("\ansicpgN" or "\mac" of a single-byte code page);
// code page 1251 without them or for a double-byte one.
ByteTable DocumentCodePage(std::string_view rtf);

enum class AtTab { kStop, kGoOn };

// The text of the group [open, end) in UTF-8: control words left out but for the few that are
// characters (\tab \bullet \endash \emdash \~ \\ \{ \}), "\'hh" and 8-bit text read through
// `code_page`, "\uN" with its "\ucN" fallback skipped, "{\*...}" groups left out. With
// AtTab::kStop the text ends at the first "\tab".
std::string GroupText(std::string_view rtf, size_t open, size_t end, const ByteTable& code_page,
                      AtTab at_tab);

// The external target of a field instruction 'HYPERLINK "url" \l "anchor" \o "tip"' (a
// quoted text's doubled backslashes undone): "url#anchor", or "url"; "" for another field, a
// bookmark of the document ("\l" alone, "#name") and a script target.
std::string HyperlinkTarget(std::string_view instruction);

// True for a target that runs a script: javascript:, vbscript:, data: (any letter case).
bool IsScriptTarget(std::string_view target);

}  // namespace tessarine::testing
