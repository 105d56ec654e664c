// The control words and control symbols the reader knows, each with its kind and what it does.
// The table itself (keywords.cpp) is the one place that shows everything the reader reads;
// every word not in it is ignored, and a "{\*\word" group whose word is not in it is skipped.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace tessarine::reader {

enum class Kind : uint8_t {
  kFlag,         // acts without a parameter ("\par", "\pard")
  kToggle,       // on, or off with parameter 0 ("\b", "\b0")
  kValue,        // takes a number; `value` stands in when none is written ("\fs24", "\cf")
  kDestination,  // the group it is in holds something other than document text ("\fonttbl")
  kSymbol,       // stands for the character `value` ("\emdash", "\~")
};

// What a keyword does; reader_words.cpp and reader_destinations.cpp act on each.
// clang-format off
enum class Action : uint8_t {
  kNone,       // known and deliberately without effect
  kIgnorable,  // "\*": the destination that follows may be skipped when it is unknown
  // The document.
  kAnsi, kMac, kPc, kPca, kAnsiCodePage, kDefaultFont, kDefaultTab, kFromHtml, kHtmlRtf,
  // Characters, breaks and Unicode.
  kCharacter, kPar, kLine, kTab, kPage, kUnicode, kUnicodeSkip,
  // Character formatting.
  kPlain, kBold, kItalic, kUnderline, kUnderlineNone, kStrike, kCaps, kSmallCaps, kSuper, kSub,
  kNoSuperSub, kUp, kDown, kFont, kFontSize, kColour, kHighlight, kBackground, kHidden, kDeleted,
  kCharStyle,
  // Paragraph formatting.
  kPard, kAlignLeft, kAlignCenter, kAlignRight, kAlignJustify, kLeftIndent, kRightIndent,
  kFirstIndent, kSpaceBefore, kSpaceAfter, kOutlineLevel, kStyle, kList, kListLevel, kInTable,
  kTableDepth, kLineSpacing, kLineMultiple, kShading, kShadingPattern, kShadingBack, kTabStop,
  // Borders: a side word chooses the border that the style, width, colour and space words describe
  // (`value`: 0 top, 1 left, 2 bottom, 3 right, 4 all four); kBorderNowhere chooses none.
  kParagraphBorder, kCellBorder, kBorderNowhere, kBorderStyle, kBorderWidth, kBorderColour,
  kBorderSpace,
  // Sections.
  kSect, kSectionDefaults, kColumns,
  // Rows and cells.
  kRowDefaults, kRowLeft, kCellRight, kCellMergeFirst, kCellMerge, kCellVerticalFirst,
  kCellVertical, kCellBackground, kCellPattern, kCellShading, kCellVerticalAlignment, kCell, kRow,
  kNestCell, kNestRow,
  // Words that only mean something inside their destination.
  kFontCharset, kFontCodePage, kRed, kGreen, kBlue, kListId, kLevelNumberFormat, kLevelStartAt,
  kBasedOn, kEndnote, kPictureFormat, kPictureWidth, kPictureHeight, kPictureGoalWidth, kPictureGoalHeight,
  kPictureScaleX, kPictureScaleY, kPictureBitsPerPixel, kPicturePlanes, kPictureWidthBytes,
  // Destinations.
  kSkipDestination,  // a group whose content is left out whole
  kFontTable, kColourTable, kStyleSheet, kInfo, kTitle, kAuthor, kListTable, kListOverrideTable,
  kListDefinition, kListLevelDefinition, kLevelText, kListOverride, kListText, kField,
  kFieldInstruction, kFieldResult, kBookmarkStart, kFootnote, kAnnotation, kCommentId,
  kCommentAuthor, kPicture, kShapePicture, kNonShapePicture, kShape, kShapeInstance, kShapeText,
  kShapeResult, kShapeProperty, kShapePropertyName, kShapePropertyValue, kObject, kObjectResult,
  kUpr, kUd, kNestTableProps, kHtmlTag, kBackgroundShape,
};
// clang-format on

struct Keyword {
  std::string_view name;  // the letters of the word, or the character of a control symbol
  Kind kind;
  Action action;
  int32_t value;  // kValue: the parameter when none is written; kSymbol: the character;
                  // kPictureFormat: the model::PictureFormat; kBorderStyle: the
                  // model::BorderStyle; the side of kParagraphBorder and kCellBorder
};

// The first eight characters of `name` as one number, the first in the lowest byte and zeros
// after the end: what FindKeyword compares at once.
constexpr uint64_t PackedPrefix(std::string_view name) {
  uint64_t prefix = 0;
  for (size_t i = 0; i < name.size() && i < 8; ++i)
    prefix |= uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
  return prefix;
}

// What the look-up goes by: the packed prefix of a name of `size` characters, and for a name
// longer than eight the packed last eight (`tail`; 0 for shorter names) mixed in.
constexpr uint64_t KeywordKey(uint64_t prefix, uint64_t tail, size_t size) {
  return prefix ^ (tail << 1) ^ size;
}

namespace keyword_index {

// The index over the table (keywords.cpp): a hash that puts every entry in a slot of its own,
// so that a look-up reads one slot, whether the name is known or not.
struct Slot {
  uint64_t key;            // KeywordKey of the entry's name
  const Keyword* keyword;  // an entry without a name for the empty slots
};
inline constexpr int kSlotBits = 12;
extern const uint64_t kMultiplier;
extern const std::array<Slot, size_t{1} << kSlotBits> kSlots;

constexpr size_t SlotOf(uint64_t key, uint64_t multiplier) {
  return static_cast<size_t>((key * multiplier) >> (64 - kSlotBits));
}

}  // namespace keyword_index

// The entry for the control word or symbol `name`; nullptr when the reader does not know it.
// Case-sensitive, without allocation. The second form takes PackedPrefix(name) as the
// tokenizer found it.
const Keyword* FindKeyword(std::string_view name);
const Keyword* FindKeyword(std::string_view name, uint64_t prefix);

// The same for the `size` letters at `name` whose KeywordKey is `key`.
inline const Keyword* FindKeyword(const char* name, size_t size, uint64_t key) {
  const keyword_index::Slot& slot =
      keyword_index::kSlots[keyword_index::SlotOf(key, keyword_index::kMultiplier)];
  if (slot.key != key || slot.keyword->name.size() != size) return nullptr;
  if (size > 8 && std::memcmp(slot.keyword->name.data() + 8, name + 8, size - 8) != 0) return nullptr;
  return slot.keyword;
}

// Every entry, sorted by name (for the tests).
std::span<const Keyword> AllKeywords();

}  // namespace tessarine::reader
