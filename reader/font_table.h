// The font table ("\fonttbl"): each font's name for the model and its code page for the text.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessarine::reader {

class FontTable {
 public:
  // The most font numbers a table keeps; entries of further numbers are left out.
  static constexpr size_t kMostFonts = 32768;

  // Starts the entry of font number `number` ("\fN" inside the table), ending any entry before.
  void BeginEntry(int32_t number);
  // "\fcharsetN" and "\cpgN" of the entry being read; nothing without one.
  void SetCharset(int32_t charset);
  void SetCodePage(int32_t page);
  // The code page the entry's own name is written in (its charset's, but never a symbol page).
  int32_t EntryNamePage() const;
  // The entry's name so far (UTF-8); text is appended up to its ";". Null outside an entry or
  // after its ";".
  std::string* EntryName() { return in_entry_ && !name_done_ ? &name_ : nullptr; }
  // The ";" that ends a name: later text of the entry is no part of it.
  void EndName() { name_done_ = true; }
  // Ends the entry (at the end of its group or at the next "\f"): its name, spaces trimmed,
  // becomes model font `fonts.size()`, or replaces the name of a number defined before. A font
  // without a name is no model font (index -1), but its code page counts.
  void EndEntry(std::vector<std::string>& fonts);

  struct Font {
    int32_t index = -1;  // into model::Document::fonts
    int32_t page = 0;    // reader/code_pages.h
  };
  // The font numbered `number`; nullptr when the table has none.
  const Font* Find(int32_t number) const;

 private:
  std::unordered_map<int32_t, Font> fonts_;
  bool in_entry_ = false;
  bool name_done_ = false;
  int32_t number_ = 0;
  int32_t charset_ = -1;
  int32_t code_page_ = 0;
  std::string name_;
};

}  // namespace tessarine::reader
