#include "engine/font_table.h"

#include "engine/number.h"

namespace tessarine {

namespace {

// The name of the entry that starts at `entry` (just after "\f" and its digits): the text
// before the ";" that ends the entry, without control words and nested groups.
std::string EntryName(std::string_view entry) {
  std::string name;
  size_t i = 0;
  const size_t n = entry.size();
  while (i < n) {
    const char c = entry[i];
    if (c == ';') return name;
    if (c == '}') return std::string();  // the entry ends without ";"
    if (c == '{') {
      int depth = 0;
      while (i < n) {
        if (entry[i] == '{') ++depth;
        if (entry[i] == '}' && --depth == 0) break;
        ++i;
      }
      ++i;
      continue;
    }
    if (c == '\\' && i + 1 < n && IsLetter(entry[i + 1])) {
      ++i;
      while (i < n && IsLetter(entry[i])) ++i;
      if (i < n && entry[i] == '-') ++i;
      while (i < n && IsDigit(entry[i])) ++i;
      if (i < n && entry[i] == ' ') ++i;
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
  for (;;) {
    size_t open = w.find("{\\f");
    if (open == std::string_view::npos) break;
    w.remove_prefix(open + 3);  // now after "{\f"
    size_t digits = 0;
    while (digits < w.size() && IsDigit(w[digits])) ++digits;
    // The space after the number is the delimiter of the font word.
    size_t name_start = digits < w.size() && w[digits] == ' ' ? digits + 1 : digits;
    std::string name = EntryName(w.substr(name_start));
    out.append("\\f");
    out.append(w.substr(0, digits));
    out.append("\\");

    // The walk over the table: skip one nested group before the name, else go past the
    // first space; then past the first "}".
    size_t space = w.find(' ');
    size_t close = w.find('}');
    size_t nested = w.find('{');
    if (nested != std::string_view::npos && (close == std::string_view::npos || nested < close)) {
      w.remove_prefix(nested + 1);
      size_t end = w.find('}');
      w = end == std::string_view::npos ? std::string_view{} : w.substr(end + 1);
    } else if (space != std::string_view::npos) {
      w = w.substr(space + 1);  // no space left at all: the walk goes on from where it stands
    }
    bool has_semicolon = w.find(';') != std::string_view::npos;
    out.append(name);
    out.append("**");
    size_t entry_end = w.find('}');
    w = entry_end == std::string_view::npos ? std::string_view{} : w.substr(entry_end + 1);
    if (!has_semicolon || w.size() < 8) break;
  }
  return out;
}

FontIndex::FontIndex(std::string_view entries) {
  size_t at = entries.find("\\f");
  while (at != std::string_view::npos) {
    size_t i = at + 2;
    while (i < entries.size() && IsDigit(entries[i])) ++i;
    if (i < entries.size() && entries[i] == '\\') {
      after_key_.emplace(std::string(entries.substr(at, i + 1 - at)), i + 1);
    }
    at = entries.find("\\f", at + 1);
  }
}

size_t FontIndex::After(std::string_view key) const {
  auto it = after_key_.find(std::string(key));
  return it == after_key_.end() ? std::string::npos : it->second;
}

}  // namespace tessarine
