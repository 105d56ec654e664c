#include "reader/list_table.h"

#include <algorithm>

#include "reader/code_pages.h"
#include "reader/formatting.h"
#include "reader/utf8.h"

namespace tessarine::reader {

namespace {

std::string Roman(int32_t n, bool upper) {
  static constexpr struct {
    int32_t value;
    const char* digits;
  } kDigits[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
                 {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
  std::string out;
  for (const auto& digit : kDigits) {
    for (; n >= digit.value; n -= digit.value) out += digit.digits;
  }
  if (upper) {
    for (char& c : out) c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// 1 -> "a", 26 -> "z", 27 -> "aa", 28 -> "bb": the letter repeated once more for each round.
std::string Letters(int32_t n, bool upper) {
  const int32_t rounds = std::min<int32_t>((n - 1) / 26 + 1, 16);
  return std::string(static_cast<size_t>(rounds), static_cast<char>((upper ? 'A' : 'a') + (n - 1) % 26));
}

}  // namespace

std::string FormatListNumber(int32_t n, int32_t format) {
  if (n > 0 && n < 4000 && (format == 1 || format == 2)) return Roman(n, format == 1);
  if (n > 0 && (format == 3 || format == 4)) return Letters(n, format == 3);
  std::string decimal = std::to_string(n);
  if (format == 22 && n >= 0 && n < 10) decimal.insert(0, 1, '0');
  return decimal;
}

void ListTable::BeginList() {
  list_ = List{};
  list_id_ = 0;
  in_list_ = true;
  in_level_ = false;
}

void ListTable::BeginLevel() {
  level_ = Level{};
  in_level_ = in_list_;
}

void ListTable::SetNumberFormat(int32_t format) {
  if (in_level_) level_.format = format;
}

void ListTable::SetStartAt(int32_t start) {
  if (in_level_) level_.start = start;
}

std::string* ListTable::LevelText() {
  return in_level_ ? &level_.text : nullptr;
}

void ListTable::EndLevel(int32_t page, const model::CharFormat& chars, uint16_t words) {
  if (!in_level_) return;
  in_level_ = false;
  level_.chars = chars;
  level_.words = IsSymbolPage(page) ? static_cast<uint16_t>(words & ~kWordFont) : words;
  if (IsSymbolPage(page) && level_.text.size() > 1) {
    // The level's font came after its text: private-use symbols are that font's characters.
    level_.text =
        level_.text.substr(0, 1) + MapCharacters(std::string_view(level_.text).substr(1), [page](char32_t c) {
          return c >= 0xF020 && c <= 0xF0FF ? SymbolCharacter(page, static_cast<unsigned char>(c - 0xF000))
                                            : c;
        });
  }
  if (list_.levels.size() < 9) list_.levels.push_back(std::move(level_));
}

void ListTable::EndList() {
  if (!in_list_) return;
  in_list_ = false;
  lists_[list_id_] = std::move(list_);
}

void ListTable::SetListId(int32_t id) {
  if (in_override_) {
    override_list_ = id;
  } else if (in_list_) {
    list_id_ = id;
  }
}

void ListTable::BeginOverride() {
  in_override_ = true;
  override_ls_ = -1;
  override_list_ = 0;
}

void ListTable::SetOverrideNumber(int32_t ls) {
  if (in_override_) override_ls_ = ls;
}

void ListTable::EndOverride() {
  if (!in_override_) return;
  in_override_ = false;
  if (override_ls_ >= 0) overrides_[override_ls_] = override_list_;
}

const ListTable::Level* ListTable::FindLevel(int32_t ls, int level) const {
  auto override_it = overrides_.find(ls);
  if (override_it == overrides_.end()) return nullptr;
  auto list_it = lists_.find(override_it->second);
  if (list_it == lists_.end() || level < 0 || static_cast<size_t>(level) >= list_it->second.levels.size())
    return nullptr;
  return &list_it->second.levels[static_cast<size_t>(level)];
}

model::CharFormat ListTable::MarkerFormat(int32_t ls, int level, const model::CharFormat& paragraph) const {
  const Level* found = FindLevel(ls, std::clamp(level, 0, 8));
  return found == nullptr ? paragraph : OverlayChars(paragraph, found->chars, found->words);
}

std::string ListTable::NextMarker(int32_t ls, int level) {
  level = std::clamp(level, 0, 8);
  Counts& counts = counts_[ls];
  auto override_it = overrides_.find(ls);
  const List* list = nullptr;
  if (override_it != overrides_.end()) {
    auto list_it = lists_.find(override_it->second);
    if (list_it != lists_.end()) list = &list_it->second;
  }
  auto level_of = [list](int n) -> const Level* {
    return list != nullptr && static_cast<size_t>(n) < list->levels.size()
               ? &list->levels[static_cast<size_t>(n)]
               : nullptr;
  };
  const Level* own = level_of(level);
  const int32_t start = own != nullptr ? own->start : 1;
  counts.value[level] =
      counts.started[level] && counts.value[level] < INT32_MAX ? counts.value[level] + 1 : start;
  counts.started[level] = true;
  for (int deeper = level + 1; deeper < 9; ++deeper) counts.started[deeper] = false;
  if (own == nullptr) return "";
  auto number_of = [&](int n) {
    const Level* at = level_of(n);
    const int32_t value = counts.started[n] ? counts.value[n] : at != nullptr ? at->start : 1;
    return FormatListNumber(value, at != nullptr ? at->format : 0);
  };
  if (own->text.empty()) {
    if (own->format == 255) return "";
    return own->format == 23 ? "\xE2\x80\xA2" : number_of(level) + ".";
  }
  const size_t length = static_cast<unsigned char>(own->text[0]);
  std::string marker;
  size_t i = 1;
  for (size_t count = 0; i < own->text.size() && count < length && marker.size() < kMaxMarker; ++count) {
    const auto c = static_cast<unsigned char>(own->text[i]);
    if (c < 9) {
      marker += number_of(c);
      ++i;
    } else {
      size_t n = 1;
      FirstCharacter(std::string_view(own->text).substr(i), &n);
      marker.append(own->text, i, n);
      i += n;
    }
  }
  if (marker.size() > kMaxMarker) {
    size_t cut = kMaxMarker;
    while (cut > 0 && (static_cast<unsigned char>(marker[cut]) & 0xC0) == 0x80) --cut;
    marker.resize(cut);
  }
  return marker;
}

}  // namespace tessarine::reader
