// The list tables ("\listtable", "\listoverridetable") and the numbers of list items: for the
// items whose writer gave no marker of its own ("\listtext"), the marker the list's level
// defines, counted per list and level.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/document.h"

namespace tessarine::reader {

class ListTable {
 public:
  // Reading "\listtable": a "\list" holds "\listlevel"s, each with a number format ("\levelnfc"),
  // a start ("\levelstartat") and a marker pattern ("\leveltext"); "\listid" names the list.
  void BeginList();
  void BeginLevel();
  void SetNumberFormat(int32_t format);
  void SetStartAt(int32_t start);
  // The marker pattern of the level being read: its first character is its length, then the
  // pattern in UTF-8 with the characters 0 to 8 standing for the numbers of those levels.
  // Nullptr outside a level.
  std::string* LevelText();
  // Ends the level; `page` is the code page of its font, whose private-use symbols
  // ("\u-3913") become that font's characters. `chars` with `words` (reader/group_state.h
  // CharWords) are the level's own formatting words, which its markers show in; a symbol font
  // is not one of them (the marker holds its characters).
  void EndLevel(int32_t page, const model::CharFormat& chars = {}, uint16_t words = 0);
  void EndList();
  // "\listid": of the list being read, or of the override being read.
  void SetListId(int32_t id);

  // Reading "\listoverridetable": each "\listoverride" gives a list ("\listid") the number
  // paragraphs use ("\lsN").
  void BeginOverride();
  void SetOverrideNumber(int32_t ls);
  void EndOverride();

  // Counts the next item of list `ls` at `level` (0 to 8) and returns its marker: "3.", "b)",
  // "iv.", "•", "1.2." as the level defines it; "" when the list or level is unknown or shows no
  // marker. An item restarts the counts of the levels below it. At most kMaxMarker bytes.
  std::string NextMarker(int32_t ls, int level);

  static constexpr size_t kMaxMarker = 64;

  // The look of the markers of list `ls` at `level`: `paragraph` (the item's first run) with the
  // level's own formatting words over it; `paragraph` when the list or level is unknown.
  model::CharFormat MarkerFormat(int32_t ls, int level, const model::CharFormat& paragraph) const;

 private:
  struct Level {
    int32_t format = 0;  // "\levelnfc": 0 decimal, 1 I, 2 i, 3 A, 4 a, 22 01, 23 bullet, 255 none
    int32_t start = 1;
    std::string text;  // as LevelText
    model::CharFormat chars;
    uint16_t words = 0;
  };
  struct List {
    std::vector<Level> levels;  // at most 9
  };
  const Level* FindLevel(int32_t ls, int level) const;

  struct Counts {
    std::array<int32_t, 9> value{};
    std::array<bool, 9> started{};
  };

  std::unordered_map<int32_t, List> lists_;         // by "\listid"
  std::unordered_map<int32_t, int32_t> overrides_;  // "\ls" -> "\listid"
  std::unordered_map<int32_t, Counts> counts_;      // by "\ls"
  List list_;                                       // the list being read
  int32_t list_id_ = 0;
  bool in_list_ = false;
  Level level_;
  bool in_level_ = false;
  bool in_override_ = false;
  int32_t override_ls_ = -1;
  int32_t override_list_ = 0;
};

// The number `n` in the list number format `format` ("\levelnfc"): 4 -> "4", "IV", "iv",
// "D", "d", "04". Formats it does not know are decimal.
std::string FormatListNumber(int32_t n, int32_t format);

}  // namespace tessarine::reader
