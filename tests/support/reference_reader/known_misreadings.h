// Documents of the shared corpus (../shared/corpus/) that the reference reader reads wrongly:
// words it finds there that the document does not hold, mostly text of another code page read
// as code page 1251. The reader's corpus test pins the count of such words per document; the
// fidelity test leaves them out of what a page must keep.
#pragma once

#include <string_view>

namespace tessarine::reference {

struct KnownMisreading {
  const char* path;  // the end of the document's path
  long words;        // the words (with repeats) the reference reader finds and the document lacks
  const char* reason;
};

inline constexpr KnownMisreading kKnownMisreadings[] = {
    {"apache__tika/testRTFJapanese.rtf", 599, "Shift-JIS text of \\fcharset128 fonts read as code page 1251"},
    {"apache__tika/testRTFUnicodeUCNControlWordCharacterDoubling.rtf", 1,
     "\\'94\\'4f in a \\fcharset128 font is one Japanese character, not \"\\x94O\""},
    {"apache__tika/testRTFWord2010CzechCharacters.rtf", 14,
     "\\fcharset238 (code page 1250) text read as 1252"},
    {"apache__tika/testRTFWordPadCzechCharacters.rtf", 14,
     "\\fcharset238 (code page 1250) text read as 1252"},
    {"c00kiemon5ter__rtf2latex2e/arch.rtf", 56, "a \\mac document's Mac Roman bytes read as code page 1251"},
    {"c00kiemon5ter__rtf2latex2e/RtfInterpreterTest_14.rtf", 2268,
     "Mac Japanese text (\\ansicpg10001, \\fcharset78) read as code page 1251"},
    {"c00kiemon5ter__rtf2latex2e/RtfInterpreterTest_18.rtf", 417,
     "GBK text of \\fcharset134 fonts read as 1252"},
    {"c00kiemon5ter__rtf2latex2e/science.rtf", 17,
     "Symbol font letters are Greek (\\'65 is epsilon), not Latin"},
    {"c00kiemon5ter__rtf2latex2e/table.rtf", 3,
     "a Symbol font mu before subscript letters joins them into one word"},
    {"c00kiemon5ter__rtf2latex2e/test.rtf", 1, "Symbol font \\u-3999 is alpha, not a private-use character"},
    {"d0rianb__rtf-parser/file-sample_100kB.rtf", 6,
     "list markers U+F0B7 are bullets, not private-use characters"},
    {"Fdawgs__node-unrtf/test-rtf-complex.rtf", 6,
     "list markers U+F0B7 are bullets, not private-use characters"},
    {"ivandeex__rtf2db/sps.rtf", 3, "Wingdings \\'a7 list markers are square bullets, not \"\\xA7\""},
    {"jgm__pandoc/table_nested.rtf", 8, "\\nonesttables holds text for readers without nested tables"},
    {"joniles__rtfparserkit/testUnicode.rtf", 2, "\\fcharset134 and \\fcharset238 text read as 1252"},
    {"joshy__striprtf/encoding.rtf", 16, "the text of a (broken) \\generator group is the writer's name"},
    {"paulhtremblay__rtf2xml/bad_encoding.rtf", 1, "without \\ansicpg a byte is code page 1252, not 1251"},
    {"paulhtremblay__rtf2xml/old3_from_web.rtf", 5,
     "Symbol font letters are Greek (\\'62 is beta), not Latin"},
    {"paulhtremblay__rtf2xml/ted_mixed_faces.rtf", 1,
     "a word written in the Symbol font shows Greek letters"},
    {"tbluemel__rtf.js/infer-double-width-source.rtf", 114, "Shift-JIS and GBK text read as code page 1252"},
    {"tbluemel__rtf.js/japanese-single-double-byte-source.rtf", 1,
     "the reference reader breaks a double-byte character at the start of a line"},
};

// The entry of the document at `path` (a path ending in an entry's path), or nullptr.
inline const KnownMisreading* FindKnownMisreading(std::string_view path) {
  for (const KnownMisreading& known : kKnownMisreadings) {
    if (path.ends_with(known.path)) return &known;
  }
  return nullptr;
}

}  // namespace tessarine::reference
