#include "passes/pipeline/font_table.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "passes/scan/next_finder.h"
#include "passes/scan/number.h"

namespace tessarine {

namespace {

// Where the group opened by a "{" of one text closes. Short groups are walked; once a walk gets
// long, one pass over the text notes the "}" of every "{", so that many groups that close far
// away (or never) cannot make the asks quadratic.
class GroupEnds {
 public:
  explicit GroupEnds(std::string_view text) : text_(text) {}

  // The offset of the "}" that closes the group opened at `open` (text[open] == '{'), or npos
  // when it never closes.
  size_t CloseOf(size_t open) {
    if (!opens_.empty()) return Indexed(open);
    const size_t end = std::min(text_.size(), open + kLongestWalk);
    int depth = 0;
    for (size_t i = open; i < end; ++i) {
      if (text_[i] == '{') ++depth;
      if (text_[i] == '}' && --depth == 0) return i;
    }
    if (end == text_.size() || text_.size() >= kNever) return Walk(end, depth);
    BuildIndex();
    return Indexed(open);
  }

 private:
  static constexpr size_t kLongestWalk = 4096;
  static constexpr uint32_t kNever = UINT32_MAX;

  // Goes on with a walk that stopped at `from` with `depth` groups open.
  size_t Walk(size_t from, int depth) const {
    for (size_t i = from; i < text_.size(); ++i) {
      if (text_[i] == '{') ++depth;
      if (text_[i] == '}' && --depth == 0) return i;
    }
    return std::string_view::npos;
  }

  void BuildIndex() {
    std::vector<uint32_t> unclosed;  // indexes into opens_ of the groups still open
    for (size_t i = 0; i < text_.size(); ++i) {
      if (text_[i] == '{') {
        unclosed.push_back(static_cast<uint32_t>(opens_.size()));
        opens_.push_back(static_cast<uint32_t>(i));
        closes_.push_back(kNever);
      } else if (text_[i] == '}' && !unclosed.empty()) {
        closes_[unclosed.back()] = static_cast<uint32_t>(i);
        unclosed.pop_back();
      }
    }
  }

  size_t Indexed(size_t open) const {
    const auto it = std::lower_bound(opens_.begin(), opens_.end(), static_cast<uint32_t>(open));
    const uint32_t close = it == opens_.end() ? kNever : closes_[static_cast<size_t>(it - opens_.begin())];
    return close == kNever ? std::string_view::npos : close;
  }

  std::string_view text_;
  std::vector<uint32_t> opens_;   // the offset of every "{", once indexed
  std::vector<uint32_t> closes_;  // the offset of its "}", or kNever
};

// The name of the entry that starts at offset `at` of `table` (just after "\f" and its
// digits): the text before the ";" that ends the entry, without control words and nested
// groups.
std::string EntryName(std::string_view table, size_t at, GroupEnds& groups) {
  std::string name;
  size_t i = at;
  const size_t n = table.size();
  while (i < n) {
    const char c = table[i];
    if (c == ';') return name;
    if (c == '}') return std::string();  // the entry ends without ";"
    if (c == '{') {
      const size_t close = groups.CloseOf(i);
      if (close == std::string_view::npos) break;
      i = close + 1;
      continue;
    }
    if (c == '\\' && i + 1 < n && IsLetter(table[i + 1])) {
      ++i;
      while (i < n && IsLetter(table[i])) ++i;
      if (i < n && table[i] == '-') ++i;
      while (i < n && IsDigit(table[i])) ++i;
      if (i < n && table[i] == ' ') ++i;
      continue;
    }
    name.push_back(c);
    ++i;
  }
  return std::string();
}

}  // namespace

std::string ParseFontTable(std::string_view table) {
  std::string out;
  std::string_view w = table.empty() ? table : table.substr(1);
  // A space or ";" far ahead (or nowhere) is searched for once, not once per entry.
  NextFinder spaces(" "), semicolons(";");
  GroupEnds groups(table);
  for (;;) {
    size_t open = w.find("{\\f");
    if (open == std::string_view::npos) break;
    w.remove_prefix(open + 3);  // now after "{\f"
    size_t digits = 0;
    while (digits < w.size() && IsDigit(w[digits])) ++digits;
    // The space after the number is the delimiter of the font word.
    size_t name_start = digits < w.size() && w[digits] == ' ' ? digits + 1 : digits;
    const size_t at = static_cast<size_t>(w.data() - table.data()) + name_start;
    std::string name = EntryName(table, std::min(at, table.size()), groups);
    out.append("\\f");
    out.append(w.substr(0, digits));
    out.append("\\");

    // The walk over the table: skip one nested group before the name, else go past the
    // first space; then past the first "}".
    size_t space = spaces.In(w);
    size_t close = w.find('}');
    size_t nested = w.find('{');
    if (nested != std::string_view::npos && (close == std::string_view::npos || nested < close)) {
      w.remove_prefix(nested + 1);
      size_t end = w.find('}');
      w = end == std::string_view::npos ? std::string_view{} : w.substr(end + 1);
    } else if (space != std::string_view::npos) {
      w = w.substr(space + 1);  // no space left at all: the walk goes on from where it stands
    }
    bool has_semicolon = semicolons.In(w) != std::string_view::npos;
    out.append(name);
    out.append("**");
    size_t entry_end = w.find('}');
    w = entry_end == std::string_view::npos ? std::string_view{} : w.substr(entry_end + 1);
    if (!has_semicolon || w.size() < 8) break;
  }
  return out;
}

FontIndex::FontIndex(std::string_view entries) : entries_(entries) {
  // Every key "\f<digits>\", as the offset just after it.
  std::vector<uint32_t> afters;
  for (size_t at = entries_.find("\\f"); at != std::string::npos; at = entries_.find("\\f", at + 1)) {
    size_t i = at + 2;
    while (i < entries_.size() && IsDigit(entries_[i])) ++i;
    // Offsets are kept in 32 bits: keys beyond 4 GB of entries are not indexed.
    if (i < entries_.size() && entries_[i] == '\\' && i + 1 < UINT32_MAX)
      afters.push_back(static_cast<uint32_t>(i + 1));
  }
  size_t size = 16;
  while (size < 2 * afters.size()) size *= 2;
  slots_.assign(size, 0);
  for (uint32_t after : afters) {
    const std::string_view key = KeyBefore(after);
    for (size_t slot = std::hash<std::string_view>{}(key) & (size - 1);; slot = (slot + 1) & (size - 1)) {
      if (slots_[slot] == 0) {
        slots_[slot] = after;  // the first occurrence of a key stays
        break;
      }
      if (KeyBefore(slots_[slot]) == key) break;
    }
  }
}

std::string_view FontIndex::KeyBefore(size_t after) const {
  size_t start = after - 1;  // the "\" that ends the key
  while (start > 0 && IsDigit(entries_[start - 1])) --start;
  start -= 2;  // the "\f" in front of the digits
  return std::string_view(entries_).substr(start, after - start);
}

size_t FontIndex::After(std::string_view key) const {
  if (slots_.empty()) return std::string::npos;
  const size_t mask = slots_.size() - 1;
  for (size_t slot = std::hash<std::string_view>{}(key)&mask;; slot = (slot + 1) & mask) {
    if (slots_[slot] == 0) return std::string::npos;
    if (KeyBefore(slots_[slot]) == key) return slots_[slot];
  }
}

}  // namespace tessarine
