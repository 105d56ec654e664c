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
    {"background", Kind::kDestination, Action::kBackgroundShape, 0},
    {"bin", Kind::kFlag, Action::kNone, 0},
    {"bkmkend", Kind::kDestination, Action::kSkipDestination, 0},
    {"bkmkstart", Kind::kDestination, Action::kBookmarkStart, 0},
    {"blipuid", Kind::kDestination, Action::kSkipDestination, 0},
    {"blue", Kind::kValue, Action::kBlue, 0},
    {"box", Kind::kFlag, Action::kParagraphBorder, 4},
    {"brdrb", Kind::kFlag, Action::kParagraphBorder, 2},
    {"brdrbar", Kind::kFlag, Action::kBorderNowhere, 0},
    {"brdrbtw", Kind::kFlag, Action::kBorderNowhere, 0},
    {"brdrcf", Kind::kValue, Action::kBorderColour, 0},
    {"brdrdash", Kind::kFlag, Action::kBorderStyle, 4},
    {"brdrdashd", Kind::kFlag, Action::kBorderStyle, 4},
    {"brdrdashdd", Kind::kFlag, Action::kBorderStyle, 4},
    {"brdrdashsm", Kind::kFlag, Action::kBorderStyle, 4},
    {"brdrdb", Kind::kFlag, Action::kBorderStyle, 2},
    {"brdrdot", Kind::kFlag, Action::kBorderStyle, 3},
    {"brdremboss", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrengrave", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrframe", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrhair", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrinset", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrl", Kind::kFlag, Action::kParagraphBorder, 1},
    {"brdrnil", Kind::kFlag, Action::kBorderStyle, 0},
    {"brdrnone", Kind::kFlag, Action::kBorderStyle, 0},
    {"brdroutset", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrr", Kind::kFlag, Action::kParagraphBorder, 3},
    {"brdrs", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrsh", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrt", Kind::kFlag, Action::kParagraphBorder, 0},
    {"brdrtbl", Kind::kFlag, Action::kBorderStyle, 0},
    {"brdrth", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrtriple", Kind::kFlag, Action::kBorderStyle, 2},
    {"brdrw", Kind::kValue, Action::kBorderWidth, 0},
    {"brdrwavy", Kind::kFlag, Action::kBorderStyle, 1},
    {"brdrwavydb", Kind::kFlag, Action::kBorderStyle, 2},
    {"brsp", Kind::kValue, Action::kBorderSpace, 0},
    {"bullet", Kind::kSymbol, Action::kCharacter, 0x2022},
    {"caps", Kind::kToggle, Action::kCaps, 0},
    {"category", Kind::kDestination, Action::kSkipDestination, 0},
    {"cb", Kind::kValue, Action::kBackground, 0},
    {"cbpat", Kind::kValue, Action::kShadingBack, 0},
    {"cell", Kind::kFlag, Action::kCell, 0},
    {"cellx", Kind::kValue, Action::kCellRight, 0},
    {"cf", Kind::kValue, Action::kColour, 0},
    {"cfpat", Kind::kValue, Action::kShadingPattern, 0},
    {"chatn", Kind::kFlag, Action::kNone, 0},
    {"chbrdr", Kind::kFlag, Action::kBorderNowhere, 0},
    {"chcbpat", Kind::kValue, Action::kBackground, 0},
    {"chftn", Kind::kFlag, Action::kNone, 0},
    {"clbrdrb", Kind::kFlag, Action::kCellBorder, 2},
    {"clbrdrl", Kind::kFlag, Action::kCellBorder, 1},
    {"clbrdrr", Kind::kFlag, Action::kCellBorder, 3},
    {"clbrdrt", Kind::kFlag, Action::kCellBorder, 0},
    {"clcbpat", Kind::kValue, Action::kCellBackground, 0},
    {"clcfpat", Kind::kValue, Action::kCellPattern, 0},
    {"clmgf", Kind::kFlag, Action::kCellMergeFirst, 0},
    {"clmrg", Kind::kFlag, Action::kCellMerge, 0},
    {"clshdng", Kind::kValue, Action::kCellShading, 0},
    {"clvertalb", Kind::kFlag, Action::kCellVerticalAlignment, 2},
    {"clvertalc", Kind::kFlag, Action::kCellVerticalAlignment, 1},
    {"clvertalt", Kind::kFlag, Action::kCellVerticalAlignment, 0},
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
    {"deftab", Kind::kValue, Action::kDefaultTab, 720},
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
    {"pgbrdrb", Kind::kFlag, Action::kBorderNowhere, 0},
    {"pgbrdrl", Kind::kFlag, Action::kBorderNowhere, 0},
    {"pgbrdrr", Kind::kFlag, Action::kBorderNowhere, 0},
    {"pgbrdrt", Kind::kFlag, Action::kBorderNowhere, 0},
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
    {"sbasedon", Kind::kValue, Action::kBasedOn, 222},
    {"scaps", Kind::kToggle, Action::kSmallCaps, 0},
    {"sect", Kind::kFlag, Action::kSect, 0},
    {"sectd", Kind::kFlag, Action::kSectionDefaults, 0},
    {"shading", Kind::kValue, Action::kShading, 0},
    {"shp", Kind::kDestination, Action::kShape, 0},
    {"shpgrp", Kind::kDestination, Action::kShape, 0},
    {"shpinst", Kind::kDestination, Action::kShapeInstance, 0},
    {"shppict", Kind::kDestination, Action::kShapePicture, 0},
    {"shprslt", Kind::kDestination, Action::kShapeResult, 0},
    {"shptxt", Kind::kDestination, Action::kShapeText, 0},
    {"sl", Kind::kValue, Action::kLineSpacing, 0},
    {"slmult", Kind::kValue, Action::kLineMultiple, 0},
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
    {"trbrdrb", Kind::kFlag, Action::kBorderNowhere, 0},
    {"trbrdrh", Kind::kFlag, Action::kBorderNowhere, 0},
    {"trbrdrl", Kind::kFlag, Action::kBorderNowhere, 0},
    {"trbrdrr", Kind::kFlag, Action::kBorderNowhere, 0},
    {"trbrdrt", Kind::kFlag, Action::kBorderNowhere, 0},
    {"trbrdrv", Kind::kFlag, Action::kBorderNowhere, 0},
    {"trleft", Kind::kValue, Action::kRowLeft, 0},
    {"trowd", Kind::kFlag, Action::kRowDefaults, 0},
    {"tx", Kind::kValue, Action::kTabStop, 0},
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

constexpr uint64_t KeyOf(std::string_view name) {
  return KeywordKey(PackedPrefix(name), name.size() > 8 ? PackedPrefix(name.substr(name.size() - 8)) : 0,
                    name.size());
}

constexpr size_t kSlotCount = size_t{1} << keyword_index::kSlotBits;
static_assert(kSlotCount >= 8 * kKeywordCount, "a slot for each entry is found quickly in a sparse index");

// True when `multiplier` gives every entry a slot of its own.
constexpr bool Spreads(uint64_t multiplier) {
  std::array<uint64_t, kSlotCount / 64> taken{};
  for (const Keyword& keyword : kKeywords) {
    const size_t slot = keyword_index::SlotOf(KeyOf(keyword.name), multiplier);
    if ((taken[slot / 64] >> (slot % 64)) & 1) return false;
    taken[slot / 64] |= uint64_t{1} << (slot % 64);
  }
  return true;
}

// The multiplier is the first that spreads the entries, counting up in steps of two from the
// golden-ratio constant. The search starts where it last ended, so that building stays quick;
// after a change to the table it goes on from there.
constexpr uint64_t FindMultiplier() {
  uint64_t multiplier = 0x9E3779B97F4A7C15ull + 2 * 1724;
  while (!Spreads(multiplier)) multiplier += 2;
  return multiplier;
}

constexpr Keyword kNoKeyword = {"", Kind::kFlag, Action::kNone, 0};

}  // namespace

namespace keyword_index {

constexpr uint64_t kMultiplier = FindMultiplier();

constexpr std::array<Slot, kSlotCount> kSlots = [] {
  std::array<Slot, kSlotCount> slots{};
  for (Slot& slot : slots) slot = Slot{~uint64_t{0}, &kNoKeyword};  // its size matches no name
  for (const Keyword& keyword : kKeywords) {
    const uint64_t key = KeyOf(keyword.name);
    slots[SlotOf(key, kMultiplier)] = Slot{key, &keyword};
  }
  return slots;
}();

}  // namespace keyword_index

const Keyword* FindKeyword(std::string_view name) {
  return FindKeyword(name, PackedPrefix(name));
}

const Keyword* FindKeyword(std::string_view name, uint64_t prefix) {
  const uint64_t tail = name.size() > 8 ? PackedPrefix(name.substr(name.size() - 8)) : 0;
  return FindKeyword(name.data(), name.size(), KeywordKey(prefix, tail, name.size()));
}

std::span<const Keyword> AllKeywords() {
  return std::span<const Keyword>(kKeywords, kKeywordCount);
}

}  // namespace tessarine::reader
