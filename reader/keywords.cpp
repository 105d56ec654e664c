#include "reader/keywords.h"

#include <array>
#include <cstddef>

namespace tessarine::reader {

namespace {

// Sorted by name (byte order), which the build checks.
constexpr Keyword kKeywords[] = {
    {"\n", Kind::kFlag, Action::kPar, 0},
    {"*", Kind::kFlag, Action::kIgnorable, 0},
    {"-", Kind::kFlag, Action::kNone, 0},
    {":", Kind::kFlag, Action::kNone, 0},
    {"\\", Kind::kSymbol, Action::kCharacter, 0x005C},
    {"_", Kind::kSymbol, Action::kCharacter, 0x2011},
    {"aftncn", Kind::kDestination, Action::kSkipDestination, 0},
    {"aftnsep", Kind::kDestination, Action::kSkipDestination, 0},
    {"aftnsepc", Kind::kDestination, Action::kSkipDestination, 0},
    {"annotation", Kind::kDestination, Action::kAnnotation, 0},
    {"ansi", Kind::kFlag, Action::kAnsi, 0},
    {"ansicpg", Kind::kValue, Action::kAnsiCodePage, 1252},
    {"atnauthor", Kind::kDestination, Action::kCommentAuthor, 0},
    {"atndate", Kind::kDestination, Action::kSkipDestination, 0},
    {"atnicn", Kind::kDestination, Action::kSkipDestination, 0},
    {"atnid", Kind::kDestination, Action::kCommentId, 0},
    {"atnparent", Kind::kDestination, Action::kSkipDestination, 0},
    {"atnref", Kind::kDestination, Action::kSkipDestination, 0},
    {"atntime", Kind::kDestination, Action::kSkipDestination, 0},
    {"atrfend", Kind::kDestination, Action::kSkipDestination, 0},
    {"atrfstart", Kind::kDestination, Action::kSkipDestination, 0},
    {"author", Kind::kDestination, Action::kAuthor, 0},
    {"b", Kind::kToggle, Action::kBold, 0},
    {"background", Kind::kDestination, Action::kSkipDestination, 0},
    {"bin", Kind::kFlag, Action::kNone, 0},
    {"bkmkend", Kind::kDestination, Action::kSkipDestination, 0},
    {"bkmkstart", Kind::kDestination, Action::kBookmarkStart, 0},
    {"blipuid", Kind::kDestination, Action::kSkipDestination, 0},
    {"blue", Kind::kValue, Action::kBlue, 0},
    {"bullet", Kind::kSymbol, Action::kCharacter, 0x2022},
    {"caps", Kind::kToggle, Action::kCaps, 0},
    {"category", Kind::kDestination, Action::kSkipDestination, 0},
    {"cb", Kind::kValue, Action::kBackground, 0},
    {"cell", Kind::kFlag, Action::kCell, 0},
    {"cellx", Kind::kValue, Action::kCellRight, 0},
    {"cf", Kind::kValue, Action::kColour, 0},
    {"chatn", Kind::kFlag, Action::kNone, 0},
    {"chcbpat", Kind::kValue, Action::kBackground, 0},
    {"chftn", Kind::kFlag, Action::kNone, 0},
    {"clcbpat", Kind::kValue, Action::kCellBackground, 0},
    {"clmgf", Kind::kFlag, Action::kCellMergeFirst, 0},
    {"clmrg", Kind::kFlag, Action::kCellMerge, 0},
    {"clvmgf", Kind::kFlag, Action::kCellVerticalFirst, 0},
    {"clvmrg", Kind::kFlag, Action::kCellVertical, 0},
    {"colorschememapping", Kind::kDestination, Action::kSkipDestination, 0},
    {"colortbl", Kind::kDestination, Action::kColourTable, 0},
    {"cols", Kind::kValue, Action::kColumns, 1},
    {"column", Kind::kFlag, Action::kPage, 0},
    {"comment", Kind::kDestination, Action::kSkipDestination, 0},
    {"company", Kind::kDestination, Action::kSkipDestination, 0},
    {"cpg", Kind::kValue, Action::kFontCodePage, 0},
    {"cs", Kind::kValue, Action::kCharStyle, 0},
    {"datafield", Kind::kDestination, Action::kSkipDestination, 0},
    {"datastore", Kind::kDestination, Action::kSkipDestination, 0},
    {"deff", Kind::kValue, Action::kDefaultFont, 0},
    {"deleted", Kind::kToggle, Action::kDeleted, 0},
    {"dibitmap", Kind::kFlag, Action::kPictureFormat, 5},
    {"dn", Kind::kValue, Action::kDown, 6},
    {"do", Kind::kDestination, Action::kSkipDestination, 0},
    {"doccomm", Kind::kDestination, Action::kSkipDestination, 0},
    {"docvar", Kind::kDestination, Action::kSkipDestination, 0},
    {"emdash", Kind::kSymbol, Action::kCharacter, 0x2014},
    {"emfblip", Kind::kFlag, Action::kPictureFormat, 3},
    {"emspace", Kind::kSymbol, Action::kCharacter, 0x2003},
    {"endash", Kind::kSymbol, Action::kCharacter, 0x2013},
    {"enspace", Kind::kSymbol, Action::kCharacter, 0x2002},
    {"f", Kind::kValue, Action::kFont, 0},
    {"falt", Kind::kDestination, Action::kSkipDestination, 0},
    {"fcharset", Kind::kValue, Action::kFontCharset, 0},
    {"fi", Kind::kValue, Action::kFirstIndent, 0},
    {"field", Kind::kDestination, Action::kField, 0},
    {"filetbl", Kind::kDestination, Action::kSkipDestination, 0},
    {"fldinst", Kind::kDestination, Action::kFieldInstruction, 0},
    {"fldrslt", Kind::kDestination, Action::kFieldResult, 0},
    {"fldtype", Kind::kDestination, Action::kSkipDestination, 0},
    {"fontemb", Kind::kDestination, Action::kSkipDestination, 0},
    {"fontfile", Kind::kDestination, Action::kSkipDestination, 0},
    {"fonttbl", Kind::kDestination, Action::kFontTable, 0},
    {"footer", Kind::kDestination, Action::kSkipDestination, 0},
    {"footerf", Kind::kDestination, Action::kSkipDestination, 0},
    {"footerl", Kind::kDestination, Action::kSkipDestination, 0},
    {"footerr", Kind::kDestination, Action::kSkipDestination, 0},
    {"footnote", Kind::kDestination, Action::kFootnote, 0},
    {"formfield", Kind::kDestination, Action::kSkipDestination, 0},
    {"fromhtml", Kind::kValue, Action::kFromHtml, 1},
    {"fs", Kind::kValue, Action::kFontSize, 24},
    {"ftnalt", Kind::kFlag, Action::kEndnote, 0},
    {"ftncn", Kind::kDestination, Action::kSkipDestination, 0},
    {"ftnsep", Kind::kDestination, Action::kSkipDestination, 0},
    {"ftnsepc", Kind::kDestination, Action::kSkipDestination, 0},
    {"generator", Kind::kDestination, Action::kSkipDestination, 0},
    {"green", Kind::kValue, Action::kGreen, 0},
    {"header", Kind::kDestination, Action::kSkipDestination, 0},
    {"headerf", Kind::kDestination, Action::kSkipDestination, 0},
    {"headerl", Kind::kDestination, Action::kSkipDestination, 0},
    {"headerr", Kind::kDestination, Action::kSkipDestination, 0},
    {"highlight", Kind::kValue, Action::kHighlight, 0},
    {"hlinkbase", Kind::kDestination, Action::kSkipDestination, 0},
    {"htmlrtf", Kind::kToggle, Action::kHtmlRtf, 0},
    {"htmltag", Kind::kDestination, Action::kHtmlTag, 0},
    {"i", Kind::kToggle, Action::kItalic, 0},
    {"ilvl", Kind::kValue, Action::kListLevel, 0},
    {"info", Kind::kDestination, Action::kInfo, 0},
    {"intbl", Kind::kFlag, Action::kInTable, 0},
    {"itap", Kind::kValue, Action::kTableDepth, 1},
    {"jpegblip", Kind::kFlag, Action::kPictureFormat, 1},
    {"keywords", Kind::kDestination, Action::kSkipDestination, 0},
    {"latentstyles", Kind::kDestination, Action::kSkipDestination, 0},
    {"ldblquote", Kind::kSymbol, Action::kCharacter, 0x201C},
    {"levelnfc", Kind::kValue, Action::kLevelNumberFormat, 0},
    {"levelnfcn", Kind::kValue, Action::kLevelNumberFormat, 0},
    {"levelnumbers", Kind::kDestination, Action::kSkipDestination, 0},
    {"levelstartat", Kind::kValue, Action::kLevelStartAt, 1},
    {"leveltext", Kind::kDestination, Action::kLevelText, 0},
    {"li", Kind::kValue, Action::kLeftIndent, 0},
    {"lin", Kind::kValue, Action::kLeftIndent, 0},
    {"line", Kind::kFlag, Action::kLine, 0},
    {"list", Kind::kDestination, Action::kListDefinition, 0},
    {"listid", Kind::kValue, Action::kListId, 0},
    {"listlevel", Kind::kDestination, Action::kListLevelDefinition, 0},
    {"listname", Kind::kDestination, Action::kSkipDestination, 0},
    {"listoverride", Kind::kDestination, Action::kListOverride, 0},
    {"listoverridetable", Kind::kDestination, Action::kListOverrideTable, 0},
    {"listpicture", Kind::kDestination, Action::kSkipDestination, 0},
    {"listtable", Kind::kDestination, Action::kListTable, 0},
    {"listtext", Kind::kDestination, Action::kListText, 0},
    {"lquote", Kind::kSymbol, Action::kCharacter, 0x2018},
    {"ls", Kind::kValue, Action::kList, 0},
    {"mac", Kind::kFlag, Action::kMac, 0},
    {"macpict", Kind::kFlag, Action::kPictureFormat, 4},
    {"manager", Kind::kDestination, Action::kSkipDestination, 0},
    {"mhtmltag", Kind::kDestination, Action::kSkipDestination, 0},
    {"mmathPr", Kind::kDestination, Action::kSkipDestination, 0},
    {"nestcell", Kind::kFlag, Action::kNestCell, 0},
    {"nestrow", Kind::kFlag, Action::kNestRow, 0},
    {"nesttableprops", Kind::kDestination, Action::kNestTableProps, 0},
    {"nonesttables", Kind::kDestination, Action::kSkipDestination, 0},
    {"nonshppict", Kind::kDestination, Action::kNonShapePicture, 0},
    {"nosupersub", Kind::kFlag, Action::kNoSuperSub, 0},
    {"objalias", Kind::kDestination, Action::kSkipDestination, 0},
    {"objclass", Kind::kDestination, Action::kSkipDestination, 0},
    {"objdata", Kind::kDestination, Action::kSkipDestination, 0},
    {"object", Kind::kDestination, Action::kObject, 0},
    {"objname", Kind::kDestination, Action::kSkipDestination, 0},
    {"objsect", Kind::kDestination, Action::kSkipDestination, 0},
    {"operator", Kind::kDestination, Action::kSkipDestination, 0},
    {"outlinelevel", Kind::kValue, Action::kOutlineLevel, 0},
    {"page", Kind::kFlag, Action::kPage, 0},
    {"panose", Kind::kDestination, Action::kSkipDestination, 0},
    {"par", Kind::kFlag, Action::kPar, 0},
    {"pard", Kind::kFlag, Action::kPard, 0},
    {"pc", Kind::kFlag, Action::kPc, 0},
    {"pca", Kind::kFlag, Action::kPca, 0},
    {"pgdsctbl", Kind::kDestination, Action::kSkipDestination, 0},
    {"pich", Kind::kValue, Action::kPictureHeight, 0},
    {"pichgoal", Kind::kValue, Action::kPictureGoalHeight, 0},
    {"picprop", Kind::kDestination, Action::kSkipDestination, 0},
    {"picscalex", Kind::kValue, Action::kPictureScaleX, 100},
    {"picscaley", Kind::kValue, Action::kPictureScaleY, 100},
    {"pict", Kind::kDestination, Action::kPicture, 0},
    {"picw", Kind::kValue, Action::kPictureWidth, 0},
    {"picwgoal", Kind::kValue, Action::kPictureGoalWidth, 0},
    {"plain", Kind::kFlag, Action::kPlain, 0},
    {"pmmetafile", Kind::kFlag, Action::kPictureFormat, 4},
    {"pn", Kind::kDestination, Action::kSkipDestination, 0},
    {"pngblip", Kind::kFlag, Action::kPictureFormat, 0},
    {"pnseclvl", Kind::kDestination, Action::kSkipDestination, 0},
    {"pntext", Kind::kDestination, Action::kListText, 0},
    {"private", Kind::kDestination, Action::kSkipDestination, 0},
    {"protusertbl", Kind::kDestination, Action::kSkipDestination, 0},
    {"qc", Kind::kFlag, Action::kAlignCenter, 0},
    {"qd", Kind::kFlag, Action::kAlignJustify, 0},
    {"qj", Kind::kFlag, Action::kAlignJustify, 0},
    {"ql", Kind::kFlag, Action::kAlignLeft, 0},
    {"qmspace", Kind::kSymbol, Action::kCharacter, 0x2005},
    {"qr", Kind::kFlag, Action::kAlignRight, 0},
    {"rdblquote", Kind::kSymbol, Action::kCharacter, 0x201D},
    {"red", Kind::kValue, Action::kRed, 0},
    {"result", Kind::kDestination, Action::kObjectResult, 0},
    {"revtbl", Kind::kDestination, Action::kSkipDestination, 0},
    {"ri", Kind::kValue, Action::kRightIndent, 0},
    {"rin", Kind::kValue, Action::kRightIndent, 0},
    {"row", Kind::kFlag, Action::kRow, 0},
    {"rquote", Kind::kSymbol, Action::kCharacter, 0x2019},
    {"rsidtbl", Kind::kDestination, Action::kSkipDestination, 0},
    {"rtf", Kind::kFlag, Action::kNone, 0},
    {"s", Kind::kValue, Action::kStyle, 0},
    {"sa", Kind::kValue, Action::kSpaceAfter, 0},
    {"sb", Kind::kValue, Action::kSpaceBefore, 0},
    {"scaps", Kind::kToggle, Action::kSmallCaps, 0},
    {"sect", Kind::kFlag, Action::kSect, 0},
    {"sectd", Kind::kFlag, Action::kSectionDefaults, 0},
    {"shp", Kind::kDestination, Action::kShape, 0},
    {"shpgrp", Kind::kDestination, Action::kShape, 0},
    {"shpinst", Kind::kDestination, Action::kShapeInstance, 0},
    {"shppict", Kind::kDestination, Action::kShapePicture, 0},
    {"shprslt", Kind::kDestination, Action::kShapeResult, 0},
    {"shptxt", Kind::kDestination, Action::kShapeText, 0},
    {"sn", Kind::kDestination, Action::kShapePropertyName, 0},
    {"sp", Kind::kDestination, Action::kShapeProperty, 0},
    {"strike", Kind::kToggle, Action::kStrike, 0},
    {"striked", Kind::kToggle, Action::kStrike, 0},
    {"stylesheet", Kind::kDestination, Action::kStyleSheet, 0},
    {"sub", Kind::kFlag, Action::kSub, 0},
    {"subject", Kind::kDestination, Action::kSkipDestination, 0},
    {"super", Kind::kFlag, Action::kSuper, 0},
    {"sv", Kind::kDestination, Action::kShapePropertyValue, 0},
    {"tab", Kind::kFlag, Action::kTab, 0},
    {"tc", Kind::kDestination, Action::kSkipDestination, 0},
    {"tcn", Kind::kDestination, Action::kSkipDestination, 0},
    {"template", Kind::kDestination, Action::kSkipDestination, 0},
    {"themedata", Kind::kDestination, Action::kSkipDestination, 0},
    {"title", Kind::kDestination, Action::kTitle, 0},
    {"trleft", Kind::kValue, Action::kRowLeft, 0},
    {"trowd", Kind::kFlag, Action::kRowDefaults, 0},
    {"txe", Kind::kDestination, Action::kSkipDestination, 0},
    {"u", Kind::kValue, Action::kUnicode, 0},
    {"uc", Kind::kValue, Action::kUnicodeSkip, 1},
    {"ud", Kind::kDestination, Action::kUd, 0},
    {"ul", Kind::kToggle, Action::kUnderline, 0},
    {"uld", Kind::kToggle, Action::kUnderline, 0},
    {"uldash", Kind::kToggle, Action::kUnderline, 0},
    {"uldashd", Kind::kToggle, Action::kUnderline, 0},
    {"uldashdd", Kind::kToggle, Action::kUnderline, 0},
    {"uldb", Kind::kToggle, Action::kUnderline, 0},
    {"ulhwave", Kind::kToggle, Action::kUnderline, 0},
    {"ulldash", Kind::kToggle, Action::kUnderline, 0},
    {"ulnone", Kind::kFlag, Action::kUnderlineNone, 0},
    {"ulth", Kind::kToggle, Action::kUnderline, 0},
    {"ulthd", Kind::kToggle, Action::kUnderline, 0},
    {"ulthdash", Kind::kToggle, Action::kUnderline, 0},
    {"ulthdashd", Kind::kToggle, Action::kUnderline, 0},
    {"ulthdashdd", Kind::kToggle, Action::kUnderline, 0},
    {"ulthldash", Kind::kToggle, Action::kUnderline, 0},
    {"ululdbwave", Kind::kToggle, Action::kUnderline, 0},
    {"ulw", Kind::kToggle, Action::kUnderline, 0},
    {"ulwave", Kind::kToggle, Action::kUnderline, 0},
    {"up", Kind::kValue, Action::kUp, 6},
    {"upr", Kind::kDestination, Action::kUpr, 0},
    {"userprops", Kind::kDestination, Action::kSkipDestination, 0},
    {"v", Kind::kToggle, Action::kHidden, 0},
    {"wbitmap", Kind::kFlag, Action::kPictureFormat, 6},
    {"wbmbitspixel", Kind::kValue, Action::kPictureBitsPerPixel, 1},
    {"wbmplanes", Kind::kValue, Action::kPicturePlanes, 1},
    {"wbmwidthbytes", Kind::kValue, Action::kPictureWidthBytes, 0},
    {"wgrffmtfilter", Kind::kDestination, Action::kSkipDestination, 0},
    {"wmetafile", Kind::kFlag, Action::kPictureFormat, 2},
    {"xe", Kind::kDestination, Action::kSkipDestination, 0},
    {"xmlnstbl", Kind::kDestination, Action::kSkipDestination, 0},
    {"zwj", Kind::kSymbol, Action::kCharacter, 0x200D},
    {"zwnj", Kind::kSymbol, Action::kCharacter, 0x200C},
    {"{", Kind::kSymbol, Action::kCharacter, 0x007B},
    {"|", Kind::kFlag, Action::kNone, 0},
    {"}", Kind::kSymbol, Action::kCharacter, 0x007D},
    {"~", Kind::kSymbol, Action::kCharacter, 0x00A0},
};

constexpr size_t kKeywordCount = sizeof(kKeywords) / sizeof(kKeywords[0]);

constexpr bool IsSorted() {
  for (size_t i = 1; i < kKeywordCount; ++i) {
    if (!(kKeywords[i - 1].name < kKeywords[i].name)) return false;
  }
  return true;
}
static_assert(IsSorted(), "the keyword table must be sorted by name, each name once");

// The look-up: an open-addressing hash index over the table, built while compiling.
constexpr size_t kSlots = 1024;
static_assert(kSlots >= 2 * kKeywordCount, "the index needs room to stay fast");

constexpr uint64_t Hash(uint64_t prefix, size_t size) {
  return ((prefix ^ size) * 0x9E3779B97F4A7C15ull) >> 40;
}

// Slot -> 1 + the entry's position in kKeywords; 0 for an empty slot.
constexpr std::array<uint16_t, kSlots> kIndex = [] {
  std::array<uint16_t, kSlots> slots{};
  for (size_t i = 0; i < kKeywordCount; ++i) {
    size_t slot = Hash(PackedPrefix(kKeywords[i].name), kKeywords[i].name.size()) % kSlots;
    while (slots[slot] != 0) slot = (slot + 1) % kSlots;
    slots[slot] = static_cast<uint16_t>(i + 1);
  }
  return slots;
}();

// The packed prefix of each entry, by position.
constexpr std::array<uint64_t, kKeywordCount> kPrefixes = [] {
  std::array<uint64_t, kKeywordCount> prefixes{};
  for (size_t i = 0; i < kKeywordCount; ++i) prefixes[i] = PackedPrefix(kKeywords[i].name);
  return prefixes;
}();

}  // namespace

const Keyword* FindKeyword(std::string_view name) {
  return FindKeyword(name, PackedPrefix(name));
}

const Keyword* FindKeyword(std::string_view name, uint64_t prefix) {
  for (size_t slot = Hash(prefix, name.size()) % kSlots;; slot = (slot + 1) % kSlots) {
    const uint16_t entry = kIndex[slot];
    if (entry == 0) return nullptr;
    const std::string_view candidate = kKeywords[entry - 1].name;
    if (kPrefixes[entry - 1] != prefix || candidate.size() != name.size()) continue;
    // Names longer than eight letters compare the rest.
    if (name.size() <= 8 || candidate.substr(8) == name.substr(8)) return &kKeywords[entry - 1];
  }
}

std::span<const Keyword> AllKeywords() {
  return std::span<const Keyword>(kKeywords, kKeywordCount);
}

}  // namespace tessarine::reader
